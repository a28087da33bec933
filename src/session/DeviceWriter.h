#pragma once

#include "model/FamilyCMap.h"
#include "session/DeviceFlow.h"

#include <optional>
#include <string_view>

// Communication > Write to device: the editor is converted into the image, then a family A or C
// device is written by serial number after a pre-read of its radio ID code (and, for family A, its
// firmware version), and a family B unit by a list of write entries in one radio job. Before it, when
// asked, the device's whole configuration is kept as a backup (no backup, no write); after it, when
// asked, the written addresses are read back and compared.
namespace vorn {

// Besides the ranges always written (WrittenRangesOf): the radio ID code only when the operator
// agrees to change it, family C's RFID position only when it is not 0.
inline constexpr AddressRange RadioIdRange{layout::FirstAddress(SharedMap::RadioId),
                                           layout::LastAddress(SharedMap::RadioId)};
inline constexpr AddressRange FamilyCPositionRange{layout::FirstAddress(FamilyCMap::Position),
                                                   layout::LastAddress(FamilyCMap::Position)};
// The pre-read: the device's radio ID code and firmware version, into a scratch image.
inline constexpr AddressRange PreReadRange{layout::FirstAddress(SharedMap::RadioId),
                                           layout::LastAddress(SharedMap::FirmwareVersion)};

class DeviceWriter : public DeviceFlow {
public:
    using DeviceFlow::DeviceFlow;

    // The write with the options; what became of the backup, the addresses written and the read-back
    // go into the result.
    SessionOutcome Write(const DeviceOptions& options, DeviceResult& result);

private:
    SessionOutcome WriteByMemoryJobs(const DeviceOptions& options, DeviceResult& result);
    SessionOutcome WritePresenceUnit(const DeviceOptions& options, DeviceResult& result);
    // A store that found the form cannot be written: the operator told why (with the status text as
    // well for the memory-job families), and how the command ends; nothing when it may go on.
    std::optional<SessionOutcome> Refused(const StoreReport& stored, bool withStatus);
    // The backup kept into the result; BackupFailed (the operator told why) when it could not be.
    std::optional<SessionOutcome> StoreBackup(const ProgData::Bytes& image,
                                              std::optional<std::int64_t> serial, DeviceResult& result);
    // The written bytes against what came back (read marks the addresses that did): the result's
    // verdict and differences, each named by the fields the byte feeds.
    void Compare(const ProgData& written, const std::vector<AddressRange>& ranges, const ProgData& back,
                 bool readBack, DeviceResult& result);
    // The operator told what the read-back found; the write's outcome after it.
    SessionOutcome ReportVerify(const DeviceResult& result, const std::string& writtenStatus);
};

} // namespace vorn
