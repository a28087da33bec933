#pragma once

#include "lang/ListIni.h"
#include "session/FieldDifferences.h"
#include "view/ControlText.h"
#include "view/ModalState.h"
#include "view/ModalView.h"

#include <string>
#include <vector>

// The comparison window's logic (TfrmCompare): the fields in which the device differs from the edited
// configuration (caption, this configuration, the device), a button that takes the device's
// configuration as a read would, and one that closes.
namespace vorn {

class CompareDialog : public ModalState {
public:
    static constexpr int ResultTake = 1;
    static constexpr int ResultClose = 2;

    // The texts of the current language, the differing fields and the device they were read from
    // ("TARV 1001").
    void Prepare(const ListIni& texts, std::vector<FieldDifference> differences, const std::string& device);

    const std::string& Caption() const { return caption_; }
    // lblCompareSummary, btnCompareTake and btnCompareClose.
    const std::vector<ControlText>& ControlTexts() const { return controlTexts_; }
    // The list's column headers: field, this configuration, the device.
    const std::vector<std::string>& Headers() const { return headers_; }
    const std::vector<FieldDifference>& Rows() const { return rows_; }

    void btnCompareTakeClick() { Finish(ResultTake); }
    void btnCompareCloseClick() { Finish(ResultClose); }
    // Opening: the flow calls it just before the view shows the window.
    void FormShow();

private:
    std::string caption_;
    std::vector<ControlText> controlTexts_;
    std::vector<std::string> headers_;
    std::vector<FieldDifference> rows_;
};

using CompareView = ModalView<CompareDialog>;
using SilentCompareView = SilentView<CompareDialog>;

} // namespace vorn
