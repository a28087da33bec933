#pragma once

#include "view/MessageDialog.h"

#include <QDialog>

namespace vorn::gui {

// The window of the translated message dialog: the icon of its kind, the text, and its buttons in
// bit order with their translated captions. Enter presses the default button; Escape and the close
// box give the dialog's escape result. A button that does not close the dialog (Help) does nothing.
class MessageWindow : public QDialog {
public:
    MessageWindow(const MessageDialog& dialog, QWidget* owner);

    // Shows the dialog modally, centred over its owner, and returns the result of the button that
    // closed it.
    DialogResult Ask();
    DialogResult Result() const { return result_; }

    // The object name of a button: "btn" and the button's English name ("btnYes", "btnNoToAll").
    static QString ButtonName(DialogButtons mask);

    // Places the window over the middle of its owner (halves truncated toward zero).
    void CentreOverOwner();

private:
    void reject() override;

    DialogResult escape_;
    DialogResult result_ = DialogResult::None;
};

} // namespace vorn::gui
