#pragma once

#include "lang/ListIni.h"
#include "model/FieldModel.h"
#include "view/ControlText.h"
#include "view/ModalState.h"

#include <string>
#include <string_view>
#include <vector>

// The change-ID-code dialog's logic (TfrmChangeCode): the operator types a presence unit's new radio
// ID code and clicks Change; the dialog learns the unit's code, asks, and changes it. It reads its texts
// through a language reader of its own, which loads the same file as the main window's.
namespace vorn {

class PresenceRadio;
class SessionContext;

class ChangeCodeDialog : public ModalState {
public:
    static constexpr std::string_view NewCodeField = "edtNewCode";
    static constexpr std::string_view NoteField = "mmoNote";
    static constexpr int ResultClose = 1;
    // Outcomes of Change, for front ends that report them otherwise than by the dialogs.
    enum class ChangeOutcome {
        None,
        Refused,      // the new code is not four digits, or out of range
        NoDeviceCode, // no code was learnt from the unit (aborted, failed, no unit)
        AlreadySet,   // the unit has that code already
        Declined,     // the operator answered No
        Changed,
        NotChanged,   // the unit could not be reached or refused the job
        DeviceFailed, // the unit reported failure
        NoContact,    // no radio contact
    };

    ChangeCodeDialog(SessionContext& context, PresenceRadio& radio);
    ChangeCodeDialog(const ChangeCodeDialog&) = delete;
    ChangeCodeDialog& operator=(const ChangeCodeDialog&) = delete;

    // The dialog's own language reader.
    ListIni& Texts() { return texts_; }
    const ListIni& Texts() const { return texts_; }

    // Each showing: the texts, edtNewCode emptied and focused.
    void FormShow();
    const std::string& Caption() const { return caption_; }
    // Captions of lblNewCode, btnChange and btnClose.
    const std::vector<ControlText>& ControlTexts() const { return controlTexts_; }
    const std::vector<std::string>& Note() const { return note_; }
    // edtNewCode: hexadecimal digits (letters in upper case) and the clipboard keys.
    FieldModel& Fields() { return fields_; }

    ChangeOutcome btnChangeClick();
    void btnCloseClick();

private:
    SessionContext& context_;
    PresenceRadio& radio_;
    ListIni texts_;
    FieldModel fields_;
    std::string caption_;
    std::vector<ControlText> controlTexts_;
    std::vector<std::string> note_;
};

} // namespace vorn
