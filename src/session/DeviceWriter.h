#pragma once

#include "session/DeviceReader.h"
#include "session/PresenceRadio.h"
#include "session/SelectDeviceDialog.h"
#include "session/SessionContext.h"
#include "session/WaitWindow.h"

#include <optional>
#include <string_view>

// Communication > Write to device: the editor is converted into the image, then a family A or C
// device is written by serial number after a pre-read of its radio ID code (and, for family A, its
// firmware version), and a family B unit by a list of write entries in one radio job.
namespace vorn {

inline constexpr std::string_view WriteInternalErrorText =
    "Write to device: Internal error 'COMM_IN_PROGRESS'. Please contact Orsk Electronics.";

// The ranges always written (the radio ID code only when the operator agrees to change it, family C's
// RFID position only when it is not 0).
inline constexpr ReadRange FamilyAWriteRanges[] = {{39, 45}, {48, 116}, {128, 247}};
inline constexpr ReadRange FamilyCWriteRanges[] = {{0, 20}, {23, 31}, {34, 37}, {48, 68}};
inline constexpr ReadRange RadioIdRange{32, 33};
inline constexpr ReadRange FamilyCPositionRange{21, 22};
// The pre-read: the device's radio ID code and firmware version, into a scratch image.
inline constexpr ReadRange PreReadRange{32, 47};
// A family A device takes configurations of this firmware major version only.
inline constexpr int FamilyAFirmwareMajor = 2;

// A family B write entry: count and start address in the image.
struct WriteEntrySpan {
    std::uint8_t count;
    std::uint8_t address;
};
inline constexpr WriteEntrySpan FamilyBWriteEntries[] = {{5, 0x27}, {5, 0x30}};
inline constexpr WriteEntrySpan FamilyBRadioIdEntry{2, 0x20};

class DeviceWriter {
public:
    DeviceWriter(SessionContext& context, SelectDeviceDialog& selectDevice, WaitWindow& wait,
                 PresenceRadio& radio);

    SessionOutcome mnuCommWriteToDeviceClick();
    SessionOutcome WriteByMemoryJobs();
    SessionOutcome WritePresenceUnit();

private:
    void FillJob(const DeviceTarget& target, std::uint8_t direction);
    // A store that found the form cannot be written: the operator told why (with the status text as
    // well for the memory-job families), and how the command ends; nothing when it may go on.
    std::optional<SessionOutcome> Refused(const StoreReport& stored, bool withStatus);

    SessionContext& context_;
    SelectDeviceDialog& selectDevice_;
    WaitWindow& wait_;
    PresenceRadio& radio_;
};

} // namespace vorn
