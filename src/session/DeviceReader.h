#pragma once

#include "session/PresenceRadio.h"
#include "session/SelectDeviceDialog.h"
#include "session/SessionContext.h"
#include "session/WaitWindow.h"

#include <string>
#include <string_view>

// Communication > Read from device: a family A or C device is read by serial number in a session of
// memory jobs after the select-device dialog; a family B unit is read in one radio job that starts
// when the operator presses its button. The image read goes into the editor.
namespace vorn {

// The fixed text of a read session that had nothing to transfer.
inline constexpr std::string_view ReadInternalErrorText =
    "Read from device: Internal error 'COMM_IN_PROGRESS'. Please contact Orsk Electronics.";

// The image addresses a read fetches, and the entries of a family B read.
struct ReadRange {
    int first;
    int last;
};
inline constexpr ReadRange FamilyAReadRanges[] = {{32, 247}};
inline constexpr ReadRange FamilyCReadRanges[] = {{0, 37}, {46, 68}, {112, 137}};
inline constexpr std::string_view FamilyBReadEntries[] = {"0520", "0527", "072E", "067A"};
// Read records a family B read takes from the unit at most: the four entries come in a few records;
// a unit that never stops answering ends the loop here.
inline constexpr int MaxReadRecords = 64;

class DeviceReader {
public:
    DeviceReader(SessionContext& context, SelectDeviceDialog& selectDevice, WaitWindow& wait,
                 PresenceRadio& radio);

    // The menu command: dispatches on the edited image's product-type byte.
    SessionOutcome mnuCommReadFromDeviceClick();
    SessionOutcome ReadByMemoryJobs();
    SessionOutcome ReadPresenceUnit();

private:
    // The message of a session result other than complete; the outcome it stands for.
    SessionOutcome ReportFailedSession(int result, const DeviceTarget& target);

    SessionContext& context_;
    SelectDeviceDialog& selectDevice_;
    WaitWindow& wait_;
    PresenceRadio& radio_;
};

// The session-result messages that reads and writes share (results 1, 2, 3; an interrupted session
// shows none), shown as a message; the outcome they stand for.
SessionOutcome ReportSessionFailure(SessionContext& context, int result, const DeviceTarget& target);
// The picture of the receive-radio dialog for a presence unit's product type: 1 for 0x2A, 2 for 0x2B.
int PresencePicture(std::uint8_t productType);

} // namespace vorn
