#pragma once

// The view role of a modal dialog whose logic lives in the core (the select-device, receive-radio,
// change-ID-code, comparison, backups and select-region dialogs): one role per dialog class, so that a
// front end implements the dialogs it has and a test fake the ones it drives. A class that takes
// several roles has one Show overload per dialog.
namespace vorn {

template <class Dialog>
class ModalView {
public:
    virtual ~ModalView() = default;
    // Shows the window bound to the dialog, modally and centred over its owner; returns when the
    // dialog's logic has closed it or the window was closed another way (the result stays the
    // dialog's "none").
    virtual void Show(Dialog& dialog) = 0;
};

// Nobody there: the window closes at once without a choice.
template <class Dialog>
class SilentView : public ModalView<Dialog> {
public:
    void Show(Dialog&) override {}
};

} // namespace vorn
