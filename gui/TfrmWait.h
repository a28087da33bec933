#pragma once

#include "view/WaitView.h"

#include <functional>

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vorn::gui {

// The wait window (frmWait): a borderless panel of 700 x 189 over the middle of the main window that
// says what the program is doing while it talks to the unit, in large type, with a progress bar (a
// capture's countdown, a session's bytes), a line of detail (the block being moved and the band being
// tried) and a Cancel button. It is not modal; every key pressed in it goes to the wait window's
// logic (Escape ends a capture or cancels a session), and so does the Cancel button.
class TfrmWait : public QWidget, public WaitView {
public:
    static constexpr int ClientWidth = 700;
    static constexpr int ClientHeight = 189;
    static constexpr int InformationPixels = 24;

    explicit TfrmWait(QWidget* owner);

    // The logic's key handler: true when it took the key (the armed abort key, Escape to cancel).
    void SetKeyHandler(std::function<bool(int key)> handler) { keyHandler_ = std::move(handler); }
    // The logic's Cancel.
    void SetCancelHandler(std::function<void()> handler) { cancelHandler_ = std::move(handler); }

    void ShowWait(const std::string& text) override;
    void SetWaitText(const std::string& text) override;
    void SetWaitProgress(bool visible, int maximum, int position) override;
    void SetWaitDetail(const std::string& text) override;
    void SetWaitCancel(bool shown, const std::string& caption) override;
    void CloseWait() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<bool(int key)> keyHandler_;
    std::function<void()> cancelHandler_;
    QLabel* lblInformation_ = nullptr;
    QLabel* lblWaitDetail_ = nullptr;
    QProgressBar* pbWait_ = nullptr;
    QPushButton* btnWaitCancel_ = nullptr;
};

} // namespace vorn::gui
