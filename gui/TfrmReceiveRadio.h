#pragma once

#include "session/ReceiveRadioDialog.h"
#include "view/ReceiveRadioView.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

namespace vorn::gui {

// The receive-radio dialog (frmReceiveRadio): waits, modally, for the operator to press a presence
// unit's button, with the unit's picture, what to do, and Abort. While it is shown, tmrPollKduInfo
// ticks the dialog's logic at its interval (the info poll); the logic closes the window with the
// unit's outcome, Abort (or Escape) with the abort result. Fixed size, no close box.
class TfrmReceiveRadio : public QDialog, public ReceiveRadioView {
public:
    static constexpr int ClientWidth = 480;
    static constexpr int ClientHeight = 196;
    // The group box gbTransmitter; the action text takes its share of this width.
    static constexpr int GroupWidth = 456;

    explicit TfrmReceiveRadio(QWidget* owner);
    ~TfrmReceiveRadio() override;

    void Show(ReceiveRadioDialog& dialog) override;
    int ActionGroupWidth() const override;
    // Fills the window from the dialog's logic without showing it.
    void Attach(ReceiveRadioDialog& dialog);
    void Detach();

    QTimer* PollTimer() const { return tmrPollKduInfo_; }

protected:
    void reject() override;

private:
    ReceiveRadioDialog* dialog_ = nullptr;
    QGroupBox* gbTransmitter_ = nullptr;
    QLabel* imgTransmitter1_ = nullptr;
    QLabel* imgTransmitter2_ = nullptr;
    QLabel* lblAction_ = nullptr;
    QPushButton* btbtnAbort_ = nullptr;
    QTimer* tmrPollKduInfo_ = nullptr;
};

} // namespace vorn::gui
