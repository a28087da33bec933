// The Edit menu: undo and redo of the editor, and the commands that are one step of its history.
#include "app/ProgramController.h"
#include "base/AsciiText.h"
#include "lang/FieldCaption.h"
#include "lang/TextFormat.h"
#include "model/Catalogue.h"
#include "model/EditorLayout.h"

#include <algorithm>

namespace vorn {

namespace {

// The labels of the steps that are no field edit (the others are named by their field).
constexpr std::string_view ReadStepLabel = "mnuCommReadFromDevice";
constexpr std::string_view DefaultStepLabel = "bbtnDevice";

// The editor page that shows a field; empty for none.
std::string PageOfField(std::string_view field) {
    for (const LayoutGroup& group : EditorLayout()) {
        for (const LayoutRow& row : group.rows) {
            if (std::find(row.fields.begin(), row.fields.end(), field) != row.fields.end()) {
                return group.page;
            }
        }
    }
    return {};
}

} // namespace

void ProgramController::mnuEditUndoClick() {
    UndoOrRedo(false);
}

void ProgramController::mnuEditRedoClick() {
    UndoOrRedo(true);
}

void ProgramController::UndoOrRedo(bool forward) {
    if (editor_->Filling || sessions_->Busy()) {
        return;
    }
    const FieldModel& fields = editor_->Fields();
    const std::string typedInto = !forward && fields.Editing() ? fields.FocusedName() : std::string();
    EditStep* step = forward ? editor_->Redo() : editor_->Undo();
    if (step == nullptr && typedInto.empty()) {
        return;
    }
    // The status bar says what changed, which may be on a page not in sight or replace a read.
    window_->SetStatusText(
        FormatText(texts_.Text("COMMON", forward ? "STATUS-REDONE_NN" : "STATUS-UNDONE_NN"),
                   {step != nullptr ? StepName(step->label, step) : StepName(typedInto, nullptr)}));
    if (step != nullptr && step->configuration) {
        // The configuration as it is now is where the other direction comes back to, so a save made
        // since the step is not forgotten by undoing it and doing it again.
        ConfigurationChange& change = *step->configuration;
        (forward ? change.before : change.after) = StateOf(currentConfig_);
        RestoreState(currentConfig_, forward ? change.after : change.before);
        ShowPagesForModel();
    } else if (step != nullptr) {
        ShowPageOfStep(*step);
    }
    UpdateCaption();
    RefreshEditMenu();
}

void ProgramController::ShowPageOfStep(const EditStep& step) {
    const std::string active = window_->ActivePage();
    std::string shown;
    for (const FieldEdit& edit : step.edits) {
        const std::string page = PageOfField(edit.field);
        if (page == active) {
            return; // the change is in sight
        }
        if (shown.empty() && PageTabVisible(page)) {
            shown = page;
        }
    }
    if (!shown.empty()) {
        window_->SetActivePage(shown);
    }
}

void ProgramController::BeginStep(std::string label) {
    stepStart_ = StateOf(currentConfig_);
    editor_->Fields().History().Begin(std::move(label));
}

void ProgramController::EndStep(bool replacesConfiguration) {
    std::optional<ConfigurationChange> change;
    if (replacesConfiguration) {
        change = ConfigurationChange{stepStart_, StateOf(currentConfig_)};
    }
    editor_->Fields().History().End(std::move(change));
    RefreshEditMenu();
}

void ProgramController::ClearHistory() {
    editor_->Fields().History().Clear();
    RefreshEditMenu();
}

std::string ProgramController::StepName(std::string_view label, const EditStep* step) const {
    if (label == ReadStepLabel) {
        return texts_.Text("COMMON", "FORM_CAPTION-READ_FROM_DEVICE");
    }
    if (label == DefaultStepLabel) {
        std::string name = texts_.Text("COMMON", "FORM_CAPTION-DEFAULT");
        if (step != nullptr && step->configuration) {
            const std::string product = ProductName(step->configuration->after.image[ProductTypeAddress]);
            name += product.empty() ? "" : " - " + product;
        }
        return name;
    }
    return FieldCaption(texts_, label);
}

void ProgramController::RefreshEditMenu() {
    if (editor_->Filling) {
        return; // an image being shown: the command that shows it refreshes the menu at its end
    }
    const FieldModel& fields = editor_->Fields();
    const EditHistory& history = fields.History();
    // While a field is being typed in, Undo takes the typing back.
    const EditStep* undo = fields.Editing() ? nullptr : history.NextUndo();
    const std::string undoLabel = fields.Editing() ? fields.FocusedName() : undo ? undo->label : "";
    const EditStep* redo = editor_->CanRedo() ? history.NextRedo() : nullptr;
    const auto caption = [this](std::string_view key, const std::string& label, const EditStep* step) {
        if (label.empty()) {
            return texts_.Text("MENU", key);
        }
        return FormatText(texts_.Text("MENU", std::string(key) + "_NN"),
                          {EscapeAmpersands(StepName(label, step))});
    };
    const std::array<std::string, 2> captions{caption("EDIT-UNDO", undoLabel, undo),
                                              caption("EDIT-REDO", redo ? redo->label : "", redo)};
    window_->SetControlEnabled("mnuEditUndo", editor_->CanUndo());
    window_->SetControlEnabled("mnuEditRedo", redo != nullptr);
    if (captions != editMenuCaptions_) {
        editMenuCaptions_ = captions;
        window_->ApplyControlTexts({{"mnuEditUndo", ControlProperty::Caption, captions[0]},
                                    {"mnuEditRedo", ControlProperty::Caption, captions[1]}});
    }
}

} // namespace vorn
