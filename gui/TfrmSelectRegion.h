#pragma once

#include "files/SelectRegionDialog.h"

#include <memory>

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace vorn::gui {

class FieldBinder;

// The select-region dialog (frmSelectRegion): the region list in a group, OK, and Close (shown only
// when the region is changed later, not at the first start). No title-bar buttons: the operator
// answers with the buttons. Its logic is the core's SelectRegionDialog, bound while it is shown.
class TfrmSelectRegion : public QDialog, public SelectRegionView {
public:
    explicit TfrmSelectRegion(QWidget* owner);
    ~TfrmSelectRegion() override;

    // Shows the window modally over its owner, bound to the dialog's logic, until the logic closes it
    // (OK, Close) or the window is closed another way.
    void Show(SelectRegionDialog& dialog) override;
    // Binds and fills the window from the dialog's logic without showing it.
    void Attach(SelectRegionDialog& dialog);
    void Detach();

private:
    void Press(void (SelectRegionDialog::*button)());

    SelectRegionDialog* dialog_ = nullptr;
    std::unique_ptr<FieldBinder> binder_;
    QLabel* lblSelectRegion_ = nullptr;
    QComboBox* cbbxRegion_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnClose_ = nullptr;
};

} // namespace vorn::gui
