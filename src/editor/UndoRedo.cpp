#include "editor/Editor.h"

#include <utility>

namespace vorn {

bool Editor::CanUndo() const {
    return fields_.Editing() || fields_.History().CanUndo();
}

bool Editor::CanRedo() const {
    return !fields_.Editing() && fields_.History().CanRedo();
}

EditStep* Editor::Undo() {
    if (fields_.Editing()) {
        fields_.Restore(fields_.FocusedName());
        return nullptr;
    }
    EditStep* step = fields_.History().Undo();
    if (step != nullptr) {
        ApplyStep(*step, false);
    }
    return step;
}

EditStep* Editor::Redo() {
    if (fields_.Editing()) {
        return nullptr;
    }
    EditStep* step = fields_.History().Redo();
    if (step != nullptr) {
        ApplyStep(*step, true);
    }
    return step;
}

void Editor::ApplyStep(const EditStep& step, bool forward) {
    {
        // The step holds what the rules did along with the edit: they must not do it again.
        const EditHistory::Pause pause(fields_.History());
        const bool filling = std::exchange(Filling, true);
        if (forward) {
            for (const FieldEdit& edit : step.edits) {
                fields_.SetValue(edit.field, edit.after);
            }
        } else {
            for (auto edit = step.edits.rbegin(); edit != step.edits.rend(); ++edit) {
                fields_.SetValue(edit->field, edit->before);
            }
        }
        Filling = filling;
    }
    UpdateUserTypeEnabling(0);
    UpdateActionEnabling(0);
    RefreshOverflowHints();
    RefreshPotentiometerHint();
    ActionListDirty = true;
}

} // namespace vorn
