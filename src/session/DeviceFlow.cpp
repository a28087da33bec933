#include "session/DeviceFlow.h"

#include "base/NumberText.h"
#include "model/Catalogue.h"
#include "model/FamilyAMap.h"
#include "model/FamilyBMap.h"
#include "model/FamilyCMap.h"
#include "model/ValueHelpers.h"
#include "session/SessionEngine.h"

#include <algorithm>
#include <array>
#include <ctime>

namespace vorn {

namespace {

bool IsHexDigit(char ch) {
    return HexDigitValue(static_cast<unsigned char>(ch)).has_value();
}

// A byte of an entry, written as two hexadecimal digits (of either case); nothing when the entry is
// too short or holds another character there.
std::optional<std::size_t> EntryByte(std::string_view entry, kdu::TextField field) {
    return HexValue(kdu::Cut(entry, field));
}

// A read record the image can take whole: after the unit's radio code an entry, whose count and
// address and count data bytes are all hexadecimal digits (of either case), all inside the image.
// Any characters after the data are the unit's own.
bool IsCompleteRecord(std::string_view record) {
    if (record.size() < kdu::RecordEntryOffset) {
        return false;
    }
    const std::string_view entry = record.substr(kdu::RecordEntryOffset);
    const auto count = EntryByte(entry, kdu::EntryCount);
    const auto address = EntryByte(entry, kdu::EntryAddress);
    if (!count || !address) {
        return false;
    }
    const std::size_t end = kdu::EntryDataOffset + 2 * *count;
    return entry.size() >= end && *address + *count <= ProgData::ImageSize &&
           std::all_of(entry.begin() + kdu::EntryDataOffset, entry.begin() + static_cast<std::ptrdiff_t>(end),
                       IsHexDigit);
}

// What the receive-radio dialog's outcomes of a presence unit's radio job say: read and write alike,
// each with its own texts.
struct PresenceReport {
    int result;
    SessionOutcome outcome;
    bool dialog; // an error dialog; else a status text
    std::string_view section;
    std::string_view readKey;
    std::string_view writeKey;
};
constexpr PresenceReport PresenceReports[] = {
    {ReceiveRadioDialog::ResultFailed, SessionOutcome::DeviceFailed, true, "HESK",
     "MESSAGE-ERROR_READ_DEVICE", "MESSAGE-ERROR_WRITE_DEVICE_RETRY"},
    {ReceiveRadioDialog::ResultAborted, SessionOutcome::Cancelled, false, "HESK",
     "MESSAGE-USER_ABORTED_READ_OPERATION", "MESSAGE-USER_ABORTED_WRITE_OPERATION"},
    {ReceiveRadioDialog::ResultNotPressed, SessionOutcome::ButtonNotPressed, false, "HESK",
     "MESSAGE-USER_ABORTED_READ_OPERATION", "MESSAGE-USER_ABORTED_WRITE_OPERATION"},
    {ReceiveRadioDialog::ResultNoContact, SessionOutcome::NoAnswer, true, "COMMON",
     "STATUS-TIMEOUT_NO_RADIO_CODE_WAS_RECEIVED", "STATUS-TIMEOUT_NO_RADIO_CODE_WAS_RECEIVED"},
};

} // namespace

namespace {

// The address ranges that a read fetches from a device and a write stores into it, always. The
// conditional ranges (radio ID code, RFID position) are decided by the read and write flows.
struct FamilyMemory {
    Family family;
    std::span<const AddressRange> read;
    std::span<const AddressRange> written;
};

// The ranges run from the first place to the last place of the fields they carry.
constexpr AddressRange Range(auto first, auto last) {
    return {layout::FirstAddress(first), layout::LastAddress(last)};
}

using A = FamilyAMap;
using B = FamilyBMap;
using C = FamilyCMap;
using S = SharedMap;

constexpr std::array<AddressRange, 1> ReadA{{
    Range(S::RadioId, A::RadioEventActionReference(A::RadioEventCount)),
}};
constexpr std::array<AddressRange, 3> WrittenA{{
    Range(A::RadioTestAlarmInterval, A::EquipmentType),
    Range(A::AckFlags, A::UserEventActionReference(A::UserEventCount)),
    Range(A::ActionAlarmType(1), A::RadioEventActionReference(A::RadioEventCount)),
}};
constexpr std::array<AddressRange, 4> ReadB{{
    Range(S::RadioId, B::ProductionDate),
    Range(B::RadioTestAlarmInterval, B::EquipmentType),
    Range(S::FirmwareType, B::MaxNumberOfBursts),
    Range(S::ProductType, B::RadioCalibration),
}};
constexpr std::array<AddressRange, 2> WrittenB{{
    Range(B::RadioTestAlarmInterval, B::EquipmentType),
    Range(B::RadioFlags, B::MaxNumberOfBursts),
}};
constexpr std::array<AddressRange, 3> ReadC{{
    Range(C::ReceiveFrequency1, C::AckFlags),
    Range(S::FirmwareType, C::AlarmTypeRadioTest),
    Range(C::RadioCalibration, C::AntennaType),
}};
constexpr std::array<AddressRange, 4> WrittenC{{
    Range(C::ReceiveFrequency1, C::RadioTestInterval),
    Range(C::Zone, C::EquipmentType),
    Range(C::MaxShort, C::AckFlags),
    Range(C::IdCode(1), C::AlarmTypeRadioTest),
}};

constexpr std::array<FamilyMemory, 3> FamilyMemories{{
    {Family::A, ReadA, WrittenA},
    {Family::B, ReadB, WrittenB},
    {Family::C, ReadC, WrittenC},
}};

const FamilyMemory* MemoryOfFamily(Family family) {
    const auto it = std::find_if(FamilyMemories.begin(), FamilyMemories.end(),
                                 [family](const FamilyMemory& m) { return m.family == family; });
    return it != FamilyMemories.end() ? &*it : nullptr;
}

} // namespace

std::span<const AddressRange> ReadRangesOf(Family family) {
    const FamilyMemory* memory = MemoryOfFamily(family);
    return memory != nullptr ? memory->read : std::span<const AddressRange>();
}

std::span<const AddressRange> WrittenRangesOf(Family family) {
    const FamilyMemory* memory = MemoryOfFamily(family);
    return memory != nullptr ? memory->written : std::span<const AddressRange>();
}

std::string ReadEntry(const AddressRange& range) {
    return kdu::ReadEntryText(static_cast<std::uint8_t>(range.last - range.first + 1),
                              static_cast<std::uint8_t>(range.first));
}

void MarkRanges(ProgData& data, std::span<const AddressRange> ranges, ByteState state) {
    for (const AddressRange& range : ranges) {
        data.MarkRange(range.first, range.last, state);
    }
}

std::vector<std::string> ReadEntries(std::span<const AddressRange> ranges) {
    std::vector<std::string> entries;
    for (const AddressRange& range : ranges) {
        entries.push_back(ReadEntry(range));
    }
    return entries;
}

int PresencePicture(std::uint8_t productType) {
    return productType == 0x2A ? 1 : productType == 0x2B ? 2 : 0;
}

SessionOutcome ReportSessionFailure(SessionContext& context, SessionResult result,
                                    const DeviceTarget& target) {
    switch (result) {
    case SessionUnitNotOpened:
        context.Message(context.UnitNotFoundText());
        return SessionOutcome::UnitNotFound;
    case SessionFirmwareTooOld:
        context.Message(context.texts.Text("COMMON", "MESSAGE-PLEASE_UPGRADE_KDU_FIRMWARE"));
        return SessionOutcome::FirmwareTooOld;
    case SessionInterrupted:
        // Whoever asked the program to stop is told by the front end, not by a dialog.
        return SessionOutcome::Interrupted;
    default:
        context.Message(context.Text("COMMUNICATION", "MESSAGE-READ_WRITE_TIMEOUT",
                                     {target.productName, target.serialNumber}));
        return SessionOutcome::NoAnswer;
    }
}

DeviceFlow::DeviceFlow(SessionContext& context, SelectDeviceDialog& selectDevice, WaitWindow& wait,
                       PresenceRadio& radio)
    : context_(context), selectDevice_(selectDevice), wait_(wait), radio_(radio) {}

std::optional<DeviceTarget> DeviceFlow::ChooseDevice(SelectDeviceDialog::Mode mode, std::uint8_t productType,
                                                     std::string_view unknownName) {
    selectDevice_.SetUp(mode, productType, context_.texts, context_.lists);
    selectDevice_.ProposeSerialNumberOf(context_.config.Image);
    selectDevice_.FormShow();
    context_.views.selectDevice.Show(selectDevice_);
    if (selectDevice_.Result() != SelectDeviceDialog::ResultConfirm) {
        return std::nullopt;
    }
    target_ = selectDevice_.Target(context_.lists, productType, unknownName);
    return target_;
}

void DeviceFlow::FillJob(const DeviceTarget& target, std::uint8_t direction) {
    MemoryJob& job = context_.job;
    job.Band = target.band;
    job.RadioParameter2 = 4;
    job.RadioParameter3 = 0;
    job.RadioParameter4 = 6;
    job.HByte = '1';
    job.ProductTypeNumber = target.productTypeNumber;
    // The dialog confirms only 1 to 16777215.
    job.SerialNumber = static_cast<std::uint32_t>(target.serialNumber);
    job.Direction = direction;
}

std::optional<SessionOutcome> DeviceFlow::RunShown(ProgData& data, const std::string& status,
                                                   const DeviceTarget& target, std::string_view internalError,
                                                   std::string_view notMovedKey) {
    const ByteState pending = context_.job.IsWrite() ? ByteState::ToWrite : ByteState::ToRead;
    context_.Status(status);
    const SessionResult result = context_.RunSessionShown(data, status, wait_);
    if (result == SessionNothingToTransfer) {
        context_.Message(std::string(internalError));
        return SessionOutcome::InternalError;
    }
    if (result != SessionComplete) {
        return ReportSessionFailure(context_, result, target);
    }
    if (const int missing = data.CountState(pending); missing != 0) {
        context_.Message(context_.Text("COMMUNICATION", notMovedKey, {missing}));
        return SessionOutcome::NoAnswer;
    }
    return std::nullopt;
}

std::optional<SessionOutcome> DeviceFlow::ReadShown(ProgData& data, const std::string& status,
                                                    const DeviceTarget& target) {
    FillJob(target, JobRead);
    return RunShown(data, status, target, ReadInternalErrorText,
                    "MESSAGE-ERROR_A_TOTAL_OF_NN_PARAMETERS_WAS_NOT_READ");
}

int DeviceFlow::RunPresenceJob(const PresenceJob& job, const std::function<void()>& whileOpen) {
    KduLink& link = context_.link;
    if (link.Open() != 0) {
        link.Close();
        return PresenceNotOpened;
    }
    const auto add = [&](std::string_view entry) {
        return job.write ? link.AddWriteEntry(entry) : link.AddReadEntry(entry);
    };
    link.SetH(kdu::HValue);
    // An entry the unit refuses would leave the job incomplete (a write would write part of the
    // configuration and report it complete): the job is not started without all of them.
    bool accepted = add("") == CommandOk;
    for (const std::string& entry : job.entries) {
        accepted = accepted && add(entry) == CommandOk;
    }
    int result = PresenceRefused;
    if (!accepted || link.StartRadioJob(job.radioCode) != CommandOk) {
        context_.Dialog(context_.texts.Text("HESK", "MESSAGE-KDU_GET_JOB_ERROR"), MessageKind::Error,
                        Buttons::Ok);
    } else {
        radio_.StartTimer(job.write ? PresenceRadio::TagWriteStatus : PresenceRadio::TagReadStatus);
        ReceiveRadioDialog& dialog = radio_.Dialog();
        dialog.SetCaption(job.caption);
        dialog.SetGroupCaption(context_.texts.Text("HESK", "LABEL-WAIT_FOR_TRANSMITTER_ACTIVATION"));
        dialog.SetActionText(job.actionText);
        context_.views.pump.ProcessPendingEvents();
        result = radio_.ShowDialog();
        if (result != ReceiveRadioDialog::ResultDone) {
            // The unit's job is over or given up: no tick may poll any more, and a read's unit
            // forgets its entries at once.
            radio_.SetTimerTag(PresenceRadio::TagNone);
            if (!job.write) {
                link.AddReadEntry("");
            }
        }
        radio_.StopTimer();
        if (result == ReceiveRadioDialog::ResultDone && whileOpen) {
            whileOpen();
        }
    }
    add("");
    link.Close();
    return result;
}

SessionOutcome DeviceFlow::ReportPresenceJob(int result, bool write) {
    switch (result) {
    case ReceiveRadioDialog::ResultDone: return SessionOutcome::Done;
    case PresenceNotOpened: return SessionOutcome::UnitNotFound;
    case PresenceRefused: return SessionOutcome::DeviceFailed;
    default: break;
    }
    for (const PresenceReport& report : PresenceReports) {
        if (report.result != result) {
            continue;
        }
        const std::string& text =
            context_.texts.Text(report.section, write ? report.writeKey : report.readKey);
        if (report.dialog) {
            context_.Dialog(text, MessageKind::Error, Buttons::Ok);
        } else {
            context_.Status(text);
        }
        return report.outcome;
    }
    return SessionOutcome::Cancelled;
}

int DeviceFlow::TakeReadRecords(ProgData& data, std::span<const std::string> entries) {
    KduLink& link = context_.link;
    ProgData received;
    received.Image = data.Image;
    std::string record;
    for (int records = 0; records < MaxReadRecords && link.GetReadRecord(record) == CommandOk; ++records) {
        if (IsCompleteRecord(record)) {
            received.StoreReadRecord(record, ByteState::ToRead);
        } else {
            link.Trace().Write("Read record of " + std::to_string(record.size()) + " characters dropped");
        }
    }
    int missing = 0;
    for (const std::string& entry : entries) {
        const std::size_t count = EntryByte(entry, kdu::EntryCount).value_or(0);
        const std::size_t address = EntryByte(entry, kdu::EntryAddress).value_or(0);
        for (std::size_t a = address; a < address + count && a < ProgData::ImageSize; ++a) {
            missing += received.State[a] == ByteState::ToRead ? 0 : 1;
        }
    }
    if (missing == 0) {
        data.Image = received.Image;
        data.State = received.State;
    }
    return missing;
}

std::string DeviceFlow::PresenceCode(std::uint8_t productType, const std::string& caption) {
    ReceiveRadioDialog& dialog = radio_.Dialog();
    dialog.ChoosePicture(PresencePicture(productType));
    dialog.SetCaption(caption);
    radio_.GetDeviceCode();
    const std::string code = radio_.DeviceRadioCode();
    if (code.empty()) {
        context_.Status(context_.texts.Text("HESK", "MESSAGE-USER_ABORT_DEVICE_ID_CODE_READ_OPERATION"));
    }
    return code;
}

DeviceFlow::PresenceRead DeviceFlow::ReadByRadioJob(ProgData& data, const std::vector<std::string>& entries,
                                                    const std::string& radioCode, const std::string& caption,
                                                    const std::string& actionText) {
    PresenceRead read;
    read.result = RunPresenceJob({.write = false,
                                  .entries = entries,
                                  .radioCode = radioCode,
                                  .caption = caption,
                                  .actionText = actionText},
                                 [&] {
                                     data.ClearStates();
                                     read.missing = TakeReadRecords(data, entries);
                                 });
    if (PresenceJobStarted(read.result) && read.result != ReceiveRadioDialog::ResultDone) {
        data.ClearStates();
    }
    return read;
}

SessionOutcome DeviceFlow::FetchPresenceConfiguration(ProgData& data, const std::string& radioCode,
                                                      const std::string& caption,
                                                      const std::string& actionText) {
    const PresenceRead read =
        ReadByRadioJob(data, ReadEntries(ReadRangesOf(Family::B)), radioCode, caption, actionText);
    if (const SessionOutcome outcome = ReportPresenceJob(read.result, false);
        outcome != SessionOutcome::Done) {
        return outcome;
    }
    if (read.missing != 0) {
        context_.Message(context_.Text("COMMUNICATION", "MESSAGE-ERROR_A_TOTAL_OF_NN_PARAMETERS_WAS_NOT_READ",
                                       {read.missing}));
        return SessionOutcome::NoAnswer;
    }
    return SessionOutcome::Done;
}

std::optional<std::string> DeviceFlow::KeepBackup(const ProgData::Bytes& image, std::uint8_t productType,
                                                  std::optional<std::int64_t> serial, std::string& error) {
    if (backups_ == nullptr) {
        error.clear();
        return std::nullopt;
    }
    const ProductInfo* product = FindProduct(productType);
    if (product == nullptr) {
        product = FindProduct(image[ProductTypeAddress]);
    }
    if (product == nullptr) {
        error = "the configuration names no known model";
        return std::nullopt;
    }
    const auto at = static_cast<std::size_t>(SerialNumberAddress);
    const std::uint32_t own = static_cast<std::uint32_t>(image[at]) << 16 |
                              static_cast<std::uint32_t>(image[at + 1]) << 8 | image[at + 2];
    error = backups_->Prepare();
    if (!error.empty()) {
        return std::nullopt;
    }
    return backups_->Store(image, product->model,
                           serial && *serial > 0 ? static_cast<std::uint32_t>(*serial) : own,
                           std::time(nullptr), error);
}

} // namespace vorn
