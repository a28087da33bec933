#include "CliContext.h"

#include "DidYouMean.h"
#include "app/ConfigurationSheet.h"
#include "base/IniDocument.h"
#include "base/Utf8.h"
#include "files/BandLists.h"
#include "files/SettingsFile.h"
#include "lang/ListIni.h"
#include "lang/TextCatalogue.h"
#include "lang/TextFormat.h"
#include "model/Catalogue.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "sim/DemoUnit.h"
#include "sim/SimulatedUnit.h"

#include <algorithm>
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

DialogResult RegionChooser::ShowMessageDialog(const MessageDialog& dialog) {
    if (dialog.text == NewRegionQuestion) {
        asked = true;
        return DialogResult::Yes;
    }
    return RecordingOperator::ShowMessageDialog(dialog);
}

void RegionChooser::Show(SelectRegionDialog& dialog) {
    shown = true;
    // The list shows the regions in the order of the language's region list.
    const auto& items = dialog.Fields().Get(SelectRegionDialog::RegionField).Items();
    int index = regions == nullptr ? -1 : IndexOfName(*regions, wanted);
    if (index < 0 && regions != nullptr) {
        index = IndexOfName(*regions, NameOfText(*regions, wanted));
    }
    if (index >= 0 && index < static_cast<int>(items.size())) {
        dialog.Fields().Select(SelectRegionDialog::RegionField, index);
        dialog.OkClick();
    } else {
        dialog.CloseClick();
    }
}

namespace {

std::vector<std::string> LanguageFilesIn(const std::string& folder) {
    std::vector<std::string> files;
    if (!folder.empty()) {
        ListIni reader;
        reader.SetFolder(folder);
        reader.ListLanguageFiles(files);
    }
    return files;
}

// A language file given by path, or by its file name or the name the language menu shows (letter case
// ignored) in one of the folders.
std::string FindLanguageFile(const std::string& wanted, const std::vector<std::string>& folders) {
    if (FileExists(wanted)) {
        return wanted;
    }
    if (wanted.find_first_of(PathSeparators) == std::string::npos) {
        for (const std::string& folder : folders) {
            if (!folder.empty() && FileExists(folder + wanted)) {
                return folder + wanted;
            }
        }
    }
    for (const std::string& folder : folders) {
        for (const std::string& file : LanguageFilesIn(folder)) {
            if (EqualsIgnoreCase(LanguageDisplayName(file), wanted)) {
                return folder + file;
            }
        }
    }
    return {};
}

// The languages the folders offer, by the names the language menu shows.
std::vector<std::string> LanguageNames(const std::vector<std::string>& folders) {
    std::vector<std::string> names;
    for (const std::string& folder : folders) {
        for (const std::string& file : LanguageFilesIn(folder)) {
            const std::string name = LanguageDisplayName(file);
            if (std::find(names.begin(), names.end(), name) == names.end()) {
                names.push_back(name);
            }
        }
    }
    return names;
}

// The views of the controller: a file command's recorder, the region command's chooser, or a device
// command's operator in every role.
ProgramViews ViewsFor(const GlobalOptions& options, RecordingOperator& view, DeviceOperator& device,
                      RegionChooser& chooser, InstalledPictures& pictures) {
    if (!options.regionToChoose.empty()) {
        return {.dialogs = &chooser, .window = &chooser, .selectRegion = &chooser};
    }
    if (!options.deviceCommand) {
        return {.dialogs = &view, .window = &view, .sheet = &pictures};
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
    return MakeUnitDriver(options.port);
}

} // namespace

CliContext::CliContext(const GlobalOptions& options)
    : clock_(options.simulate ? static_cast<Clock&>(virtualClock_) : realClock_),
      driver_(DriverFor(options, virtualClock_)), device(clock_),
      controller(options.regionToChoose.empty() ? RunMode::Tool : RunMode::Program,
                 {*driver_, clock_, trace_}, ViewsFor(options, view, device, regionChooser, pictures)),
      texts(controller.Texts()), lists(controller.Lists()), editor(&controller.GetEditor()),
      installFolder(controller.Folders().installation) {
    trace_.SetEcho(TraceSink::EchoRequestedByEnvironment());
    device.chatty = !options.quiet;
    controller.SupportTrace().SetNoteSink(
        [](const std::string& note) { std::fprintf(stderr, "vornctl: %s\n", note.c_str()); });
    // The start-up's boxes (the language fallback, say) are the window's business, not a command's.
    device.quiet = true;
    regionChooser.wanted = options.regionToChoose;
    regionChooser.regions = &lists.Regions;
    controller.FormCreate({});
    pictures.folder = installFolder;
    controller.FormShow();
    view.TakeMessages();
    regionChooser.TakeMessages();
    device.quiet = false;
    if (options.simulate) {
        // The demo devices start from the installation's defaults, known once the folders are.
        static_cast<sim::SimulatedUnit&>(*driver_).Scenario() = sim::DemoScenario(installFolder);
    }

    if (!options.languageFile.empty()) {
        const std::vector<std::string> folders{controller.LanguageFolder(), controller.Folders().programData,
                                               installFolder};
        const std::string path = FindLanguageFile(options.languageFile, folders);
        if (path.empty()) {
            const std::vector<std::string> names = LanguageNames(folders);
            std::string known;
            for (const std::string& name : names) {
                known += (known.empty() ? "" : ", ") + name;
            }
            throw CliError(ExitRefused, "language file not found: " + options.languageFile +
                                            DidYouMean(options.languageFile, names) +
                                            (known.empty() ? "" : " (languages: " + known + ")"));
        }
        controller.UseLanguageFile(path);
    } else if (controller.LanguageFileName().empty()) {
        throw CliError(ExitRefused, "language file not found: " + std::string(FallbackLanguageFile));
    }
    // A language file that gives nothing is named as such, not as a fault of the user's files.
    if (texts.LoadError() != FileError::None) {
        throw CliError(ExitFailed, "cannot read the language file " + texts.FilePath() + ": " +
                                       std::string(FileErrorText(texts.LoadError())));
    }
    if (texts.Content().Empty()) {
        throw CliError(ExitFailed, "the language file " + texts.FilePath() + " holds no sections");
    }
    if (lists.Regions.empty()) {
        throw CliError(ExitFailed, "the language file " + texts.FilePath() + " lists no regions");
    }
    if (const auto missing = MissingListSections(texts); !missing.empty()) {
        std::string names;
        for (const std::string& name : missing) {
            names += (names.empty() ? "" : ", ") + name;
        }
        listsError_.emplace(ExitFailed, "the language file " + texts.FilePath() +
                                            " lacks the list sections " + names +
                                            ", so configurations cannot be shown with it");
    }
    const Registry registry = controller.InstalledRegistry();
    if (registry.Empty()) {
        registryError_.emplace(ExitFailed, "cannot read the frequency bands from " + registry.Path() + ": " +
                                               registry.Problem());
    }

    ChooseRegion(options.region);
    if (!region_) {
        return;
    }
    if (regionName != controller.Region()) {
        controller.UseRegion(regionName);
    }
    for (const BandDirection direction : {BandDirection::Receive, BandDirection::Transmit}) {
        if (!registryError_ && !registry.HasKey(BandListKey(*region_, direction))) {
            bandNote_ += "vornctl: note: " + registry.Path() + " holds no " +
                         (direction == BandDirection::Receive ? "receive" : "transmit") +
                         " bands for region " + EscapeControlCharacters(regionName) + "\n";
        }
    }
}

void CliContext::ChooseRegion(const std::string& wanted) {
    const std::string language = texts.FilePath();
    const auto refusal = [](const std::string& name) {
        return std::string(RegionNameFaultText(FindRegionNameFault(name)));
    };
    if (!wanted.empty()) {
        // A region by its name or by the text the region list shows.
        std::string name = wanted;
        if (IndexOfName(lists.Regions, wanted) < 0) {
            name = NameOfText(lists.Regions, wanted);
            if (name.empty()) {
                throw CliError(ExitRefused, "unknown region: " + EscapeControlCharacters(wanted) +
                                                " (see vornctl regions)");
            }
        }
        region_ = RegionName::Check(name);
        if (!region_) {
            throw CliError(ExitRefused, "the region \"" + EscapeControlCharacters(name) +
                                            "\" of the language file " + language +
                                            " cannot be used: its name " + refusal(name));
        }
        regionName = name;
        return;
    }
    const std::string stored = controller.Settings().Read(RegionSettingsKey);
    const std::string fix = "; give --region NAME (see vornctl regions), or choose the region in the program "
                            "(File > Select new region..., shown with the option -selectnewregion)";
    if (stored.empty()) {
        const std::string first(NamePart(lists.Regions.front()));
        region_ = RegionName::Check(first);
        if (!region_) {
            regionError_.emplace(ExitRefused, "the first region \"" + EscapeControlCharacters(first) +
                                                  "\" of the language file " + language +
                                                  " cannot be used: its name " + refusal(first) + fix);
            return;
        }
        regionName = first;
        return;
    }
    // The stored region, as the program keeps it: by its name.
    if (IndexOfName(lists.Regions, stored) < 0) {
        regionError_.emplace(ExitRefused, "the settings file " + controller.Settings().Path() +
                                              " stores the region \"" + EscapeControlCharacters(stored) +
                                              "\", which the language file " + language + " does not list" +
                                              fix);
        return;
    }
    region_ = RegionName::Check(stored);
    if (!region_) {
        regionError_.emplace(ExitRefused, "the settings file " + controller.Settings().Path() +
                                              " stores the region \"" + EscapeControlCharacters(stored) +
                                              "\", whose name " + refusal(stored) + fix);
        return;
    }
    regionName = stored;
}

const RegionName& CliContext::Region() const {
    if (regionError_) {
        throw *regionError_;
    }
    return *region_;
}

void CliContext::RequireLists() const {
    if (listsError_) {
        throw *listsError_;
    }
}

void CliContext::RequireBands() const {
    if (registryError_) {
        throw *registryError_;
    }
    Region();
    std::fputs(bandNote_.c_str(), stderr);
}

void CliContext::RequireConfigurationData() const {
    RequireLists();
    RequireBands();
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

ConversionResult CliContext::Load(const ProgData::Bytes& image) {
    const ConversionResult result = editor->ImageToFields(image);
    ShowActionDescriptions(image);
    return result;
}

void CliContext::ShowActionDescriptions(const ProgData::Bytes& image) {
    if (FamilyOf(image[ProductTypeAddress]) == Family::A) {
        editor->ActionsPageVisible = true;
        editor->RebuildActionReferences();
    }
}

std::string InstalledPictures::PictureUri(std::uint8_t productType) {
    const ProductInfo* product = FindProduct(productType);
    if (product == nullptr) {
        return {};
    }
    const auto png = ReadWholeFile(folder + "pictures/" + std::string(product->model) + ".png", 1 << 20);
    return png ? DataUri("image/png", std::vector<std::uint8_t>(png->begin(), png->end())) : std::string();
}

std::string CliContext::ResultMessage(ConversionResult result, const ProgData::Bytes& image) const {
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
