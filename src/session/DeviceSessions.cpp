#include "session/DeviceSessions.h"

#include "base/BusyScope.h"
#include "model/Catalogue.h"
#include "model/Conversion.h"
#include "platform/Interrupt.h"
#include "session/FieldDifferences.h"
#include "session/SessionEngine.h"

#include <iterator>

namespace vorn {

namespace {

// What a change of the radio ID code came to, as a command's outcome.
struct ChangeRow {
    ChangeCodeDialog::ChangeOutcome change;
    SessionOutcome outcome;
};
constexpr ChangeRow ChangeOutcomes[] = {
    {ChangeCodeDialog::ChangeOutcome::Changed, SessionOutcome::Done},
    {ChangeCodeDialog::ChangeOutcome::AlreadySet, SessionOutcome::Done},
    {ChangeCodeDialog::ChangeOutcome::Refused, SessionOutcome::Refused},
    {ChangeCodeDialog::ChangeOutcome::Declined, SessionOutcome::Cancelled},
    {ChangeCodeDialog::ChangeOutcome::NotChanged, SessionOutcome::DeviceFailed},
    {ChangeCodeDialog::ChangeOutcome::DeviceFailed, SessionOutcome::DeviceFailed},
    {ChangeCodeDialog::ChangeOutcome::NoContact, SessionOutcome::NoAnswer},
};

} // namespace

DeviceSessions::DeviceSessions(SessionContext context)
    : context_(context), wait_(context_.views.wait), receiveRadio_(context_.views.receiveRadio),
      radio_(context_, receiveRadio_), changeCode_(context_, radio_), capture_(context_, wait_),
      reader_(context_, selectDevice_, wait_, radio_), writer_(context_, selectDevice_, wait_, radio_) {
    context_.link.SetEventPump(&context_.views.pump);
}

void DeviceSessions::SetBackupFolder(const std::string& programData) {
    backups_ = BackupStore(programData);
    backupsKept_ = !programData.empty();
    reader_.SetBackupStore(backupsKept_ ? &backups_ : nullptr);
    writer_.SetBackupStore(backupsKept_ ? &backups_ : nullptr);
}

std::string DeviceSessions::CheckBackupFolder() {
    return backups_.Prepare();
}

void DeviceSessions::SetSupportLog(SupportLog* log, std::string program) {
    log_ = log;
    program_ = std::move(program);
}

template <class Command>
DeviceResult DeviceSessions::Exclusive(std::string_view name, Command command) {
    DeviceResult result;
    if (busy_ || context_.link.IsBusy()) {
        return result;
    }
    BusyScope running(busy_);
    // A cancel request left over from an earlier command is none for this one.
    if (PendingStopRequest() == StopRequest::Cancel) {
        ClearStopRequest();
    }
    const bool ownTrace = log_ != nullptr && !log_->Begun();
    if (ownTrace) {
        log_->Begin({program_, std::string(name)});
    }
    context_.ForgetCommand();
    command(result);
    if (PendingStopRequest() == StopRequest::Cancel) {
        ClearStopRequest();
        if (result.outcome == SessionOutcome::Interrupted) {
            result.outcome = SessionOutcome::Cancelled;
            ReportCancel(name == "write", result);
        }
    }
    if (result.outcome == SessionOutcome::UnitNotFound) {
        result.unitError = context_.link.Driver().LastOpenError();
    }
    result.text = context_.lastMessage.empty() ? context_.lastText : context_.lastMessage;
    if (ownTrace) {
        log_->End(OutcomeName(result.outcome));
    }
    return result;
}

void DeviceSessions::TakeFigures(bool write, DeviceResult& result) const {
    if (FamilyOf(context_.config.Image[ProductTypeAddress]) == Family::B) {
        // A presence unit moves its entries in one radio job.
        if (write) {
            for (const AddressRange& range : result.written) {
                ++result.blocks;
                result.bytes += range.last - range.first + 1;
            }
        } else if (result.imageRead) {
            for (const AddressRange& range : ReadRangesOf(Family::B)) {
                ++result.blocks;
                result.bytes += range.last - range.first + 1;
            }
        }
        return;
    }
    for (auto record = context_.sessions.rbegin(); record != context_.sessions.rend(); ++record) {
        if (record->last.write != write) {
            continue;
        }
        const SessionStep& last = record->last;
        result.blocks = record->result == SessionComplete ? last.blocks : std::max(0, last.block - 1);
        result.bytes = last.bytesDone;
        if (last.blocks > 0) {
            result.band = last.band;
        }
        return;
    }
}

void DeviceSessions::KeepReadBackup(const ProgData::Bytes& image, std::uint8_t productType,
                                    DeviceResult& result) {
    if (!backupsKept_) {
        return;
    }
    std::optional<std::int64_t> serial;
    if (FamilyOf(productType) != Family::B && reader_.LastTarget()) {
        serial = reader_.LastTarget()->serialNumber;
    }
    std::string error;
    if (const auto path = reader_.KeepBackup(image, productType, serial, error)) {
        result.backupPath = *path;
        return;
    }
    result.backupError = error;
    context_.Message(context_.Text("COMMUNICATION", "MESSAGE-BACKUP_NOT_STORED_NN", {error}));
}

void DeviceSessions::ReportCancel(bool write, const DeviceResult& result) {
    if (!write) {
        context_.Status(context_.texts.Text("COMMUNICATION", "STATUS-READ_CANCELLED"));
    } else if (result.verify == VerifyResult::NotVerified) {
        context_.Message(context_.texts.Text("COMMUNICATION", "MESSAGE-NOT_VERIFIED"));
    } else if (!result.written.empty()) {
        context_.Message(
            context_.Text("COMMUNICATION", "MESSAGE-WRITE_CANCELLED_NN", {RangesText(result.written)}));
    } else {
        context_.Status(context_.texts.Text("COMMUNICATION", "STATUS-WRITE_CANCELLED_NOTHING_WRITTEN"));
    }
}

DeviceResult DeviceSessions::Read() {
    return Exclusive("read", [this](DeviceResult& result) {
        const std::uint8_t type = context_.config.Image[ProductTypeAddress];
        result.outcome = reader_.Read();
        // A read whose image does not convert still holds what the device holds: it is kept.
        result.imageRead =
            result.outcome == SessionOutcome::Done || result.outcome == SessionOutcome::ConversionError;
        TakeFigures(false, result);
        if (result.imageRead) {
            KeepReadBackup(context_.config.Image, type, result);
        }
    });
}

DeviceResult DeviceSessions::Write(const DeviceOptions& options) {
    return Exclusive("write", [this, &options](DeviceResult& result) {
        const Family family = FamilyOf(context_.config.Image[ProductTypeAddress]);
        if (options.backupFirst && family != Family::None) {
            // A folder that cannot take the backup stops the write before the device is asked.
            if (const std::string problem = CheckBackupFolder(); !problem.empty()) {
                result.backupError = problem;
                context_.Message(
                    context_.Text("COMMUNICATION", "MESSAGE-NO_BACKUP_NOTHING_WRITTEN_NN", {problem}));
                result.outcome = SessionOutcome::BackupFailed;
                return;
            }
        }
        result.outcome = writer_.Write(options, result);
        if (result.writeStarted && family != Family::B) {
            result.written = RangesInState(context_.config.State, ByteState::Written);
        }
        TakeFigures(true, result);
    });
}

DeviceResult DeviceSessions::Compare() {
    return Exclusive("compare", [this](DeviceResult& result) {
        ProgData& config = context_.config;
        const std::uint8_t type = config.Image[ProductTypeAddress];
        const Family family = FamilyOf(type);
        if (family == Family::None) {
            return;
        }
        // This configuration as the editor holds it now, and the device's beside it.
        ProgData::Bytes edited = config.Image;
        context_.editor.FieldsToImageQuietly(edited);
        ProgData device;
        device.Image = config.Image;
        result.outcome = reader_.Fetch(device, false);
        result.imageRead = result.outcome == SessionOutcome::Done;
        TakeFigures(false, result);
        if (!result.imageRead) {
            return;
        }
        KeepReadBackup(device.Image, type, result);
        std::string name = conversion::ProductNameOf(context_.lists.DeviceNamesB, type);
        if (family != Family::B && reader_.LastTarget()) {
            name =
                reader_.LastTarget()->productName + " " + std::to_string(reader_.LastTarget()->serialNumber);
        }
        compare_.Prepare(context_.texts,
                         DifferingFields(context_.editor, context_.texts, edited, device.Image), name);
        compare_.FormShow();
        compareView_->Show(compare_);
        if (compare_.Result() == CompareDialog::ResultTake) {
            // As a read takes it.
            config.Image = device.Image;
            config.State = device.State;
            result.outcome = reader_.ShowFetched();
        } else {
            context_.Status(compare_.ControlTexts().front().text);
        }
    });
}

DeviceResult DeviceSessions::ChangeIdCode(const std::string& newCode) {
    return Exclusive("change-id", [this, &newCode](DeviceResult& result) {
        if (FamilyOf(context_.config.Image[ProductTypeAddress]) != Family::B) {
            return;
        }
        changeCode_.FormShow();
        // Typed key by key as in the window: a key the field refuses is dropped.
        for (const char ch : newCode) {
            changeCode_.Fields().TypeKey(ChangeCodeDialog::NewCodeField, static_cast<unsigned char>(ch));
        }
        result.change = changeCode_.btnChangeClick();
        changeCode_.btnCloseClick();
        if (result.change == ChangeCodeDialog::ChangeOutcome::NoDeviceCode) {
            result.outcome = radio_.MissingCodeOutcome();
            return;
        }
        for (const ChangeRow& row : ChangeOutcomes) {
            if (row.change == result.change) {
                result.outcome = row.outcome;
            }
        }
    });
}

DeviceResult DeviceSessions::CaptureCode(int event) {
    return Exclusive("capture", [this, event](DeviceResult& result) {
        const RadioCodeCapture::Heard capture = capture_.CaptureRadioCode(
            context_.Text("COMMON", "MESSAGE-ACTIVATE_WIRELESS_DEVICE_FOR_EVENT_NN", {event}));
        switch (capture.result) {
        case RadioCodeCapture::ResultCaptured:
            result.code = capture.code;
            result.outcome = SessionOutcome::Done;
            break;
        case RadioCodeCapture::ResultNotOpened:
            context_.Message(context_.UnitNotFoundText());
            result.outcome = SessionOutcome::UnitNotFound;
            break;
        case RadioCodeCapture::ResultAborted:
            result.outcome = StopRequested() ? SessionOutcome::Interrupted : SessionOutcome::Cancelled;
            break;
        default:
            context_.Message(context_.texts.Text("COMMON", "STATUS-TIMEOUT_NO_RADIO_CODE_WAS_RECEIVED"));
            result.outcome = SessionOutcome::NoAnswer;
            break;
        }
    });
}

DeviceResult DeviceSessions::UnitInfo() {
    return Exclusive("unit-info", [this](DeviceResult& result) {
        KduLink& link = context_.link;
        if (link.Open() == 0 && link.GetVersion(result.code) == CommandOk) {
            result.outcome = SessionOutcome::Done;
        } else {
            result.code.clear();
            result.outcome = SessionOutcome::UnitNotFound;
        }
        // Closed also after a failed open: whatever it opened is released.
        link.Close();
        if (result.outcome == SessionOutcome::UnitNotFound) {
            context_.Message(context_.UnitNotFoundText());
        }
    });
}

std::optional<std::string> DeviceSessions::UnitVersion() {
    const DeviceResult asked = Exclusive("unit version (About)", [this](DeviceResult& result) {
        KduLink& link = context_.link;
        if (link.Open() == 0 && link.GetVersion(result.code) == CommandOk) {
            result.outcome = SessionOutcome::Done;
        }
        link.Close();
    });
    return asked.outcome == SessionOutcome::Done ? std::optional<std::string>(asked.code) : std::nullopt;
}

DeviceResult DeviceSessions::ChangeIdCode() {
    return Exclusive("change ID code", [this](DeviceResult& result) {
        if (FamilyOf(context_.config.Image[ProductTypeAddress]) != Family::B) {
            return;
        }
        changeCode_.FormShow();
        context_.views.changeCode.Show(changeCode_);
        result.outcome = SessionOutcome::Done;
    });
}

DeviceResult DeviceSessions::CaptureIntoEvent(int n) {
    return Exclusive("capture",
                     [this, n](DeviceResult& result) { result.outcome = capture_.CaptureIntoEvent(n); });
}

} // namespace vorn
