#include "files/SelectRegionDialog.h"

#include "lang/ListIni.h"

namespace vorn {

SelectRegionDialog::SelectRegionDialog() {
    fields_.Add({.name = std::string(RegionField), .kind = FieldKind::Choice, .list = "Regions"});
}

void SelectRegionDialog::SetMode(int mode) {
    if (mode == ModeWithClose) {
        closeVisible_ = true;
    } else if (mode == ModeWithoutClose) {
        closeVisible_ = false;
    }
}

void SelectRegionDialog::Prepare(const ListIni& texts, const CodeList& regions, std::string_view region) {
    caption_ = texts.Text("COMMON", "TEXT-APPLICATION_TITLE");
    controlTexts_ = {
        {"lblSelectRegion", ControlProperty::Caption, texts.Text("SELECT_REGION", "LABEL-SELECT_REGION")},
        {"btnClose", ControlProperty::Caption, texts.Text("COMMON", "BUTTON-CLOSE")},
        {"btnOk", ControlProperty::Caption, texts.Text("COMMON", "BUTTON-OK")},
    };
    fields_.SetItems(RegionField, DisplayTexts(regions));
    const int index = IndexOfName(regions, region);
    fields_.SetIndex(RegionField, index < 0 ? 0 : index);
    closed_ = false;
    result_ = DialogResult::None;
}

void SelectRegionDialog::OkClick() {
    closed_ = true;
    result_ = DialogResult::Ok;
}

void SelectRegionDialog::CloseClick() {
    if (!closeVisible_) {
        return;
    }
    closed_ = true;
    result_ = DialogResult::Close;
}

std::string SelectRegionDialog::SelectRegion(const ListIni& texts, const CodeList& regions,
                                             std::string_view current, SelectRegionView& view) {
    Prepare(texts, regions, current);
    const std::string& selected = fields_.Get(RegionField).Text();
    if (regions.size() == 1) {
        return NameOfText(regions, selected);
    }
    view.Show(*this);
    switch (closed_ ? result_ : DialogResult::None) {
    case DialogResult::Ok: return NameOfText(regions, fields_.Get(RegionField).Text());
    case DialogResult::Close: return std::string(current);
    default: return {};
    }
}

} // namespace vorn
