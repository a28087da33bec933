#pragma once

#include "view/MessageDialog.h"

#include <string>
#include <string_view>
#include <vector>

// The one translated message dialog: its caption comes from the kind and its button captions from the
// language file.
namespace vorn {

class DialogView;
class ListIni;

struct MessageKindInfo {
    MessageKind kind;
    MessageIcon icon;
    std::string_view captionKey; // section "COMMON"
};

struct DialogButtonInfo {
    DialogButtons mask;
    std::string_view captionKey; // section "COMMON"
    DialogResult result;
    bool closes; // Help does not close the dialog
};

// The kinds by value and the buttons in bit order.
const std::vector<MessageKindInfo>& MessageKinds();
const std::vector<DialogButtonInfo>& DialogButtonTable();

// Builds the dialog from the current language: caption from the kind, button captions from the set.
// A set without any button that closes the dialog gets an OK button, so the dialog can always be left.
MessageDialog BuildMessageDialog(const ListIni& reader, std::string_view text, MessageKind kind,
                                 DialogButtons buttons);

// Shows the dialog through the view and returns the button pressed. An answer the dialog cannot give
// (no such button) counts as closed without a choice.
DialogResult ShowMessageDialog(const ListIni& reader, DialogView& view, std::string_view text,
                               MessageKind kind, DialogButtons buttons);

// Splits a text at CR LF, LF CR, CR or LF.
std::vector<std::string> SplitLineBreaks(std::string_view text);

} // namespace vorn
