#include "support/ScriptedOperator.h"

#include <gtest/gtest.h>

namespace vorn::test {

void ScriptedOperator::ShowStandardMessage(MessageIcon icon, const std::string& text) {
    standardMessages_.push_back({icon, text});
}

DialogResult ScriptedOperator::ShowMessageDialog(const MessageDialog& dialog) {
    dialogs_.push_back(dialog);
    if (dialogAnswers_.empty()) {
        ADD_FAILURE() << "message dialog shown without a queued answer: " << dialog.text;
        return DialogResult::None;
    }
    const DialogResult answer = dialogAnswers_.front();
    dialogAnswers_.pop_front();
    return answer;
}

void ScriptedOperator::SetStatusText(const std::string& text) {
    statusTexts_.push_back(text);
}

void ScriptedOperator::ApplyControlTexts(const std::vector<ControlText>& texts) {
    ++applyCalls_;
    for (const auto& t : texts) {
        controlTexts_[{t.control, t.property}] = t.text;
    }
}

void ScriptedOperator::SetLanguageMenu(const std::vector<LanguageMenuItem>& items, bool enabled) {
    languageMenu_ = items;
    languageMenuEnabled_ = enabled;
}

void ScriptedOperator::CheckLanguageMenuItem(int tag) {
    for (auto& item : languageMenu_) {
        item.checked = item.tag == tag;
    }
}

std::optional<std::string> ScriptedOperator::ControlTextOf(const std::string& control,
                                                           ControlProperty property) const {
    const auto found = controlTexts_.find({control, property});
    if (found == controlTexts_.end()) {
        return std::nullopt;
    }
    return found->second;
}

int ScriptedOperator::CheckedLanguageTag() const {
    for (const auto& item : languageMenu_) {
        if (item.checked) {
            return item.tag;
        }
    }
    return -1;
}

void ScriptedOperator::ClearRecords() {
    standardMessages_.clear();
    dialogs_.clear();
    statusTexts_.clear();
    controlTexts_.clear();
    applyCalls_ = 0;
    languageMenu_.clear();
    languageMenuEnabled_ = false;
}

} // namespace vorn::test
