#pragma once

#include "base/CodeLists.h"
#include "lang/ListIni.h"
#include "model/Conversion.h"
#include "model/FieldModel.h"

#include <functional>
#include <string>
#include <string_view>

namespace vorn {

class DialogView;

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
    int ImageToFields(const Image& image);
    int FieldsToImage(Image& image);

    // Refills every choice field from its code list, keeping the selected positions.
    void FillChoiceFields();

    // Events and actions.
    void UpdateUserTypeEnabling(int row);
    void UpdateActionEnabling(int row);
    void RefreshOverflowHints();
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

    CodeLists& lists_;
    const ListIni& texts_;
    DialogView& view_;
    FieldModel fields_;
    char32_t decimalSeparator_ = '.';
};

} // namespace vorn
