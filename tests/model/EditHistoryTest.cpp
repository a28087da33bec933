// The undo history of the field model, replayed without the editor: the operator's acts and the
// program's steps become steps, and undoing one puts back every value it changed.
#include "model/FieldModel.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

enum class Op { Type, Leave, Click, ProgramSet, ProgramStep, Undo, Redo, Clear };

struct Row {
    Op op;
    const char* text; // typed, or set by the program
    const char* unit; // then: the fields' values
    const char* copy;
    bool checked;
    bool canUndo;
    bool canRedo;
};

TEST(EditHistory, AReplayOfEditsAndProgramStepsUndoesAndRedoesWholeSteps) {
    FieldModel model;
    model.Add({.name = "edtUnit"});
    model.Add({.name = "edtCopy"});
    model.Add({.name = "cbCheck", .kind = FieldKind::Check});
    bool applying = false;
    // A rule of the editor: the unit's code is copied while it is typed.
    model.On("edtUnit", FieldEvent::Change, [&](const Field& unit) {
        if (!applying) {
            model.SetText("edtCopy", unit.Text());
        }
    });
    // As the editor puts a step back: its values, with the rules quiet.
    const auto apply = [&](const EditStep* step, bool forward) {
        ASSERT_NE(step, nullptr);
        const EditHistory::Pause pause(model.History());
        applying = true;
        for (std::size_t i = 0; i < step->edits.size(); ++i) {
            const FieldEdit& edit = step->edits[forward ? i : step->edits.size() - 1 - i];
            model.SetValue(edit.field, forward ? edit.after : edit.before);
        }
        applying = false;
    };
    const Row rows[] = {
        {Op::Type, "12", "12", "12", false, false, false}, // not left yet: no step
        {Op::Leave, "", "12", "12", false, true, false},   // one step for both keys and the copy
        {Op::Click, "", "12", "12", true, true, false},
        {Op::ProgramSet, "77", "12", "77", true, true, false}, // the program's own change: no step
        {Op::ProgramStep, "AB", "AB", "AB", true, true, false},
        {Op::Undo, "", "12", "77", true, true, true},
        {Op::Undo, "", "12", "77", false, true, true},
        {Op::Undo, "", "", "", false, false, true},
        {Op::Redo, "", "12", "12", false, true, true},
        {Op::Type, "3", "123", "123", false, true, true},
        {Op::Leave, "", "123", "123", false, true, false}, // a new step drops the steps undone
        {Op::Undo, "", "12", "12", false, true, true},
        {Op::Clear, "", "12", "12", false, false, false},
    };
    int number = 0;
    for (const Row& row : rows) {
        switch (row.op) {
        case Op::Type: model.TypeText("edtUnit", row.text); break;
        case Op::Leave: model.Leave("edtUnit"); break;
        case Op::Click: model.Click("cbCheck"); break;
        case Op::ProgramSet: model.SetText("edtCopy", row.text); break;
        case Op::ProgramStep:
            model.History().Begin("read");
            model.SetText("edtUnit", row.text);
            model.History().End();
            break;
        case Op::Undo: apply(model.History().Undo(), false); break;
        case Op::Redo: apply(model.History().Redo(), true); break;
        case Op::Clear: model.History().Clear(); break;
        }
        ++number;
        EXPECT_EQ(model.Get("edtUnit").Text(), row.unit) << "row " << number;
        EXPECT_EQ(model.Get("edtCopy").Text(), row.copy) << "row " << number;
        EXPECT_EQ(model.Get("cbCheck").Checked(), row.checked) << "row " << number;
        EXPECT_EQ(model.History().CanUndo(), row.canUndo) << "row " << number;
        EXPECT_EQ(model.History().CanRedo(), row.canRedo) << "row " << number;
    }
}

} // namespace
} // namespace vorn
