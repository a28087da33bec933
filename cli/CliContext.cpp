#include "CliContext.h"

#include "lang/TextFormat.h"
#include "model/Catalogue.h"
#include "platform/Files.h"
#include "sim/DemoUnit.h"
#include "sim/SimulatedUnit.h"

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

// A language file given by path, or by name in one of the folders.
std::string FindLanguageFile(const std::string& wanted, const std::vector<std::string>& folders) {
    if (FileExists(wanted)) {
        return wanted;
    }
    if (wanted.find('/') == std::string::npos) {
        for (const std::string& folder : folders) {
            if (!folder.empty() && FileExists(folder + wanted)) {
                return folder + wanted;
            }
        }
    }
    return {};
}

// The views of the controller: a file command's recorder, or a device command's operator in every role.
ProgramViews ViewsFor(const GlobalOptions& options, RecordingOperator& view, DeviceOperator& device) {
    if (!options.deviceCommand) {
        return {.dialogs = &view, .window = &view};
    }
    return {.dialogs = &device,
            .window = &device,
            .wait = &device,
            .pump = &device,
            .selectDevice = &device,
            .receiveRadio = &device,
            .changeCode = &device};
}

std::unique_ptr<UnitDriver> DriverFor(const GlobalOptions& options, VirtualClock& clock) {
    if (options.simulate) {
        return std::make_unique<sim::SimulatedUnit>(clock);
    }
    return std::make_unique<SerialUnitDriver>(SerialPortOptions{PortOverride(options.port)});
}

} // namespace

CliContext::CliContext(const GlobalOptions& options)
    : clock_(options.simulate ? static_cast<Clock&>(virtualClock_) : realClock_),
      driver_(DriverFor(options, virtualClock_)), device(clock_),
      controller(RunMode::Tool, {*driver_, clock_, trace_}, ViewsFor(options, view, device)),
      texts(controller.Texts()), lists(controller.Lists()), editor(&controller.GetEditor()),
      installFolder(controller.Folders().installation) {
    trace_.SetEcho(TraceSink::EchoRequestedByEnvironment());
    // The start-up's boxes (the language fallback, say) are the window's business, not a command's.
    device.quiet = true;
    controller.FormCreate({});
    controller.FormShow();
    view.TakeMessages();
    device.quiet = false;
    if (options.simulate) {
        // The demo devices start from the installation's defaults, known once the folders are.
        static_cast<sim::SimulatedUnit&>(*driver_).Scenario() = sim::DemoScenario(installFolder);
    }

    if (!options.languageFile.empty()) {
        const std::string path =
            FindLanguageFile(options.languageFile,
                             {controller.LanguageFolder(), controller.Folders().programData, installFolder});
        if (path.empty()) {
            throw CliError(ExitRefused, "language file not found: " + options.languageFile);
        }
        controller.UseLanguageFile(path);
    } else if (controller.LanguageFileName().empty()) {
        throw CliError(ExitRefused, "language file not found: " + std::string(FallbackLanguageFile));
    }
    if (lists.Regions.empty()) {
        throw CliError(ExitFailed, "the language file " + texts.FilePath() + " lists no regions");
    }

    regionName = options.region.empty() ? controller.Region() : options.region;
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
    if (regionName != controller.Region()) {
        controller.UseRegion(regionName);
    }
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
