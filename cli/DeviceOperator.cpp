#include "DeviceOperator.h"

#include "ProgressView.h"
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

void DeviceOperator::ForgetDevice() {
    unansweredQuestion = false;
    buttonWaitExpired = false;
    idAnswer.reset();
    lastMessage.clear();
    lastText.clear();
    lastSaid_.clear();
}

void DeviceOperator::Say(const std::string& text, bool message) {
    if (quiet || text.empty()) {
        return;
    }
    lastText = text;
    if (message) {
        lastMessage = text;
    }
    if (text == lastSaid_ || (!message && !chatty)) {
        return;
    }
    lastSaid_ = text;
    if (progress != nullptr) {
        progress->Clear();
    }
    std::fprintf(stderr, "vornctl: %s\n", text.c_str());
}

DialogResult DeviceOperator::ShowMessageDialog(const MessageDialog& dialog) {
    // A question offers Yes; everything else is a message closed with its only button.
    if (quiet || !Offers(dialog, DialogResult::Yes)) {
        Say(dialog.text, true);
        return dialog.buttons.empty() ? DialogResult::Ok : dialog.buttons.front().result;
    }
    return AskIdQuestion(dialog);
}

DialogResult DeviceOperator::AskIdQuestion(const MessageDialog& dialog) {
    const DialogResult stop =
        Offers(dialog, DialogResult::Cancel) ? DialogResult::Cancel : DialogResult::Abort;
    if (changeId) {
        Say(dialog.text + (*changeId ? " yes" : " no"), false);
        idAnswer = *changeId;
        return *changeId ? DialogResult::Yes : DialogResult::No;
    }
    if (!terminal) {
        Say(dialog.text, true);
        unansweredQuestion = true;
        return Offers(dialog, stop) ? stop : DialogResult::No;
    }
    if (progress != nullptr) {
        progress->Clear();
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
            idAnswer = true;
            return DialogResult::Yes;
        }
        if (answer == "n" || answer == "N" || answer == "no") {
            idAnswer = false;
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
    Say(dialog.ActionText(), false);
    const Millis start = clock_.Now();
    const Millis until = start + ButtonWait;
    while (dialog.Shown()) {
        if (clock_.Now() >= until) {
            buttonWaitExpired = true;
            dialog.btbtnAbortClick();
            break;
        }
        clock_.Sleep(dialog.TickInterval());
        if (progress != nullptr) {
            progress->Waiting(clock_.Now() - start, ButtonWait);
        }
        dialog.Tick();
    }
    if (progress != nullptr) {
        progress->Clear();
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
