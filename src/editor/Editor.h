#pragma once

#include "base/CodeLists.h"
#include "lang/ListIni.h"
#include "model/Conversion.h"
#include "model/FieldModel.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

class DialogView;

// How storing the editor into an image went. Nothing is stored unless Stored().
struct StoreReport {
    // The field being edited was refused when its edit was ended (its check has said so).
    bool editRefused = false;
    // Fields whose value the image cannot hold: a list without a choice, a pulse time that is no
    // number, a pair of transmission counts the unit cannot take.
    std::vector<std::string> unstorable;
    // The conversion's result, when it ran.
    ConversionResult result;
    // Fields that the stored image shows otherwise than the editor showed them.
    std::vector<std::string> shownOtherwise;

    bool Stored() const { return !editRefused && unstorable.empty() && result.Succeeded(); }
};

// The configuration editor of the main window: every field of the three families, the flags the
// editor rules share, the conversions between an image and the fields, the key filters and range
// checks of the fields, and the events, actions and action descriptions of family A.
class Editor {
public:
    Editor(CodeLists& lists, const ListIni& texts, DialogView& view);
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    FieldModel& Fields() { return fields_; }
    const FieldModel& Fields() const { return fields_; }
    CodeLists& Lists() { return lists_; }

    bool Filling = false;            // set while an image is shown; guarded handlers do nothing
    bool ActionListDirty = false;    // asks for the action descriptions to be rebuilt
    bool ActionsPageVisible = false; // the actions page is shown (a family A model is edited)

    // The locale's decimal separator: the pulse-time masks, their parsing and their texts.
    void SetDecimalSeparator(char32_t separator);
    char32_t DecimalSeparator() const { return decimalSeparator_; }
    // Shows or hides the four service fields of the positioning unit.
    void SetGofaServiceView(bool shown);

    // Shows an image in the fields of its family (family A then runs its dependent updates); -2 for
    // no family. Stores the fields into an image with the mapping of the image's own family.
    ConversionResult ImageToFields(const Image& image);
    ConversionResult FieldsToImage(Image& image);
    // Fields to image that leaves the editor exactly as it is (the pulse times stay as typed).
    ConversionResult FieldsToImageQuietly(Image& image);

    // Ends the operator's edit of the focused field as leaving it does, so that its checks run before
    // the editor is stored; false when the field was refused and put back.
    bool FinishEdit();
    // The way every command that keeps the editor (Save, Save as..., a write to a device) stores it:
    // the pending edit ended, the fields whose value the image cannot hold refused, then the
    // conversion into the image (which is only changed when everything is stored), and what the
    // stored image shows otherwise than the editor.
    StoreReport StoreFields(Image& image);
    // Once the stored image is kept (saved, written): shows it when it shows some fields otherwise,
    // so that the window shows what is kept, and returns the status note that says so ("" when the
    // editor showed it already).
    std::string ShowStored(const Image& image, const StoreReport& report);
    // The message for a store that found fields the image cannot hold, naming them.
    std::string UnstorableMessage(const StoreReport& report) const;
    // The fields of the image's family that the image shows otherwise than the editor does now.
    std::vector<std::string> FieldsShownOtherwise(const Image& image);
    // Shows an image in a field model of its own (its family's fields, with the editor's lists, masks
    // and decimal separator), so that the editor and its handlers stay untouched; the family's rows.
    const std::vector<FieldRow>& ShowApart(FieldModel& shown, const Image& image) const;

    // Refills every choice field from its code list, keeping the selected positions.
    void FillChoiceFields();

    // Undo and redo over the field model's history. While a field is being typed in, Undo puts back
    // its last accepted value (the typing is no step yet) and Redo has nothing to do; otherwise they
    // take the newest step back or forward. The values are put back as an image is shown (the
    // guarded rules keep quiet), then the rules that follow from them run for every row, so the
    // editor is as consistent as after a load.
    bool CanUndo() const;
    bool CanRedo() const;
    // The step taken back or forward, whose configuration (if it carries one) is the caller's to put
    // back; nullptr when there was none, or when Undo put back a field being typed in.
    EditStep* Undo();
    EditStep* Redo();

    // Events and actions.
    void UpdateUserTypeEnabling(int row);
    void UpdateActionEnabling(int row);
    void RefreshOverflowHints();
    // The positioning unit's potentiometer field explains a value outside its steps in its hint.
    void RefreshPotentiometerHint();
    // One tick of the action-list timer (every 350 ms): rebuilds the descriptions when asked to.
    void RebuildActionReferences();

private:
    ConversionContext Context();
    void BindFieldChecks();
    void BindActionRules();
    void ShowRangeMessage(std::string_view lowest, std::string_view highest);
    void CheckHexCode(const Field& sender);
    // A refused value: the field's last accepted value again; the reset value while an image is shown
    // or when the rule refuses the last accepted value as well.
    void RefuseValue(const std::string& field, const std::string& resetText,
                     const std::function<bool(const std::string&)>& refuses);
    void OverflowHint(std::string_view field);
    void AutomaticRule(const Field& sender);
    void UnitRadioIdChanged(const Field& sender);
    void ApplyStep(const EditStep& step, bool forward);

    CodeLists& lists_;
    const ListIni& texts_;
    DialogView& view_;
    FieldModel fields_;
    char32_t decimalSeparator_ = '.';
};

} // namespace vorn
