#pragma once

#include "session/CompareDialog.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace vorn::gui {

// The comparison window (frmCompare): what the device holds otherwise than the edited configuration,
// a field a row (its caption, this configuration, the device), with a button that takes the device's
// configuration and one that closes. Its logic is the core's CompareDialog, bound while it is shown.
class TfrmCompare : public QDialog, public CompareView {
public:
    static constexpr int ClientWidth = 720;
    static constexpr int ClientHeight = 440;

    explicit TfrmCompare(QWidget* owner);
    ~TfrmCompare() override;

    void Show(CompareDialog& dialog) override;
    // Binds and fills the window from the dialog's logic without showing it.
    void Attach(CompareDialog& dialog);
    void Detach();

protected:
    void reject() override;

private:
    CompareDialog* dialog_ = nullptr;
    QTreeWidget* lvCompare_ = nullptr;
    QPushButton* btnTake_ = nullptr;
    QPushButton* btnClose_ = nullptr;
};

} // namespace vorn::gui
