// Start-up from the files a user or an installation may hold: the input is a language file, then
// optionally a settings file and a registry file, split at the separator lines below. The controller
// starts on them as vornctl does (reading, never writing), the region is resolved as vornctl resolves
// it, and every model's default configuration is shown in the editor and converted back. Nothing may
// crash, and a region name that is refused never becomes a path or a registry key.
#include "ScriptedUnit.h"
#include "app/ProgramController.h"
#include "base/CodeList.h"
#include "files/DefaultConfigs.h"
#include "files/RegionName.h"
#include "files/SettingsFile.h"
#include "model/Catalogue.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace {

using namespace vorn;
namespace fs = std::filesystem;

constexpr std::string_view SettingsSeparator = "\n----settings----\n";
constexpr std::string_view RegistrySeparator = "\n----registry----\n";

void Fail() {
    __builtin_trap();
}

void Write(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Temporary folders, made once: an installation whose DefaultConfig/ is the build's, a program-data
// folder for the language and settings files, and a configuration folder holding the Europe defaults.
struct Folders {
    std::string root;
    std::string install;
    std::string data;
    std::string config;
    std::string shippedRegistry;
    std::map<std::string, std::string> environment;

    Folders() {
        std::error_code error;
        const fs::path base =
            fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "vorn-fuzz-startup-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        root = pattern + "/";
        install = root + "install/";
        data = root + "data/ORSK/VORN Programmer v2/";
        config = root + "docs/ORSK/VORN v2 Config/";
        fs::create_directories(install);
        fs::create_directories(data);
        fs::create_directories(config);
        const std::string staged = VORN_FUZZ_DATA_DIR;
        fs::create_directory_symlink(staged + "DefaultConfig", install + "DefaultConfig");
        shippedRegistry = ReadAll(staged + "Registry.ini");
        for (const ProductInfo& product : Catalogue) {
            const std::string name(product.defaultFileName);
            fs::copy_file(staged + "DefaultConfig/Europe/" + name, config + name);
        }
        environment = {{"HOME", root + "home"},
                       {"XDG_DATA_HOME", root + "data"},
                       {"XDG_DOCUMENTS_DIR", root + "docs"},
                       {"VORN_INSTALL_DIR", install},
                       {"LANG", "en_US.UTF-8"}};
    }
    ~Folders() {
        std::error_code error;
        fs::remove_all(root, error);
    }
};

Folders& TheFolders() {
    static Folders folders;
    return folders;
}

// A checked name makes a folder directly below DefaultConfig/ and nothing else.
void CheckPathOf(const RegionName& region, const std::string& install) {
    const std::string prefix = install + "DefaultConfig/";
    const std::string folder = RegionDefaultsFolder(install, region);
    if (folder.compare(0, prefix.size(), prefix) != 0 || folder.size() <= prefix.size() + 1) {
        Fail();
    }
    const std::string_view inner(folder.data() + prefix.size(), folder.size() - prefix.size() - 1);
    if (inner.find('/') != std::string_view::npos || inner == "." || inner == "..") {
        Fail();
    }
}

// Tries a region as vornctl would use it: a refused name leaves the loaded region as it was.
void TryRegion(ProgramController& program, const std::string& name, const std::string& install) {
    const std::string before = program.Region();
    const bool used = program.UseRegion(name);
    const auto checked = RegionName::Check(name);
    if (used != checked.has_value() || (!used && program.Region() != before)) {
        Fail();
    }
    if (checked) {
        CheckPathOf(*checked, install);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Folders& folders = TheFolders();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t settingsAt = input.find(SettingsSeparator);
    const std::string_view language = input.substr(0, settingsAt);
    std::string_view settings;
    std::string_view registry = folders.shippedRegistry;
    if (settingsAt != std::string_view::npos) {
        std::string_view rest = input.substr(settingsAt + SettingsSeparator.size());
        const std::size_t registryAt = rest.find(RegistrySeparator);
        settings = rest.substr(0, registryAt);
        if (registryAt != std::string_view::npos) {
            registry = rest.substr(registryAt + RegistrySeparator.size());
        }
    }
    Write(folders.data + "English-1033.lang", language);
    Write(folders.data + std::string(SettingsFileName), settings);
    Write(folders.install + std::string(RegistryFileName), registry);

    VirtualClock clock;
    TraceSink trace(64);
    fuzz::ScriptedUnit unit(clock);
    ProgramController program(RunMode::Tool,
                              {.driver = unit,
                               .clock = clock,
                               .trace = trace,
                               .environment = [&folders](const char* name) -> std::optional<std::string> {
                                   const auto found = folders.environment.find(name);
                                   return found == folders.environment.end()
                                              ? std::nullopt
                                              : std::optional<std::string>(found->second);
                               },
                               .executablePath = folders.root + "bin/vorn-programmer"});
    program.FormCreate({"-gofaviewall"});
    program.FormShow();

    // The region as vornctl resolves it: the stored one, else the first the language offers.
    const std::string stored = program.Settings().Read(RegionSettingsKey);
    TryRegion(program, stored, folders.install);
    const CodeList regions = program.Lists().Regions;
    if (!regions.empty()) {
        TryRegion(program, std::string(NamePart(regions.front())), folders.install);
    }

    // Every model's default, as its device button loads it (the paths come from the settings file),
    // shown in the editor, its action descriptions built, and converted back.
    for (int button = 1; button <= static_cast<int>(Catalogue.size()); ++button) {
        program.bbtnSelectNewDeviceClick(button);
        program.tmrUpdateActionListTimer();
        program.HasUnsavedChanges();
    }
    program.UpdateCaption();
    return 0;
}
