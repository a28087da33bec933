#pragma once

#include "view/AboutView.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vorn::gui {

// The about window (frmAbout): the program's name, version, copyright and maker with the maker's
// logo, the interface unit's version, and the contact text. Fixed size, 356 x 319, system menu only.
class TfrmAbout : public QDialog, public AboutView {
public:
    static constexpr int ClientWidth = 356;
    static constexpr int ClientHeight = 319;

    explicit TfrmAbout(QWidget* owner);

    // Fills the window and shows it modally over the middle of the main window.
    void ShowAbout(const AboutWindowData& about) override;
    // Fills the window without showing it; the logo is shown from the first filling on.
    void Fill(const AboutWindowData& about);

private:
    QLabel* imgLogo_ = nullptr;
    QLabel* lblApplicationName_ = nullptr;
    QLabel* lblApplicationVersion_ = nullptr;
    QLabel* lblCopyright_ = nullptr;
    QLabel* lblCompanyName_ = nullptr;
    QLabel* lblKduInfo_ = nullptr;
    QPlainTextEdit* mmoInfo_ = nullptr;
    QPushButton* btnOk_ = nullptr;
};

} // namespace vorn::gui
