#include "editor/Editor.h"

#include "model/Catalogue.h"
#include "model/PulseTime.h"

namespace vorn {

namespace {

constexpr Family Families[] = {Family::A, Family::B, Family::C};
constexpr std::string_view PulseTimeFields[] = {"medtPulseActivationTime", "medtGOFA_RelayPulseTime"};
constexpr std::string_view ServiceFields[] = {"edtGOFA_RadioProtocol", "edtGOFA_RfidProtocol",
                                              "edtGOFA_RadioTxPower", "edtGOFA_WatchdogReset"};

} // namespace

Editor::Editor(CodeLists& lists, const ListIni& texts, DialogView& view)
    : lists_(lists), texts_(texts), view_(view) {
    for (Family family : Families) {
        RegisterFields(fields_, FieldRowsOf(family));
    }
    FillChoiceFields();
    BindFieldChecks();
    BindActionRules();
}

ConversionContext Editor::Context() {
    return {fields_, lists_, decimalSeparator_, &Filling};
}

void Editor::SetDecimalSeparator(char32_t separator) {
    decimalSeparator_ = separator;
    for (std::string_view field : PulseTimeFields) {
        fields_.SetInputMask(field, PulseTimeMask(separator));
    }
}

void Editor::SetGofaServiceView(bool shown) {
    for (std::string_view field : ServiceFields) {
        fields_.SetVisible(field, shown);
    }
}

ConversionResult Editor::ImageToFields(const Image& image) {
    const ConversionResult result = vorn::ImageToFields(Context(), image);
    switch (FamilyOf(image[ProductTypeAddress])) {
    case Family::A:
        UpdateUserTypeEnabling(0);
        UpdateActionEnabling(0);
        RefreshOverflowHints();
        ActionListDirty = true;
        break;
    case Family::C: RefreshPotentiometerHint(); break;
    default: break;
    }
    return result;
}

ConversionResult Editor::FieldsToImage(Image& image) {
    return vorn::FieldsToImage(Context(), image);
}

ConversionResult Editor::FieldsToImageQuietly(Image& image) {
    ConversionContext context = Context();
    context.showStoredPulseTimes = false;
    return vorn::FieldsToImage(context, image);
}

void Editor::FillChoiceFields() {
    for (Family family : Families) {
        vorn::FillChoiceFields(fields_, lists_, FieldRowsOf(family));
    }
}

} // namespace vorn
