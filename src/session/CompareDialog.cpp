#include "session/CompareDialog.h"

#include "lang/TextFormat.h"

namespace vorn {

namespace {

constexpr std::string_view Section = "COMPARE";

} // namespace

void CompareDialog::Prepare(const ListIni& texts, std::vector<FieldDifference> differences,
                            const std::string& device) {
    rows_ = std::move(differences);
    caption_ = texts.Text(Section, "TITLE-COMPARE_WITH_DEVICE");
    const std::string summary =
        rows_.empty() ? FormatText(texts.Text(Section, "LABEL-DEVICE_NN_HOLDS_THIS_CONFIGURATION"), {device})
                      : FormatText(texts.Text(Section, "LABEL-DEVICE_NN_DIFFERS_IN_NN_FIELDS"),
                                   {device, static_cast<long long>(rows_.size())});
    controlTexts_ = {
        {"lblCompareSummary", ControlProperty::Caption, summary},
        {"btnCompareTake", ControlProperty::Caption, texts.Text(Section, "BUTTON-TAKE_DEVICE_CONFIGURATION")},
        {"btnCompareClose", ControlProperty::Caption, texts.Text("COMMON", "BUTTON-CLOSE")},
    };
    headers_ = {texts.Text(Section, "HEADER-FIELD"), texts.Text(Section, "HEADER-THIS_CONFIGURATION"),
                texts.Text(Section, "HEADER-DEVICE")};
}

void CompareDialog::FormShow() {
    Open();
}

} // namespace vorn
