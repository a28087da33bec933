#pragma once

#include "view/DialogView.h"
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
// queued fails the test and is answered DialogResult::None (closed without a choice).
class ScriptedOperator : public SilentDialogView, public SilentMainWindowView {
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

    // Forgets every recorded call (queued answers stay).
    void ClearRecords();

private:
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
