#include "ProgramHarness.h"

#include "files/SettingsFile.h"
#include "support/Paths.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace vorn::test {

ProgramHarness::ProgramHarness() {
    namespace fs = std::filesystem;
    // "folder/." copies the folder's content on every platform (Windows' runtime cannot copy from a
    // path ending in a separator).
    fs::copy(test::DataFolder() + ".", Install(), fs::copy_options::recursive);
    fs::create_directories(root.Path() + "/data");
    fs::create_directories(root.Path() + "/docs");
    environment = {
        {"HOME", root.Path() + "/home"},
        {"XDG_DATA_HOME", root.Path() + "/data"},
        {"XDG_DOCUMENTS_DIR", root.Path() + "/docs"},
        {"XDG_CONFIG_HOME", root.Path() + "/config"},
        {"VORN_PROGRAM_DATA", root.Path() + "/data"},
        {"VORN_DOCUMENTS", root.Path() + "/docs"},
        {"VORN_INSTALL_DIR", Install()},
        {"LANG", "en_US.UTF-8"},
    };
}

ProgramController& ProgramHarness::Construct(RunMode mode) {
    program.reset();
    ProgramPlatform platform{
        .driver = unit,
        .clock = clock,
        .trace = trace,
        .environment = [env = environment](const char* name) -> std::optional<std::string> {
            const auto found = env.find(name);
            return found == env.end() ? std::nullopt : std::optional<std::string>(found->second);
        },
        .executablePath = root.Path() + "/bin/vorn-programmer",
    };
    program = std::make_unique<ProgramController>(mode, std::move(platform),
                                                  ProgramViews{.dialogs = &view,
                                                               .window = &view,
                                                               .wait = wait,
                                                               .pump = pump != nullptr ? pump : &view,
                                                               .selectRegion = &view,
                                                               .about = &view,
                                                               .selectDevice = selectDevice,
                                                               .receiveRadio = receiveRadio,
                                                               .changeCode = changeCode,
                                                               .sheet = sheet,
                                                               .backups = backups});
    return *program;
}

ProgramController& ProgramHarness::Start(const std::vector<std::string>& arguments, RunMode mode) {
    Construct(mode);
    program->FormCreate(arguments);
    program->FormShow();
    return *program;
}

ProgramController& ProgramHarness::StartWithRegion(int regionIndex) {
    view.AnswerSelectRegion({regionIndex, DialogResult::Ok});
    return Start();
}

ProgramController& ProgramHarness::StartWithModel(int button, int regionIndex) {
    StartWithRegion(regionIndex);
    program->bbtnSelectNewDeviceClick(button);
    return *program;
}

std::string ProgramHarness::Setting(const std::string& key) const {
    SettingsFile settings;
    settings.Open(SettingsPath(), SettingsFile::Access::ReadOnly);
    return settings.Read(key);
}

std::string ProgramHarness::SettingsText() const {
    return ReadBytes(SettingsPath());
}

void ProgramHarness::WriteSettings(const std::string& text) {
    std::filesystem::create_directories(DataFolder());
    WriteBytes(SettingsPath(), text);
}

std::string ProgramHarness::InstalledDefault(const std::string& region, const std::string& fileName) const {
    return Install() + "DefaultConfig/" + region + "/" + fileName;
}

std::string ProgramHarness::CopyOfDefault(const std::string& region, const std::string& fileName,
                                          const std::string& name) {
    const std::string path = root.File(name);
    WriteBytes(path, ReadBytes(InstalledDefault(region, fileName)));
    return path;
}

void ReplaceSection(const std::string& file, const std::string& header, const std::string& body) {
    std::string text = ReadBytes(file);
    const auto start = text.find(header + "\n");
    ASSERT_NE(start, std::string::npos) << header;
    auto end = text.find("\n[", start + header.size());
    end = end == std::string::npos ? text.size() : end + 1;
    text.replace(start, end - start, body.empty() ? std::string() : header + "\n" + body + "\n");
    WriteBytes(file, text);
}

} // namespace vorn::test
