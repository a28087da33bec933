#pragma once

#include "session/SelectDeviceDialog.h"
#include "view/SelectDeviceView.h"

#include <memory>

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vorn::gui {

class FieldBinder;

// The select-device dialog (frmSelectDevice): before a read or write of a device addressed by its
// serial number, the model, the serial number and the band the session starts on, with the
// instructions above them. Fixed size, 571 x 339, with a close box. Its logic is the core's
// SelectDeviceDialog, bound while it is shown: the serial field's keys go through the core's filter,
// the confirm button follows the core, Enter in the serial field confirms and Escape in any control
// cancels, as the core decides.
class TfrmSelectDevice : public QDialog, public SelectDeviceView {
public:
    static constexpr int ClientWidth = 571;
    static constexpr int ClientHeight = 339;
    // Rows the model list shows when it drops down.
    static constexpr int VisibleModels = 9;

    explicit TfrmSelectDevice(QWidget* owner);
    ~TfrmSelectDevice() override;

    // Shows the window modally over the middle of the main window, bound to the dialog's logic, until
    // the logic closes it (or the window is closed another way).
    void Show(SelectDeviceDialog& dialog) override;
    // Binds and fills the window from the dialog's logic without showing it.
    void Attach(SelectDeviceDialog& dialog);
    void Detach();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    // Follows the logic: the confirm button's state, and the window closes once the logic has closed.
    void Follow();

    SelectDeviceDialog* dialog_ = nullptr;
    std::unique_ptr<FieldBinder> binder_;
    QPlainTextEdit* mmoInstructions_ = nullptr;
    QComboBox* cbbxProducts_ = nullptr;
    QLineEdit* edtSerialNumber_ = nullptr;
    QComboBox* cbbxPrimaryFrequencyBand_ = nullptr;
    QPushButton* btnWriteOrRead_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace vorn::gui
