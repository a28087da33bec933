#include "CliContext.h"

#include "base/IniDocument.h"
#include "lang/LanguageController.h"
#include "lang/TextFormat.h"
#include "model/Catalogue.h"
#include "platform/Files.h"
#include "platform/Folders.h"
#include "platform/Registry.h"

#include <cstdio>

namespace vorn::cli {

DialogResult RecordingOperator::ShowMessageDialog(const MessageDialog& dialog) {
    messages_.push_back(dialog.text);
    return dialog.buttons.empty() ? DialogResult::Ok : dialog.buttons.front().result;
}

std::vector<std::string> RecordingOperator::TakeMessages() {
    std::vector<std::string> taken;
    taken.swap(messages_);
    return taken;
}

namespace {

std::string SettingsValue(const IniDocument& settings, const char* key) {
    const IniEntry* entry = settings.FindEntry(SettingsSection, key);
    return entry != nullptr ? entry->value : std::string();
}

// A language file given by path, or by name in the program data folder or the installation folder.
std::string FindLanguageFile(const std::string& wanted, const std::string& installFolder) {
    if (FileExists(wanted)) {
        return wanted;
    }
    if (wanted.find('/') == std::string::npos) {
        for (const std::string& folder : {ProgramDataFolder(), installFolder}) {
            if (!folder.empty() && FileExists(folder + wanted)) {
                return folder + wanted;
            }
        }
    }
    return {};
}

} // namespace

CliContext::CliContext(const GlobalOptions& options) : installFolder(InstallationFolder()) {
    IniDocument settings;
    if (const auto content = ReadWholeFile(ProgramDataFolder() + SettingsFileName, 1u << 20)) {
        settings = IniDocument::Parse(*content);
    }

    std::string wanted = options.languageFile;
    if (wanted.empty()) {
        wanted = SettingsValue(settings, "Language");
        languagePath = wanted.empty() ? std::string() : FindLanguageFile(wanted, installFolder);
        if (languagePath.empty()) {
            languagePath = FindLanguageFile(std::string(FallbackLanguageFile), installFolder);
        }
    } else {
        languagePath = FindLanguageFile(wanted, installFolder);
    }
    if (languagePath.empty()) {
        throw CliError(ExitRefused, "language file not found: " +
                                        (wanted.empty() ? std::string(FallbackLanguageFile) : wanted));
    }
    texts.LoadFile(languagePath);
    BuildCodeLists(texts, lists);
    if (lists.Regions.empty()) {
        throw CliError(ExitFailed, "the language file " + languagePath + " lists no regions");
    }

    regionName = options.region.empty() ? SettingsValue(settings, "Region") : options.region;
    if (regionName.empty()) {
        regionName = std::string(NamePart(lists.Regions.front()));
    } else {
        // A region by its name or by the text the region list shows.
        const int byName = IndexOfName(lists.Regions, regionName);
        const std::string byText = NameOfText(lists.Regions, regionName);
        if (byName < 0 && byText.empty()) {
            throw CliError(ExitRefused, "unknown region: " + regionName);
        }
        if (byName < 0) {
            regionName = byText;
        }
    }
    const Registry registry = Registry::Load(installFolder + std::string(RegistryFileName));
    const std::string regionKey = std::string(ProgramRegistryKey) + "Regions\\" + regionName + "\\";
    if (auto bands = registry.ValueNames(regionKey + "RxFrequencyBands\\")) {
        lists.ReceiveBands = std::move(*bands);
    }
    if (auto bands = registry.ValueNames(regionKey + "TxFrequencyBands\\")) {
        lists.TransmitBands = std::move(*bands);
    }

    editor = std::make_unique<Editor>(lists, texts, view);
    editor->SetDecimalSeparator(DecimalSeparatorOfLocale());
}

ProgData::Bytes CliContext::ReadImage(const std::string& path, bool refuseLonger) {
    ProgData::Bytes image{};
    // One open: the size that explains a refusal is the size of the file that was read.
    const FileStart read = ReadFileStart(path, image.data(), image.size());
    if (read.error == FileError::NoSuchFile) {
        throw CliError(ExitFailed, "no such configuration file: " + path);
    }
    const std::uint64_t size = read.size;
    if (read.error != FileError::None && read.error != FileError::FileTooShort) {
        throw CliError(ExitFailed, "cannot read " + path + ": " + std::string(FileErrorText(read.error)));
    }
    if (!read.complete) {
        throw CliError(ExitFailed, "cannot read " + path +
                                       ": a configuration file holds 256 bytes, this one " +
                                       std::to_string(size));
    }
    if (size > ProgData::ImageSize) {
        const std::string note =
            path + " is " + std::to_string(size) + " bytes long; only its first 256 bytes are read";
        if (refuseLonger) {
            throw CliError(ExitFailed, note + ", so writing it back would cut it");
        }
        std::fprintf(stderr, "vornctl: %s\n", note.c_str());
    }
    return image;
}

int CliContext::Load(const ProgData::Bytes& image) {
    const int result = editor->ImageToFields(image);
    if (FamilyOf(image[ProductTypeAddress]) == Family::A) {
        editor->ActionsPageVisible = true;
        editor->RebuildActionReferences();
    }
    return result;
}

std::string CliContext::ResultMessage(int result, const ProgData::Bytes& image) const {
    const CompatibilityMessage message = MessageForResult(result, image);
    if (message.section.empty()) {
        return {};
    }
    FormatArgs args;
    for (const MessageArgument& argument : message.arguments) {
        if (const auto* number = std::get_if<long long>(&argument)) {
            args.emplace_back(*number);
        } else {
            args.emplace_back(std::get<std::string>(argument));
        }
    }
    return FormatText(texts.Text(message.section, message.key), args);
}

} // namespace vorn::cli
