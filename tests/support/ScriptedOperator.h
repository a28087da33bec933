#pragma once

#include "files/SelectRegionDialog.h"
#include "view/AboutView.h"
#include "view/DialogView.h"
#include "view/EventPump.h"
#include "view/MainWindowView.h"

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vorn::test {

// An operator for tests, in the roles of the dialogs and the main window: every call is recorded, and
// the answers of modal dialogs are taken from queues filled beforehand. A dialog shown with no answer
// queued fails the test and is answered DialogResult::None (closed without a choice); a file dialog
// is then cancelled.
class ScriptedOperator : public SilentDialogView,
                         public SilentMainWindowView,
                         public SelectRegionView,
                         public AboutView,
                         public EventPump {
public:
    struct StandardMessage {
        MessageIcon icon;
        std::string text;
    };

    // Queues the answer of the next message dialog.
    void AnswerDialog(DialogResult result) { dialogAnswers_.push_back(result); }
    std::size_t PendingDialogAnswers() const { return dialogAnswers_.size(); }

    void ShowStandardMessage(MessageIcon icon, const std::string& text) override;
    DialogResult ShowMessageDialog(const MessageDialog& dialog) override;
    void SetStatusText(const std::string& text) override;
    void ApplyControlTexts(const std::vector<ControlText>& texts) override;
    void SetLanguageMenu(const std::vector<LanguageMenuItem>& items, bool enabled) override;
    void CheckLanguageMenuItem(int tag) override;

    const std::vector<StandardMessage>& StandardMessages() const { return standardMessages_; }
    const std::vector<MessageDialog>& Dialogs() const { return dialogs_; }
    const std::vector<std::string>& StatusTexts() const { return statusTexts_; }
    // The status bar as it stands: the last text set, empty before any.
    std::string StatusText() const { return statusTexts_.empty() ? std::string() : statusTexts_.back(); }

    // The control texts as the view holds them now (the latest text of each control and property).
    std::optional<std::string> ControlTextOf(const std::string& control, ControlProperty property) const;
    std::size_t ControlTextCount() const { return controlTexts_.size(); }
    std::size_t ApplyCalls() const { return applyCalls_; }

    const std::vector<LanguageMenuItem>& LanguageMenu() const { return languageMenu_; }
    bool LanguageMenuEnabled() const { return languageMenuEnabled_; }
    // The tag of the checked language item, or -1.
    int CheckedLanguageTag() const;

    // Forgets every recorded call (queued answers and the main window's state stay).
    void ClearRecords();

    // ---- The main window's state as the core set it ----------------------------------------------------
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    void SetDocumentCaption(const std::string& caption, bool modified, std::size_t) override {
        caption_ = caption;
        modified_ = modified;
    }
    // The caption's marker of unsaved changes.
    bool Modified() const { return modified_; }
    void SetPageTabVisible(std::string_view page, bool visible) override;
    void SetActivePage(std::string_view page) override { activePage_ = page; }
    std::string ActivePage() const override { return activePage_; }
    void SetControlVisible(std::string_view control, bool visible) override;
    void SetControlEnabled(std::string_view control, bool enabled) override;
    void SetFocus(std::string_view control) override { focus_ = control; }

    const std::string& Caption() const { return caption_; }
    // Pages with a visible tab, in the page control's order.
    std::vector<std::string> VisibleTabs() const;
    // nullopt: the core never set it (the window's design value stands).
    std::optional<bool> ControlVisible(const std::string& control) const;
    std::optional<bool> ControlEnabled(const std::string& control) const;
    const std::string& Focus() const { return focus_; }

    // ---- File dialogs
    // --------------------------------------------------------------------------------------- Queues the path
    // the next open (or save) dialog returns; nullopt cancels it.
    void AnswerOpenFile(std::optional<std::string> path) { openAnswers_.push_back(std::move(path)); }
    void AnswerSaveFile(std::optional<std::string> path) { saveAnswers_.push_back(std::move(path)); }
    std::optional<std::string> AskOpenFile(const FileDialogSetup& setup) override;
    std::optional<std::string> AskSaveFile(const FileDialogSetup& setup) override;
    const std::vector<FileDialogSetup>& OpenDialogs() const { return openDialogs_; }
    const std::vector<FileDialogSetup>& SaveDialogs() const { return saveDialogs_; }
    std::size_t PendingFileAnswers() const { return openAnswers_.size() + saveAnswers_.size(); }

    // ---- The select-region dialog
    // -------------------------------------------------------------------------- What the operator does when
    // the dialog shows: choose the item (-1: leave the selection), then press the button (Ok or Close; None
    // closes the window without either).
    struct RegionAct {
        int index = -1;
        DialogResult button = DialogResult::Ok;
    };
    void AnswerSelectRegion(RegionAct act) { regionAnswers_.push_back(act); }
    void Show(SelectRegionDialog& dialog) override;
    struct RegionDialogShown {
        std::string caption;
        std::vector<std::string> items;
        int selected = -1;
        bool closeVisible = false;
        std::vector<ControlText> texts;
    };
    const std::vector<RegionDialogShown>& RegionDialogs() const { return regionDialogs_; }

    // ---- The about window and the event pump
    // ---------------------------------------------------------------
    void ShowAbout(const AboutWindowData& data) override { aboutWindows_.push_back(data); }
    const std::vector<AboutWindowData>& AboutWindows() const { return aboutWindows_; }
    void ProcessPendingEvents() override { ++pumpCalls_; }
    int PumpCalls() const { return pumpCalls_; }

private:
    std::string caption_;
    bool modified_ = false;
    std::vector<std::pair<std::string, bool>> tabs_;
    std::string activePage_;
    std::map<std::string, bool> controlVisible_;
    std::map<std::string, bool> controlEnabled_;
    std::string focus_;
    std::deque<std::optional<std::string>> openAnswers_;
    std::deque<std::optional<std::string>> saveAnswers_;
    std::vector<FileDialogSetup> openDialogs_;
    std::vector<FileDialogSetup> saveDialogs_;
    std::deque<RegionAct> regionAnswers_;
    std::vector<RegionDialogShown> regionDialogs_;
    std::vector<AboutWindowData> aboutWindows_;
    int pumpCalls_ = 0;

    std::deque<DialogResult> dialogAnswers_;
    std::vector<StandardMessage> standardMessages_;
    std::vector<MessageDialog> dialogs_;
    std::vector<std::string> statusTexts_;
    std::map<std::pair<std::string, ControlProperty>, std::string> controlTexts_;
    std::size_t applyCalls_ = 0;
    std::vector<LanguageMenuItem> languageMenu_;
    bool languageMenuEnabled_ = false;
};

} // namespace vorn::test
