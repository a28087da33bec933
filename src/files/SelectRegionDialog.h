#pragma once

#include "base/CodeList.h"
#include "model/FieldModel.h"
#include "view/ControlText.h"
#include "view/MessageDialog.h"
#include "view/ModalView.h"

#include <string>
#include <string_view>
#include <vector>

// The select-region dialog's logic (the window TfrmSelectRegion): its region list cbbxRegion as a
// field, its texts, whether its Close button shows, and how it was closed. A view shows the window
// bound to this object; the operator's acts (choosing a region, OK, Close) come back through it.
namespace vorn {

class ListIni;
class SelectRegionDialog;
using SelectRegionView = ModalView<SelectRegionDialog>;

class SelectRegionDialog {
public:
    static constexpr std::string_view RegionField = "cbbxRegion";
    // Dialog modes: 1 shows the Close button, 2 hides it; any other value changes nothing.
    static constexpr int ModeWithClose = 1;
    static constexpr int ModeWithoutClose = 2;

    SelectRegionDialog();
    SelectRegionDialog(const SelectRegionDialog&) = delete;
    SelectRegionDialog& operator=(const SelectRegionDialog&) = delete;

    void SetMode(int mode);
    bool CloseVisible() const { return closeVisible_; }

    // PrepareRegionDialog: the texts of the current language, the regions' display texts, and the
    // given region selected (the first when the list lacks it).
    void Prepare(const ListIni& texts, const CodeList& regions, std::string_view region);

    const std::string& Caption() const { return caption_; }
    // lblSelectRegion, btnOk and btnClose.
    const std::vector<ControlText>& ControlTexts() const { return controlTexts_; }
    FieldModel& Fields() { return fields_; }
    const FieldModel& Fields() const { return fields_; }

    // The operator's buttons: each closes the dialog with its result. Close does nothing while the
    // button is hidden.
    void OkClick();
    void CloseClick();
    bool Closed() const { return closed_; }
    // Ok, Close, or None while open or when the window was closed another way.
    DialogResult Result() const { return result_; }

    // SelectRegion: the chosen region's name, the current one (Close), or empty. A single region is
    // chosen without showing the dialog.
    std::string SelectRegion(const ListIni& texts, const CodeList& regions, std::string_view current,
                             SelectRegionView& view);

private:
    FieldModel fields_;
    std::string caption_;
    std::vector<ControlText> controlTexts_;
    bool closeVisible_ = false; // hidden when the dialog is created
    bool closed_ = false;
    DialogResult result_ = DialogResult::None;
};

using SilentSelectRegionView = SilentView<SelectRegionDialog>;

} // namespace vorn
