#include "session/ChangeCodeDialog.h"

#include "base/IniDocument.h"
#include "lang/TextFormat.h"
#include "session/DeviceReader.h"
#include "session/PresenceRadio.h"
#include "session/SessionContext.h"

namespace vorn {

namespace {

constexpr std::string_view Section = "CHANGE_CODE";
constexpr std::string_view PresenceRadioIdField = "edtHESK_RadioIdCode";

} // namespace

ChangeCodeDialog::ChangeCodeDialog(SessionContext& context, PresenceRadio& radio)
    : context_(context), radio_(radio) {
    fields_.Add(
        {.name = std::string(NewCodeField), .kind = FieldKind::Text, .keyFilter = KeyFilterKind::HexCode});
    fields_.Add({.name = std::string(NoteField), .kind = FieldKind::Text});
}

void ChangeCodeDialog::FormShow() {
    note_ = SplitLines(texts_.Text(Section, "MEMO-ENTER_NEW_CODE_AND_CLICK_CHANGE_CODE"));
    std::string note;
    for (const std::string& line : note_) {
        note += (note.empty() ? "" : "\n") + line;
    }
    fields_.SetText(NoteField, note);
    caption_ = texts_.Text(Section, "TITLE-CHANGE_ID_CODE");
    controlTexts_ = {
        {"lblNewCode", ControlProperty::Caption, texts_.Text(Section, "LABEL-NEW_RADIO_ID_CODE")},
        {"btnChange", ControlProperty::Caption, texts_.Text(Section, "BUTTON-CHANGE")},
        {"btnClose", ControlProperty::Caption, texts_.Text("COMMON", "BUTTON-CLOSE")},
    };
    fields_.SetText(NewCodeField, {});
    fields_.SetFocus(NewCodeField);
    Open();
}

ChangeCodeDialog::ChangeOutcome ChangeCodeDialog::btnChangeClick() {
    const std::string code = fields_.Get(NewCodeField).Text();
    if (code.size() != 4) {
        context_.Dialog(texts_.Text(Section, "MESSAGE-THE_FIELD_MUST_CONTAIN_4_HEX_DIGITS"),
                        MessageKind::Error, Buttons::Ok);
        return ChangeOutcome::Refused;
    }
    if (code == "0000" || EqualsIgnoreCase(code, "FFFF")) {
        context_.Dialog(FormatText(texts_.Text("COMMON", "MESSAGE-ENTERED_VALUE_MUST_BE_BETWEEN_N_AND_N"),
                                   {"0001", "FFFE"}),
                        MessageKind::Error, Buttons::Ok);
        return ChangeOutcome::Refused;
    }
    radio_.ClearDeviceRadioCode();
    radio_.Dialog().SetCaption(texts_.Text(Section, "TITLE-CHANGE_ID_CODE"));
    // The unit is of the model being edited: its picture, not the one a former flow left.
    radio_.Dialog().ChoosePicture(PresencePicture(context_.config.Image[ProductTypeAddress]));
    radio_.GetDeviceCode();
    const std::string device = radio_.DeviceRadioCode();
    if (device.empty()) {
        return ChangeOutcome::NoDeviceCode;
    }
    if (EqualsIgnoreCase(device, code)) {
        context_.Dialog(
            FormatText(texts_.Text(Section, "MESSAGE-NO_UPDATE_NEEDED_DEVICE_HAS_ALREADY_NNNN"), {device}),
            MessageKind::Information, Buttons::Ok);
        return ChangeOutcome::AlreadySet;
    }
    const std::string question =
        FormatText(texts_.Text("COMMUNICATION", "MESSAGE-DO_YOU_WANT_TO_CHANGE_ID_CODE_FROM_XXXX_TO_YYYY"),
                   {device, code});
    if (context_.Dialog(question, MessageKind::Information, Buttons::YesNo) != DialogResult::Yes) {
        return ChangeOutcome::Declined;
    }
    radio_.SetNewIdCode(code);
    switch (radio_.ChangeIdCode()) {
    case PresenceRadio::ChangeDone:
        // The editor is the unit's configuration: the next write must not offer the old code back.
        context_.editor.Fields().SetText(PresenceRadioIdField, UpperCase(code));
        context_.Dialog(texts_.Text(Section, "MESSAGE-DEVICE_ID_CODE_CHANGED"), MessageKind::Information,
                        Buttons::Ok);
        return ChangeOutcome::Changed;
    case PresenceRadio::ChangeDeviceFailed:
        context_.Dialog(texts_.Text("HESK", "MESSAGE-ERROR_WRITE_DEVICE_RETRY"), MessageKind::Error,
                        Buttons::Ok);
        return ChangeOutcome::DeviceFailed;
    case PresenceRadio::ChangeNoContact:
        context_.Dialog(texts_.Text("COMMON", "STATUS-TIMEOUT_NO_RADIO_CODE_WAS_RECEIVED"),
                        MessageKind::Error, Buttons::Ok);
        return ChangeOutcome::NoContact;
    case PresenceRadio::ChangeRefused:
        context_.Dialog(texts_.Text("HESK", "MESSAGE-KDU_GET_JOB_ERROR"), MessageKind::Error, Buttons::Ok);
        return ChangeOutcome::NotChanged;
    default: return ChangeOutcome::NotChanged;
    }
}

void ChangeCodeDialog::btnCloseClick() {
    Finish(ResultClose);
}

} // namespace vorn
