#include "session/DeviceSessions.h"

#include "model/Catalogue.h"

namespace vorn {

DeviceSessions::DeviceSessions(SessionContext context)
    : context_(context), wait_(context_.views.wait), receiveRadio_(context_.views.receiveRadio),
      radio_(context_, receiveRadio_), changeCode_(context_, radio_), capture_(context_, wait_),
      reader_(context_, selectDevice_, wait_, radio_), writer_(context_, selectDevice_, wait_, radio_) {
    context_.link.SetEventPump(&context_.views.pump);
}

template <class Command>
SessionOutcome DeviceSessions::Exclusive(Command command) {
    if (busy_ || context_.link.IsBusy()) {
        return SessionOutcome::NotRun;
    }
    struct Running {
        bool& busy;
        explicit Running(bool& flag) : busy(flag) { busy = true; }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;
        ~Running() { busy = false; }
    } running(busy_);
    return command();
}

SessionOutcome DeviceSessions::mnuCommReadFromDeviceClick() {
    return Exclusive([this] { return reader_.mnuCommReadFromDeviceClick(); });
}

SessionOutcome DeviceSessions::mnuCommWriteToDeviceClick() {
    return Exclusive([this] { return writer_.mnuCommWriteToDeviceClick(); });
}

SessionOutcome DeviceSessions::mnuCommChangeIdCodeClick() {
    return Exclusive([this] {
        if (FamilyOf(context_.config.Image[ProductTypeAddress]) != Family::B) {
            return SessionOutcome::NotRun;
        }
        changeCode_.FormShow();
        context_.views.changeCode.ShowChangeCode(changeCode_);
        return SessionOutcome::Done;
    });
}

SessionOutcome DeviceSessions::btnRadioEvent_n_GetRadioCodeClick(int n) {
    return Exclusive([this, n] { return capture_.btnRadioEvent_n_GetRadioCodeClick(n); });
}

std::optional<std::string> DeviceSessions::UnitVersion() {
    std::optional<std::string> version;
    Exclusive([this, &version] {
        KduLink& link = context_.link;
        std::string text;
        if (link.Open() == 0 && link.GetVersion(text) == CommandOk) {
            version = text;
        }
        // Closed also after a failed open: whatever it opened is released.
        link.Close();
        return SessionOutcome::Done;
    });
    return version;
}

} // namespace vorn
