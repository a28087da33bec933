#include "DeviceOperator.h"

#include "session/ChangeCodeDialog.h"
#include "session/ReceiveRadioDialog.h"
#include "session/SelectDeviceDialog.h"

#include <cstdio>
#include <iostream>

namespace vorn::cli {

namespace {

bool Offers(const MessageDialog& dialog, DialogResult result) {
    for (const MessageButton& button : dialog.buttons) {
        if (button.result == result) {
            return true;
        }
    }
    return false;
}

} // namespace

void DeviceOperator::Say(const std::string& text) {
    if (quiet || text.empty() || text == lastSaid_) {
        return;
    }
    lastSaid_ = text;
    std::fprintf(stderr, "vornctl: %s\n", text.c_str());
}

DialogResult DeviceOperator::ShowMessageDialog(const MessageDialog& dialog) {
    // A question offers Yes; everything else is a message closed with its only button.
    if (quiet || !Offers(dialog, DialogResult::Yes)) {
        Say(dialog.text);
        return dialog.buttons.empty() ? DialogResult::Ok : dialog.buttons.front().result;
    }
    return AskIdQuestion(dialog);
}

DialogResult DeviceOperator::AskIdQuestion(const MessageDialog& dialog) {
    const DialogResult stop =
        Offers(dialog, DialogResult::Cancel) ? DialogResult::Cancel : DialogResult::Abort;
    if (changeId) {
        Say(dialog.text + (*changeId ? " yes" : " no"));
        return *changeId ? DialogResult::Yes : DialogResult::No;
    }
    if (!terminal) {
        Say(dialog.text);
        unansweredQuestion = true;
        return Offers(dialog, stop) ? stop : DialogResult::No;
    }
    for (;;) {
        std::fprintf(stderr, "vornctl: %s [y/n] ", dialog.text.c_str());
        std::fflush(stderr);
        std::string answer;
        if (!std::getline(std::cin, answer)) {
            unansweredQuestion = true;
            return Offers(dialog, stop) ? stop : DialogResult::No;
        }
        if (answer == "y" || answer == "Y" || answer == "yes") {
            return DialogResult::Yes;
        }
        if (answer == "n" || answer == "N" || answer == "no") {
            return DialogResult::No;
        }
    }
}

void DeviceOperator::ShowSelectDevice(SelectDeviceDialog& dialog) {
    FieldModel& fields = dialog.Fields();
    fields.Clear(SelectDeviceDialog::SerialField);
    fields.TypeText(SelectDeviceDialog::SerialField, std::to_string(serialNumber));
    if (bandIndex) {
        fields.Select(SelectDeviceDialog::BandField, *bandIndex);
    }
    dialog.btnWriteOrReadClick();
}

void DeviceOperator::ShowReceiveRadio(ReceiveRadioDialog& dialog) {
    Say(dialog.ActionText());
    const Millis until = clock_.Now() + ButtonWait;
    while (dialog.Shown()) {
        if (clock_.Now() >= until) {
            buttonWaitExpired = true;
            dialog.btbtnAbortClick();
            break;
        }
        clock_.Sleep(dialog.TickInterval());
        dialog.Tick();
    }
}

void DeviceOperator::ShowChangeCode(ChangeCodeDialog& dialog) {
    // Typed key by key as in the window: a key the field refuses is dropped.
    for (const char ch : newCode) {
        dialog.Fields().TypeKey(ChangeCodeDialog::NewCodeField, static_cast<unsigned char>(ch));
    }
    // The command itself is the operator's Yes to the question.
    changeId = true;
    changeOutcome = static_cast<int>(dialog.btnChangeClick());
    dialog.btnCloseClick();
}

} // namespace vorn::cli
