#pragma once

#include "files/BackupsDialog.h"

#include <memory>

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace vorn::gui {

class FieldBinder;

// The backups window (frmBackups): the configurations kept from devices, newest first, with model,
// serial number and time, a filter by serial number, Open and Close. Its logic is the core's
// BackupsDialog, bound while it is shown: the filter's keys go through the core's filter (digits), the
// list shows the rows the logic lets through, and Open (or a double click) opens the chosen backup.
class TfrmBackups : public QDialog, public BackupsView {
public:
    static constexpr int ClientWidth = 620;
    static constexpr int ClientHeight = 420;

    explicit TfrmBackups(QWidget* owner);
    ~TfrmBackups() override;

    void Show(BackupsDialog& dialog) override;
    // Binds and fills the window from the dialog's logic without showing it.
    void Attach(BackupsDialog& dialog);
    void Detach();

protected:
    void reject() override;

private:
    // Follows the logic: the rows, the chosen one, Open's state, and the window closes with it.
    void Follow();

    BackupsDialog* dialog_ = nullptr;
    std::unique_ptr<FieldBinder> binder_;
    QLineEdit* edtSerialFilter_ = nullptr;
    QTreeWidget* lvBackups_ = nullptr;
    QPushButton* btnOpen_ = nullptr;
    QPushButton* btnClose_ = nullptr;
    bool following_ = false;
};

} // namespace vorn::gui
