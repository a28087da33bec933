#pragma once

#include "editor/Editor.h"
#include "lang/ListIni.h"
#include "support/ScriptedOperator.h"
#include "support/TestLists.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vorn::test {

// A scripted operator that answers every message dialog with OK (the range messages have no other
// button) and records it.
class OkOperator : public ScriptedOperator {
public:
    DialogResult ShowMessageDialog(const MessageDialog& dialog) override {
        AnswerDialog(DialogResult::Ok);
        return ScriptedOperator::ShowMessageDialog(dialog);
    }
};

// The main window's editor with the English texts and lists.
struct EditorHarness {
    explicit EditorHarness(char32_t separator = '.');

    CodeLists lists;
    ListIni texts;
    OkOperator view;
    std::unique_ptr<Editor> editor;
    FieldModel& fields() { return editor->Fields(); }

    // The message texts shown since the last call, each answered with OK.
    std::vector<std::string> TakeMessages();
    // Clears a field and types the text key by key, going on after a refused key; returns the
    // messages shown meanwhile.
    std::vector<std::string> Type(const std::string& field, const std::string& text);
    // The range message as the English texts word it.
    std::string RangeMessage(const std::string& lowest, const std::string& highest) const;

private:
    std::size_t seen_ = 0;
};

} // namespace vorn::test
