#include "DeviceOperator.h"

#include "ProgressView.h"
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

void DeviceOperator::Say(const std::string& text, bool message) {
    if (quiet || text.empty()) {
        return;
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
    if (changeId) {
        Say(dialog.text + (*changeId ? " yes" : " no"), false);
        return *changeId ? DialogResult::Yes : DialogResult::No;
    }
    // Without an answer the question stays unanswered: the flow stops before it writes anything.
    if (!terminal) {
        Say(dialog.text, true);
        return DialogResult::None;
    }
    if (progress != nullptr) {
        progress->Clear();
    }
    for (;;) {
        std::fprintf(stderr, "vornctl: %s [y/n] ", dialog.text.c_str());
        std::fflush(stderr);
        std::string answer;
        if (!std::getline(std::cin, answer)) {
            return DialogResult::None;
        }
        if (answer == "y" || answer == "Y" || answer == "yes") {
            return DialogResult::Yes;
        }
        if (answer == "n" || answer == "N" || answer == "no") {
            return DialogResult::No;
        }
    }
}

void DeviceOperator::Show(SelectDeviceDialog& dialog) {
    FieldModel& fields = dialog.Fields();
    fields.Clear(SelectDeviceDialog::SerialField);
    fields.TypeText(SelectDeviceDialog::SerialField, std::to_string(serialNumber));
    if (bandIndex) {
        fields.Select(SelectDeviceDialog::BandField, *bandIndex);
    }
    dialog.btnWriteOrReadClick();
}

void DeviceOperator::Show(ReceiveRadioDialog& dialog) {
    Say(dialog.ActionText(), false);
    while (dialog.Shown()) {
        clock_.Sleep(dialog.TickInterval());
        dialog.Tick();
        if (progress != nullptr && dialog.Shown()) {
            progress->Waiting(dialog.Waited(), ReceiveRadioDialog::MaxButtonWait);
        }
    }
    if (progress != nullptr) {
        progress->Clear();
    }
}

} // namespace vorn::cli
