#pragma once

#include "DeviceOperator.h"
#include "app/ProgramController.h"
#include "base/CodeLists.h"
#include "editor/Editor.h"
#include "files/RegionName.h"
#include "lang/ListIni.h"
#include "link/UnitBackend.h"
#include "model/ProgData.h"
#include "platform/Clock.h"
#include "platform/TraceSink.h"
#include "view/DialogView.h"
#include "view/MainWindowView.h"
#include "view/SheetView.h"

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorn::cli {

// Exit status of vornctl.
inline constexpr int ExitSuccess = 0;
inline constexpr int ExitUsage = 1;
inline constexpr int ExitRefused = 2;
inline constexpr int ExitFailed = 3;    // conversion or file error
inline constexpr int ExitDifferent = 1; // diff: the files differ (as diff(1))

// An error that ends the command with a status and a message for stderr.
struct CliError : std::runtime_error {
    CliError(int exitStatus, const std::string& message) : std::runtime_error(message), status(exitStatus) {}
    int status;
};

// The operator of a command line: nobody answers, so every message dialog is recorded and closed with
// its first button (the range messages have only OK).
class RecordingOperator : public SilentDialogView, public SilentMainWindowView {
public:
    void ShowStandardMessage(MessageIcon, const std::string& text) override { messages_.push_back(text); }
    DialogResult ShowMessageDialog(const MessageDialog& dialog) override;

    // The messages shown since the last call.
    std::vector<std::string> TakeMessages();

private:
    std::vector<std::string> messages_;
};

// The operator of `vornctl region`: the select-region dialog gets the command's region, and the
// question before a region change is answered Yes (the command is the operator's yes); other messages
// are recorded.
class RegionChooser : public RecordingOperator, public SelectRegionView {
public:
    DialogResult ShowMessageDialog(const MessageDialog& dialog) override;
    void Show(SelectRegionDialog& dialog) override;

    std::string wanted;                // the region's name or its shown text
    const CodeList* regions = nullptr; // the language's region list
    bool shown = false;                // the dialog was shown (a single region is chosen without it)
    bool asked = false;                // the question before the change was asked
};

// The configuration sheet's model pictures for a document that carries them inside: the pictures the
// build drew into the installation folder ("pictures/MODEL.png"), as data: URIs. None where the
// window was not built; the sheet then names the model instead.
class InstalledPictures : public SilentSheetView {
public:
    std::string PictureUri(std::uint8_t productType) override;
    std::string folder; // the installation folder, "/"-terminated
};

struct GlobalOptions {
    std::string languageFile;   // empty: the settings' "Language", else English
    std::string region;         // empty: the settings' "Region", else the first region
    std::string port;           // the unit's port; empty: VORN_KDU_PORT, else the USB device by name
    bool simulate = false;      // the demo unit instead of the interface unit
    bool deviceCommand = false; // a device command: its operator speaks and answers on the terminal
    bool quiet = false;         // no progress, no status texts: only results, messages and errors
    // `vornctl region NAME`: the program starts as the window does (it may write its folders and its
    // settings) and the region dialog is answered with this name.
    std::string regionToChoose;
    std::vector<std::string> commandLine; // for the support trace
};

// The program-data folder as the program would make it (separator-terminated), for the files vornctl itself
// keeps there (backups, the support trace); empty when no home folder is known.

// Everything a command works with: the program started as a tool (the settings' language and region,
// nothing written, nothing asked), then the options' language and region for this run.
class CliContext {
private:
    // What the program's link needs: the interface unit (or the demo unit on simulated time); the file
    // commands never open it.
    VirtualClock virtualClock_;
    RealClock realClock_;
    Clock& clock_;
    std::unique_ptr<UnitDriver> driver_;
    TraceSink trace_;

public:
    explicit CliContext(const GlobalOptions& options);

    // The file commands' operator, which records the messages; a device command's, which says them;
    // the region command's.
    RecordingOperator view;
    DeviceOperator device;
    RegionChooser regionChooser;
    InstalledPictures pictures;
    ProgramController controller;
    ListIni& texts;
    CodeLists& lists;
    Editor* editor;
    const std::string& installFolder;
    // The region of this run; empty when none could be chosen (Region() then says why).
    std::string regionName;

    // What a command needs; each throws the reason (with the file to fix) when it is missing.
    // The region of this run.
    const RegionName& Region() const;
    // The language's list sections, without which no configuration can be shown.
    void RequireLists() const;
    // The registry's band lists (a note on stderr when the region has none).
    void RequireBands() const;
    // Everything show, set and diff need: the lists, the bands and the region.
    void RequireConfigurationData() const;
    // The link's clock: simulated time with --simulate, so a device's seconds are the protocol's.
    Clock& LinkClock() { return clock_; }
    // Why no region could be chosen, for a note; empty when one was.
    std::string RegionProblem() const { return regionError_ ? regionError_->what() : std::string(); }

    // Reads a configuration file; a file shorter than 256 bytes, missing or unreadable is a file
    // error, and so is a longer one when refuseLonger is set (writing it back would cut it).
    ProgData::Bytes ReadImage(const std::string& path, bool refuseLonger);
    // Shows an image in the editor (family A also gets its action descriptions); the result code.
    ConversionResult Load(const ProgData::Bytes& image);
    // Family A's action descriptions for the image in the editor, as the window's timer makes them.
    void ShowActionDescriptions(const ProgData::Bytes& image);
    // The text of the compatibility message for a result, empty for success.
    std::string ResultMessage(ConversionResult result, const ProgData::Bytes& image) const;

private:
    void ChooseRegion(const std::string& wanted);

    std::optional<RegionName> region_;
    std::optional<CliError> regionError_;
    std::optional<CliError> listsError_;
    std::optional<CliError> registryError_;
    std::string bandNote_;
};

} // namespace vorn::cli
