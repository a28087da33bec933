#pragma once

#include "model/FieldValue.h"
#include "model/ProgData.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// One field's change within a step: its last accepted value before and after.
struct FieldEdit {
    std::string field;
    FieldValue before;
    FieldValue after;
};

// The configuration around the fields, for the steps that replace it (a read, a default loaded):
// the image with its two copies, the file it belongs to and where it came from.
struct ConfigurationState {
    ProgData::Bytes image{};
    ProgData::Bytes savedCopy{};
    ProgData::Bytes comparisonCopy{};
    std::string filePath;
    Origin origin = Origin::None;
    friend bool operator==(const ConfigurationState&, const ConfigurationState&) = default;
};
ConfigurationState StateOf(const ProgData& data);
// Puts the state back; the transfer states of the bytes stay as they are.
void RestoreState(ProgData& data, const ConfigurationState& state);

struct ConfigurationChange {
    ConfigurationState before;
    ConfigurationState after;
};

// What the operator did in one go, with everything the editor's rules changed along with it.
struct EditStep {
    // The field the operator edited, or the name the program gave its step (a menu item, say).
    std::string label;
    std::vector<FieldEdit> edits; // in the order in which the fields first changed
    std::optional<ConfigurationChange> configuration;
};

// The undo history of the editor, fed by its field model (FieldModel::History), which reports every
// change of a field's last accepted value. The changes become steps:
// - the operator's completed edit (a text field left, an item chosen, a box clicked) closes a step
//   with every change the field's rules made since the edit began (the unit's code copied into the
//   automatic actions while it was typed, an automatic action's radio ID code);
// - an act of the operator that leaves no edit open closes a step with what it changed (a value that
//   a check put back when the field was left);
// - what the program does between Begin and End is one step (a read, a default loaded), which may
//   carry the configuration around the fields;
// - any other change by the program (an image shown, lists refilled) is no step.
// A new step clears the steps undone. Undo and Redo hand a step over; the editor puts its values
// back and runs its rules (Editor::Undo).
class EditHistory {
public:
    static constexpr std::size_t MaxSteps = 100;

    // From the field model. operatorAtWork: an act of the operator is under way, or a field holds an
    // edit that is not accepted yet.
    void Heard(std::string_view field, const FieldValue& before, const FieldValue& after, bool byOperator,
               bool operatorAtWork);
    // The operator's act is over; editing: a field still holds an edit that is not accepted yet.
    void ActEnded(bool editing);

    // The program's own step: everything from the outermost Begin to its End.
    void Begin(std::string label);
    void End(std::optional<ConfigurationChange> configuration = std::nullopt);

    // A new configuration in the editor starts a fresh history.
    void Clear();

    bool CanUndo() const { return !done_.empty(); }
    bool CanRedo() const { return !undone_.empty(); }
    // The step Undo (Redo) would hand over; nullptr when there is none.
    const EditStep* NextUndo() const { return done_.empty() ? nullptr : &done_.back(); }
    const EditStep* NextRedo() const { return undone_.empty() ? nullptr : &undone_.back(); }
    // Takes the newest step back (or forward again) and hands it over to be applied; nullptr when
    // there is none. The step stays valid until the history next changes.
    EditStep* Undo();
    EditStep* Redo();

    // While one lives, the changes heard are no steps (a step being put back).
    class Pause {
    public:
        explicit Pause(EditHistory& history) : history_(history) { ++history_.paused_; }
        ~Pause() { --history_.paused_; }
        Pause(const Pause&) = delete;
        Pause& operator=(const Pause&) = delete;

    private:
        EditHistory& history_;
    };

private:
    // The changes heard so far become a step, unless they changed nothing after all.
    void Close(std::string label, std::optional<ConfigurationChange> configuration = std::nullopt);

    std::vector<FieldEdit> pending_;
    std::vector<EditStep> done_;
    std::vector<EditStep> undone_;
    std::string programLabel_;
    int open_ = 0;
    int paused_ = 0;
};

} // namespace vorn
