#include "lang/TranslatedDialog.h"

#include "lang/ListIni.h"
#include "view/DialogView.h"

#include <algorithm>

namespace vorn {

namespace {

constexpr std::string_view CommonSection = "COMMON";

int IndexOfMask(const MessageDialog& dialog, DialogButtons mask) {
    for (std::size_t i = 0; i < dialog.buttons.size(); ++i) {
        if (dialog.buttons[i].mask == mask) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

const std::vector<MessageKindInfo>& MessageKinds() {
    static const std::vector<MessageKindInfo> kinds{
        {MessageKind::Warning, MessageIcon::Warning, "CAPTION-WARNING"},
        {MessageKind::Error, MessageIcon::Error, "CAPTION-ERROR"},
        {MessageKind::Information, MessageIcon::Information, "CAPTION-INFORMATION"},
        {MessageKind::Confirmation, MessageIcon::Question, "CAPTION-CONFIRMATION"},
    };
    return kinds;
}

const std::vector<DialogButtonInfo>& DialogButtonTable() {
    static const std::vector<DialogButtonInfo> buttons{
        {Buttons::Yes, "BUTTON-YES", DialogResult::Yes, true},
        {Buttons::No, "BUTTON-NO", DialogResult::No, true},
        {Buttons::Ok, "BUTTON-OK", DialogResult::Ok, true},
        {Buttons::Cancel, "BUTTON-CANCEL", DialogResult::Cancel, true},
        {Buttons::Abort, "BUTTON-ABORT", DialogResult::Abort, true},
        {Buttons::Retry, "BUTTON-RETRY", DialogResult::Retry, true},
        {Buttons::Ignore, "BUTTON-IGNORE", DialogResult::Ignore, true},
        {Buttons::All, "BUTTON-ALL", DialogResult::All, true},
        {Buttons::NoToAll, "BUTTON-NO_TO_ALL", DialogResult::NoToAll, true},
        {Buttons::YesToAll, "BUTTON-YES_TO_ALL", DialogResult::YesToAll, true},
        {Buttons::Help, "BUTTON-HELP", DialogResult::None, false},
        {Buttons::Close, "BUTTON-CLOSE", DialogResult::Close, true},
    };
    return buttons;
}

std::vector<std::string> SplitLineBreaks(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t i = 0;
    std::size_t start = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(text.substr(start, i - start));
        ++i;
        // A two-character break is either order of CR and LF.
        if (i < text.size() && (text[i] == '\r' || text[i] == '\n') && text[i] != c) {
            ++i;
        }
        start = i;
    }
    lines.emplace_back(text.substr(start));
    return lines;
}

MessageDialog BuildMessageDialog(const ListIni& reader, std::string_view text, MessageKind kind,
                                 DialogButtons buttons) {
    MessageDialog dialog;
    dialog.text = std::string(text);
    dialog.lines = SplitLineBreaks(text);
    dialog.kind = kind;
    for (const auto& info : MessageKinds()) {
        if (info.kind == kind) {
            dialog.icon = info.icon;
            dialog.caption = reader.Text(CommonSection, info.captionKey);
        }
    }
    bool closable = false;
    for (const auto& info : DialogButtonTable()) {
        if ((buttons & info.mask) != 0) {
            dialog.buttons.push_back(
                {info.mask, reader.Text(CommonSection, info.captionKey), info.result, info.closes});
            closable = closable || info.closes;
        }
    }
    if (!closable) {
        // Only Help (or nothing) was asked for: a modal dialog that no button closes would hold the
        // program, so it gets an OK button after the others.
        dialog.buttons.push_back(
            {Buttons::Ok, reader.Text(CommonSection, "BUTTON-OK"), DialogResult::Ok, true});
    }

    // Enter: OK or Yes when offered, else the first button that closes the dialog.
    int defaultIndex = IndexOfMask(dialog, Buttons::Ok);
    if (defaultIndex < 0) {
        defaultIndex = IndexOfMask(dialog, Buttons::Yes);
    }
    if (defaultIndex < 0) {
        const auto first = std::find_if(dialog.buttons.begin(), dialog.buttons.end(),
                                        [](const MessageButton& b) { return b.closes; });
        defaultIndex = static_cast<int>(first - dialog.buttons.begin());
    }
    dialog.defaultButton = defaultIndex;

    // Escape and the close box answer a button that withdraws (Cancel, Abort, Close), or OK when that
    // is the only answer; a question without such a button is closed without a choice, which every
    // caller treats as "not Yes".
    dialog.escapeResult = DialogResult::None;
    for (const DialogButtons mask : {Buttons::Cancel, Buttons::Abort, Buttons::Close}) {
        const int index = IndexOfMask(dialog, mask);
        if (index >= 0) {
            dialog.escapeResult = dialog.buttons[static_cast<std::size_t>(index)].result;
            break;
        }
    }
    if (dialog.escapeResult == DialogResult::None) {
        const bool onlyOk =
            std::all_of(dialog.buttons.begin(), dialog.buttons.end(),
                        [](const MessageButton& b) { return !b.closes || b.mask == Buttons::Ok; });
        if (onlyOk) {
            dialog.escapeResult = DialogResult::Ok;
        }
    }
    return dialog;
}

DialogResult ShowMessageDialog(const ListIni& reader, DialogView& view, std::string_view text,
                               MessageKind kind, DialogButtons buttons) {
    const MessageDialog dialog = BuildMessageDialog(reader, text, kind, buttons);
    const DialogResult result = view.ShowMessageDialog(dialog);
    return dialog.Accepts(result) ? result : DialogResult::None;
}

} // namespace vorn
