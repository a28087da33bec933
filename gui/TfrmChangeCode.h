#pragma once

#include "session/ChangeCodeDialog.h"
#include "view/ChangeCodeView.h"

#include <memory>

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vorn::gui {

class FieldBinder;

// The change-ID-code dialog (frmChangeCode): a note, the presence unit's new radio ID code, Change
// and Close. Its logic is the core's ChangeCodeDialog, bound while it is shown: the code field's keys
// go through the core's filter (hexadecimal digits, letters in upper case), Change runs the change
// with its own windows, and Close, Escape or the close box close it.
class TfrmChangeCode : public QDialog, public ChangeCodeView {
public:
    static constexpr int ClientWidth = 400;
    static constexpr int ClientHeight = 236;

    explicit TfrmChangeCode(QWidget* owner);
    ~TfrmChangeCode() override;

    void Show(ChangeCodeDialog& dialog) override;
    // Binds and fills the window from the dialog's logic without showing it.
    void Attach(ChangeCodeDialog& dialog);
    void Detach();

protected:
    void reject() override;

private:
    ChangeCodeDialog* dialog_ = nullptr;
    std::unique_ptr<FieldBinder> binder_;
    QPlainTextEdit* mmoNote_ = nullptr;
    QLineEdit* edtNewCode_ = nullptr;
    QPushButton* btnChange_ = nullptr;
    QPushButton* btnClose_ = nullptr;
};

} // namespace vorn::gui
