#include "support/ScriptedOperator.h"

#include <algorithm>

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
    openDialogs_.clear();
    saveDialogs_.clear();
    regionDialogs_.clear();
    aboutWindows_.clear();
    pumpCalls_ = 0;
    standardMessages_.clear();
    dialogs_.clear();
    statusTexts_.clear();
    controlTexts_.clear();
    applyCalls_ = 0;
    languageMenu_.clear();
    languageMenuEnabled_ = false;
}

void ScriptedOperator::SetPageTabVisible(std::string_view page, bool visible) {
    for (auto& [name, shown] : tabs_) {
        if (name == page) {
            shown = visible;
            return;
        }
    }
    tabs_.emplace_back(std::string(page), visible);
}

std::vector<std::string> ScriptedOperator::VisibleTabs() const {
    // The page control's tab order; pages it does not know follow.
    static const std::vector<std::string> order{"tbsSelectDevice", "tbsButtons",     "tbsRadioEvents",
                                                "tbsActions",      "tbsPreferences", "tbsHeskConfig",
                                                "tbsGofaRfid",     "tbsGofaRadio"};
    auto rank = [&](const std::string& page) {
        return std::find(order.begin(), order.end(), page) - order.begin();
    };
    std::vector<std::string> visible;
    for (const auto& [name, shown] : tabs_) {
        if (shown) {
            visible.push_back(name);
        }
    }
    std::stable_sort(visible.begin(), visible.end(),
                     [&](const std::string& a, const std::string& b) { return rank(a) < rank(b); });
    return visible;
}

void ScriptedOperator::SetControlVisible(std::string_view control, bool visible) {
    controlVisible_[std::string(control)] = visible;
}

void ScriptedOperator::SetControlEnabled(std::string_view control, bool enabled) {
    controlEnabled_[std::string(control)] = enabled;
}

std::optional<bool> ScriptedOperator::ControlVisible(const std::string& control) const {
    const auto found = controlVisible_.find(control);
    return found == controlVisible_.end() ? std::nullopt : std::optional<bool>(found->second);
}

std::optional<bool> ScriptedOperator::ControlEnabled(const std::string& control) const {
    const auto found = controlEnabled_.find(control);
    return found == controlEnabled_.end() ? std::nullopt : std::optional<bool>(found->second);
}

namespace {

std::optional<std::string> TakeFileAnswer(std::deque<std::optional<std::string>>& answers,
                                          const FileDialogSetup& setup) {
    if (answers.empty()) {
        ADD_FAILURE() << "file dialog \"" << setup.title << "\" shown without a queued answer";
        return std::nullopt;
    }
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

std::optional<std::string> ScriptedOperator::AskOpenFile(const FileDialogSetup& setup) {
    openDialogs_.push_back(setup);
    return TakeFileAnswer(openAnswers_, setup);
}

std::optional<std::string> ScriptedOperator::AskSaveFile(const FileDialogSetup& setup) {
    saveDialogs_.push_back(setup);
    return TakeFileAnswer(saveAnswers_, setup);
}

void ScriptedOperator::Show(SelectRegionDialog& dialog) {
    const Field& list = dialog.Fields().Get(SelectRegionDialog::RegionField);
    regionDialogs_.push_back(
        {dialog.Caption(), list.Items(), list.Index(), dialog.CloseVisible(), dialog.ControlTexts()});
    if (regionAnswers_.empty()) {
        ADD_FAILURE() << "select-region dialog shown without a queued answer";
        return;
    }
    const RegionAct act = regionAnswers_.front();
    regionAnswers_.pop_front();
    if (act.index >= 0) {
        EXPECT_TRUE(dialog.Fields().Select(SelectRegionDialog::RegionField, act.index));
    }
    if (act.button == DialogResult::Ok) {
        dialog.OkClick();
    } else if (act.button == DialogResult::Close) {
        dialog.CloseClick();
    }
}

} // namespace vorn::test
