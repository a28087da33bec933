#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A message dialog as a view draws it: a kind (icon and caption), the text, and a row of buttons. The
// core builds it in the current language; the view shows it and reports the button.
namespace vorn {

enum class MessageKind : std::uint8_t {
    Warning = 0,
    Error = 1,
    Information = 2,
    Confirmation = 3,
};

enum class MessageIcon { None, Warning, Error, Information, Question };

// The code of the button that closed the dialog.
enum class DialogResult : int {
    None = 0, // closed without a choice, or no answer
    Ok = 1,
    Cancel = 2,
    Abort = 3,
    Retry = 4,
    Ignore = 5,
    Yes = 6,
    No = 7,
    All = 8,
    NoToAll = 9,
    YesToAll = 10,
    Close = 11,
};

// A set of buttons, one bit each; buttons appear in bit order.
using DialogButtons = std::uint16_t;
namespace Buttons {
inline constexpr DialogButtons Yes = 0x001;
inline constexpr DialogButtons No = 0x002;
inline constexpr DialogButtons Ok = 0x004;
inline constexpr DialogButtons Cancel = 0x008;
inline constexpr DialogButtons Abort = 0x010;
inline constexpr DialogButtons Retry = 0x020;
inline constexpr DialogButtons Ignore = 0x040;
inline constexpr DialogButtons All = 0x080;
inline constexpr DialogButtons NoToAll = 0x100;
inline constexpr DialogButtons YesToAll = 0x200;
inline constexpr DialogButtons Help = 0x400;
inline constexpr DialogButtons Close = 0x800;
inline constexpr DialogButtons YesNo = Yes | No;
inline constexpr DialogButtons YesCancel = Yes | Cancel;
inline constexpr DialogButtons YesNoCancel = Yes | No | Cancel;
inline constexpr DialogButtons YesNoAbort = Yes | No | Abort;
} // namespace Buttons

struct MessageButton {
    DialogButtons mask = 0;
    std::string caption;
    DialogResult result = DialogResult::None;
    bool closes = true;
};

struct MessageDialog {
    std::string caption; // empty for a kind outside the table: the view shows the application title
    std::string text;
    std::vector<std::string> lines; // the text split at its line breaks
    MessageKind kind = MessageKind::Information;
    MessageIcon icon = MessageIcon::None;
    std::vector<MessageButton> buttons;             // in bit order
    int defaultButton = 0;                          // index into buttons: Enter
    DialogResult escapeResult = DialogResult::None; // Escape and the close box

    // True when some button closes the dialog with this result (or it is the Escape result).
    bool Accepts(DialogResult result) const;
};

// Top-left corner that centres a window of the given size over another, halves truncated toward
// zero (a larger window extends equally to both sides).
struct WindowOrigin {
    int left = 0;
    int top = 0;
    friend bool operator==(const WindowOrigin&, const WindowOrigin&) = default;
};
WindowOrigin CentreOver(int ownerLeft, int ownerTop, int ownerWidth, int ownerHeight, int width, int height);

} // namespace vorn
