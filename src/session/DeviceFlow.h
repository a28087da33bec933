#pragma once

#include "files/BackupStore.h"
#include "session/DeviceResult.h"
#include "session/PresenceRadio.h"
#include "session/SelectDeviceDialog.h"
#include "session/SessionContext.h"
#include "session/SessionProgress.h"
#include "session/WaitWindow.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What the read and write flows share: the device chosen in the select-device dialog, the memory
// job's set-up, a session shown in the wait window with its failures told, a presence unit's radio job
// waited for in the receive-radio dialog with its outcome told, and the backups folder.
namespace vorn {

// The fixed texts of a read session (the pre-read of a write too) and a write session that had
// nothing to transfer.
inline constexpr std::string_view ReadInternalErrorText =
    "Read from device: Internal error 'COMM_IN_PROGRESS'. Please contact Orsk Electronics.";
inline constexpr std::string_view WriteInternalErrorText =
    "Write to device: Internal error 'COMM_IN_PROGRESS'. Please contact Orsk Electronics.";

// Read records a family B read takes from the unit at most: the four entries come in a few records;
// a unit that never stops answering ends the loop here.
inline constexpr int MaxReadRecords = 64;

// The addresses a read of the family fetches, and those a write always stores (the catalogue's).
std::span<const AddressRange> ReadRangesOf(Family family);
std::span<const AddressRange> WrittenRangesOf(Family family);
// The read-entry text of a range: its count and start address ("0527"); a presence unit's read
// entries are those of its read ranges.
std::string ReadEntry(const AddressRange& range);
std::vector<std::string> ReadEntries(std::span<const AddressRange> ranges);
// The picture of the receive-radio dialog for a presence unit's product type: 1 for 0x2A, 2 for 0x2B.
int PresencePicture(std::uint8_t productType);
// The session-result messages that reads and writes share (results 1, 2, 3; an interrupted session
// shows none), shown as a message; the outcome they stand for.
SessionOutcome ReportSessionFailure(SessionContext& context, SessionResult result,
                                    const DeviceTarget& target);
// Marks every byte of the ranges with the state.
void MarkRanges(ProgData& data, std::span<const AddressRange> ranges, ByteState state);

class DeviceFlow {
public:
    // The results of a presence unit's radio job besides the receive-radio dialog's.
    static constexpr int PresenceNotOpened = -1; // the unit could not be opened (nothing said)
    static constexpr int PresenceRefused = -2;   // the unit refused an entry or the job (said)
    // True when a presence unit's radio job was started (whatever became of it): the unit may have
    // acted on it.
    static bool PresenceJobStarted(int result) { return result >= 0; }

    DeviceFlow(SessionContext& context, SelectDeviceDialog& selectDevice, WaitWindow& wait,
               PresenceRadio& radio);

    // Where backups are kept (none: no backups).
    void SetBackupStore(BackupStore* store) { backups_ = store; }
    BackupStore* Backups() const { return backups_; }
    // The device the last session was aimed at (families A and C), as the dialog was confirmed.
    const std::optional<DeviceTarget>& LastTarget() const { return target_; }
    // Keeps an image in the backups folder under the model (of the product type, else the image's own)
    // and serial number (the image's own when none is given); its path, or nothing with the reason.
    std::optional<std::string> KeepBackup(const ProgData::Bytes& image, std::uint8_t productType,
                                          std::optional<std::int64_t> serial, std::string& error);

protected:
    // The select-device dialog for the edited model; the confirmed target, or nothing (cancelled).
    std::optional<DeviceTarget> ChooseDevice(SelectDeviceDialog::Mode mode, std::uint8_t productType,
                                             std::string_view unknownName);
    // The job's band, radio parameters, H byte, product type, serial number and direction.
    void FillJob(const DeviceTarget& target, std::uint8_t direction);
    // A session in the wait window. Nothing when it completed and left no byte in its own marked
    // state; otherwise the operator has been told (the internal-error text for a session with nothing
    // to do, notMovedKey with the count for bytes left) and the outcome.
    std::optional<SessionOutcome> RunShown(ProgData& data, const std::string& status,
                                           const DeviceTarget& target, std::string_view internalError,
                                           std::string_view notMovedKey);
    // A read session of the bytes marked ToRead in data, from the target, shown as RunShown shows it.
    std::optional<SessionOutcome> ReadShown(ProgData& data, const std::string& status,
                                            const DeviceTarget& target);

    struct PresenceJob {
        bool write = false;
        std::vector<std::string> entries; // read or write entries, in order
        std::string radioCode;            // the unit addressed
        std::string caption;              // the receive-radio dialog's caption and action text
        std::string actionText;
    };
    // Opens the unit, hands it the entries and starts its radio job, then waits in the receive-radio
    // dialog for the button. The dialog's result, or PresenceNotOpened, PresenceRefused. whileOpen runs
    // after a completed job with the unit still open (a read's records are taken then).
    int RunPresenceJob(const PresenceJob& job, const std::function<void()>& whileOpen = {});
    // The operator told of a radio job that did not complete; the outcome it stands for (Done for a
    // completed one).
    SessionOutcome ReportPresenceJob(int result, bool write);
    // Takes the unit's read records into the image, each byte marked ToRead, but only when they bring
    // every byte the entries asked for: a read cut short leaves the image as it was. The bytes missing.
    int TakeReadRecords(ProgData& data, std::span<const std::string> entries);

    // The radio code of the presence unit of the product type whose button the operator presses, with
    // the receive-radio dialog under the caption; empty when none was obtained (the status says so and
    // MissingCodeOutcome tells the outcome).
    std::string PresenceCode(std::uint8_t productType, const std::string& caption);
    // A radio job that reads the entries' bytes into data (see TakeReadRecords), the button pressed as
    // actionText asks. A job started but not completed leaves no byte of data marked.
    struct PresenceRead {
        int result = PresenceNotOpened; // as RunPresenceJob gives it
        int missing = 0;                // bytes the entries asked for that did not come
    };
    PresenceRead ReadByRadioJob(ProgData& data, const std::vector<std::string>& entries,
                                const std::string& radioCode, const std::string& caption,
                                const std::string& actionText);
    // The unit's whole configuration read that way, the operator told of a job that did not complete
    // or of bytes that did not come; Done when all came.
    SessionOutcome FetchPresenceConfiguration(ProgData& data, const std::string& radioCode,
                                              const std::string& caption, const std::string& actionText);

    SessionContext& context_;
    SelectDeviceDialog& selectDevice_;
    WaitWindow& wait_;
    PresenceRadio& radio_;
    BackupStore* backups_ = nullptr;
    std::optional<DeviceTarget> target_;
};

} // namespace vorn
