#include "DeviceCommands.h"

#include "BackupStore.h"
#include "Commands.h"
#include "DidYouMean.h"
#include "ProgressView.h"
#include "SerialList.h"
#include "base/Utf8.h"
#include "files/DefaultConfigs.h"
#include "model/Catalogue.h"
#include "platform/Files.h"
#include "platform/Interrupt.h"
#include "platform/System.h"
#include "session/DeviceSessions.h"
#include "session/SessionEngine.h"

#include <cstdio>
#include <ctime>
#include <iostream>
#include <span>

namespace vorn::cli {

namespace {

// The exit status of the stop request that ended a command, and its name for the messages.
int StopStatus() {
    return PendingStopRequest() == StopRequest::Terminate ? ExitTerminated : ExitInterrupted;
}

std::string StopName() {
    return PendingStopRequest() == StopRequest::Terminate ? "a termination request (SIGTERM)"
                                                          : "Ctrl+C (SIGINT)";
}

// The exit status of a flow's outcome; the unit's own reason is added for a unit not found.
int ExitOf(CliContext& context, SessionOutcome outcome) {
    const DeviceOperator& op = context.device;
    switch (outcome) {
    case SessionOutcome::Done: return ExitSuccess;
    case SessionOutcome::UnitNotFound:
        if (const std::string reason = context.controller.Link().Driver().LastOpenError(); !reason.empty()) {
            std::fprintf(stderr, "vornctl: %s\n", reason.c_str());
        }
        return ExitUnit;
    case SessionOutcome::FirmwareTooOld: return ExitUnit;
    case SessionOutcome::NoAnswer:
    case SessionOutcome::DeviceFailed: return ExitDevice;
    case SessionOutcome::ConversionError:
    case SessionOutcome::InternalError: return ExitFailed;
    case SessionOutcome::Cancelled:
        if (op.unansweredQuestion) {
            std::fprintf(stderr,
                         "vornctl: the question needs an answer: --change-id yes or --change-id no\n");
            return ExitRefused;
        }
        return op.buttonWaitExpired ? ExitDevice : ExitRefused;
    case SessionOutcome::Interrupted: return StopStatus();
    case SessionOutcome::Refused:
    case SessionOutcome::NotRun: break;
    }
    return ExitRefused;
}

// The region's default configuration of the model, in the editor as after its device button (from the
// installation, as `vornctl new` takes it: a tool copies no defaults).
void LoadDefault(CliContext& context, const ProductInfo& product) {
    ProgData& config = context.controller.CurrentConfig();
    const std::string path = RegionDefaultPath(context.installFolder, context.Region(), product);
    if (!config.ReadImageFile(path)) {
        throw CliError(ExitFailed, "no default configuration of " + std::string(product.model) +
                                       " for region " + context.regionName + " (" + path + ")");
    }
    config.Snapshot();
    config.ConfigOrigin = Origin::Default;
    config.CurrentFilePath.clear();
    context.Load(config.Image);
}

// A configuration file into the editor, as File > Open leaves it.
void LoadFile(CliContext& context, const ProgData::Bytes& image, const std::string& file) {
    ProgData& config = context.controller.CurrentConfig();
    config.Image = image;
    const int loaded = context.Load(config.Image);
    if (loaded != ResultSuccess) {
        throw CliError(ExitFailed,
                       file + " does not convert: " + context.ResultMessage(loaded, config.Image));
    }
    config.Snapshot();
    config.ConfigOrigin = Origin::Opened;
    config.CurrentFilePath = file;
}

// The band drop-down's position of a band number of the region.
int BandIndex(CliContext& context, int band) {
    const int index = IndexOfCode(context.lists.ReceiveBands, band);
    if (index < 0) {
        throw CliError(ExitRefused, "band " + std::to_string(band) + " is not a receive band of region " +
                                        context.regionName + " (see vornctl bands)");
    }
    return index;
}

std::uint32_t SerialOfImage(const ProgData::Bytes& image) {
    return static_cast<std::uint32_t>(image[SerialNumberAddress]) << 16 |
           static_cast<std::uint32_t>(image[SerialNumberAddress + 1]) << 8 | image[SerialNumberAddress + 2];
}

// Seconds of the link's clock since a start.
double SecondsSince(CliContext& context, Millis start) {
    return static_cast<double>((context.LinkClock().Now() - start).count()) / 1000.0;
}

// Writes an image to standard output (`-o -`), for a pipe.
void WriteImageToStdout(const ProgData::Bytes& image) {
    std::cout.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
}

// The addresses a write moved, for the read-back: the marked bytes of a memory-job write, the write
// entries of a presence unit (the radio ID code's only when it was changed).
std::vector<ReadRange> WrittenRanges(const ProgData& config, bool presenceUnit, bool radioIdWritten) {
    std::vector<ReadRange> ranges;
    if (presenceUnit) {
        for (const WriteEntrySpan& entry : FamilyBWriteEntries) {
            ranges.push_back({entry.address, entry.address + entry.count - 1});
        }
        if (radioIdWritten) {
            ranges.push_back(
                {FamilyBRadioIdEntry.address, FamilyBRadioIdEntry.address + FamilyBRadioIdEntry.count - 1});
        }
        return ranges;
    }
    for (int address = 0; address < ProgData::ImageSize; ++address) {
        if (config.State[static_cast<std::size_t>(address)] != ByteState::Written) {
            continue;
        }
        if (!ranges.empty() && ranges.back().last == address - 1) {
            ranges.back().last = address;
        } else {
            ranges.push_back({address, address});
        }
    }
    return ranges;
}

} // namespace

void DeviceCommands::Register(CLI::App& app, GlobalOptions& global) {
    app.add_option("--port", global.port,
                   "the interface unit's serial port (default: VORN_KDU_PORT, else the USB device named "
                   "\"Orsk KDU - Active USB Interface\")");
    app.add_flag("--simulate", global.simulate,
                 "use the demo unit: TARV 1001 and DADIDU 3001 on band 1, HESK 12AB, transmitter 4D2E");
    app.add_flag("-q,--quiet", global.quiet, "no progress and no status texts; results and errors only");

    read_ = app.add_subcommand("read", "read a device into a configuration file");
    read_->add_option("--model", model_, "model name or product-type byte")->required();
    serialOption_ = read_->add_option("--serial", serial_, "serial number (families A and C)");
    bandOption_ = read_->add_option("--band", band_, "the band to start on (default: the region's first)");
    read_->add_option("-o,--output", output_, "file to write; - for standard output")->required();
    read_->add_flag("--json", json_, "one JSON object for the device");
    read_->footer("Example: vornctl --simulate read --model TARV --serial 1001 -o tarv.vorn\n"
                  "The image is also kept in the backups folder (vornctl backups).");

    write_ = app.add_subcommand("write", "write a configuration file to a device, or to many");
    write_->add_option("FILE", file_, "configuration file")->required();
    writeSerialOption_ = write_->add_option("--serial", serial_, "serial number (families A and C)");
    serialsOption_ = write_->add_option(
        "--serials", serials_, "a batch: serial numbers and ranges (1001,1005-1009) or @FILE, one a line");
    writeSerialOption_->excludes(serialsOption_);
    writeBandOption_ =
        write_->add_option("--band", band_, "the band to start on (default: the region's first)");
    write_
        ->add_option("--change-id", changeIdAnswer_,
                     "answer to the radio ID code question (a batch needs it)")
        ->check(CLI::IsMember({"yes", "no"}));
    write_->add_flag("--verify", verify_, "read the written bytes back and compare them");
    write_->add_flag("--backup", backup_,
                     "read and keep the device's configuration first; no backup, no write");
    write_->add_flag("--json", json_, "one JSON object a device");
    write_->footer(
        "Examples: vornctl --simulate write tarv.vorn --serial 1001 --change-id no --verify --backup\n"
        "          vornctl write tarv.vorn --serials 1001,1005-1009 --change-id no\n"
        "A batch prints a line a device and a total; it exits 5 when a device failed.");

    capture_ = app.add_subcommand("capture", "print the radio code of the transmitter activated next");
    capture_->add_option("--event", event_, "the radio event named in the prompt (1 to 8)")
        ->check(CLI::Range(1, 8));
    capture_->footer("Example: vornctl --simulate capture");

    changeId_ = app.add_subcommand("change-id", "give a presence unit a new radio ID code");
    changeId_->add_option("NEWCODE", newCode_, "four hexadecimal digits, 0001 to FFFE")->required();
    changeId_->footer("Example: vornctl --simulate change-id BEEF");

    unitInfo_ = app.add_subcommand("unit-info", "the interface unit's version text");
    unitInfo_->footer("Example: vornctl --simulate unit-info");

    backups_ = app.add_subcommand("backups", "list the configurations kept from devices");
    backupSerialOption_ = backups_->add_option("--serial", serial_, "only this serial number");
    backups_->add_flag("--json", json_, "JSON");
    backups_->footer("Example: vornctl backups --serial 1001");

    trace_ = app.add_subcommand("trace", "print the support trace of the device commands");
    trace_->add_flag("--last", lastOnly_, "only the last command's trace");
    trace_->footer("Example: vornctl trace --last");
}

bool DeviceCommands::Parsed() const {
    return read_->parsed() || write_->parsed() || capture_->parsed() || changeId_->parsed() ||
           unitInfo_->parsed();
}

int DeviceCommands::RunLocal(const GlobalOptions&) {
    const std::string programData = ProgramDataForWrites();
    if (trace_->parsed()) {
        std::string error;
        const std::string text = SupportLog::Read(programData, lastOnly_, error);
        // What could be read is shown; a file that could not is named after it.
        std::fputs(text.c_str(), stdout);
        if (!error.empty()) {
            throw CliError(ExitFailed, error);
        }
        if (text.empty()) {
            std::fprintf(stderr, "vornctl: no trace yet in %s%s\n", programData.c_str(),
                         std::string(SupportLog::FileName).c_str());
        }
        return ExitSuccess;
    }
    // backups
    BackupStore store(programData);
    std::string error;
    const auto entries =
        store.List(backupSerialOption_->count() > 0 ? std::optional(serial_) : std::nullopt, error);
    if (!error.empty()) {
        throw CliError(ExitFailed, error);
    }
    Json out = Json::array();
    for (const BackupEntry& entry : entries) {
        if (json_) {
            out.push_back({{"model", entry.model},
                           {"serial", entry.serial},
                           {"time", entry.time},
                           {"path", entry.path}});
        } else {
            std::printf("%s  %-11s %8u  %s\n", entry.time.c_str(), entry.model.c_str(), entry.serial,
                        EscapeControlCharacters(entry.path).c_str());
        }
    }
    if (json_) {
        std::cout << JsonText(out, 2) << "\n";
    } else if (entries.empty()) {
        std::fprintf(stderr, "vornctl: no backups in %s\n", store.Folder().c_str());
    }
    return ExitSuccess;
}

bool DeviceCommands::LocalParsed() const {
    return backups_->parsed() || trace_->parsed();
}

int DeviceCommands::Run(CliContext& context, const GlobalOptions& global) {
    context.supportLog.Begin(global.commandLine);
    int status = ExitFailed;
    try {
        status = RunDevice(context, global);
        if (StopRequested()) {
            status = StopStatus();
            const std::string text = "stopped by " + StopName() +
                                     ": the device command ended at a safe point and the unit was closed";
            std::fprintf(stderr, "vornctl: %s\n", text.c_str());
            if (TracingDriver* tracing = context.Tracing()) {
                tracing->Note(text);
            }
        }
    } catch (const CliError& error) {
        if (TracingDriver* tracing = context.Tracing()) {
            tracing->Note(error.what());
        }
        context.supportLog.End(error.status);
        throw;
    }
    if (TracingDriver* tracing = context.Tracing()) {
        tracing->TakeSessionTrace();
    }
    context.supportLog.End(status);
    return status;
}

int DeviceCommands::RunDevice(CliContext& context, const GlobalOptions& global) {
    ProgramController& controller = context.controller;
    DeviceSessions& sessions = controller.Sessions();
    DeviceOperator& op = context.device;
    op.terminal = IsTerminal(StandardStream::Input) && IsTerminal(StandardStream::Error);
    ProgressView progress(context.lists.ReceiveBands);
    progress.enabled = IsTerminal(StandardStream::Error) && !global.quiet;
    sessions.Context().progress = &progress;
    op.progress = &progress;

    if (unitInfo_->parsed()) {
        // As the about window asks the unit, and with its label.
        const auto version = sessions.UnitVersion();
        if (!version) {
            std::fprintf(stderr, "vornctl: %s\n", sessions.Context().UnitNotFoundText().c_str());
            return ExitOf(context, SessionOutcome::UnitNotFound);
        }
        // The unit's own text: its control characters must not reach the terminal raw.
        std::printf("%s %s\n", context.texts.Text("HELP-ABOUT", "TEXT-KDU_INFO").c_str(),
                    EscapeControlCharacters(*version).c_str());
        return ExitSuccess;
    }

    if (capture_->parsed()) {
        const auto capture = sessions.Capture().CaptureRadioCode(
            sessions.Context().Text("COMMON", "MESSAGE-ACTIVATE_WIRELESS_DEVICE_FOR_EVENT_NN", {event_}));
        if (StopRequested()) {
            return StopStatus();
        }
        switch (capture.result) {
        case RadioCodeCapture::ResultCaptured: std::printf("%s\n", capture.code.c_str()); return ExitSuccess;
        case RadioCodeCapture::ResultNotOpened:
            std::fprintf(stderr, "vornctl: %s\n", sessions.Context().UnitNotFoundText().c_str());
            return ExitOf(context, SessionOutcome::UnitNotFound);
        default:
            std::fprintf(stderr, "vornctl: %s\n",
                         context.texts.Text("COMMON", "STATUS-TIMEOUT_NO_RADIO_CODE_WAS_RECEIVED").c_str());
            return ExitDevice;
        }
    }

    if (changeId_->parsed()) {
        LoadDefault(context, ParseModel("HESK"));
        op.newCode = newCode_;
        controller.mnuCommChangeIdCodeClick();
        using Outcome = ChangeCodeDialog::ChangeOutcome;
        switch (static_cast<Outcome>(op.changeOutcome.value_or(static_cast<int>(Outcome::None)))) {
        case Outcome::Changed:
        case Outcome::AlreadySet: return ExitSuccess;
        case Outcome::NoDeviceCode: return ExitOf(context, sessions.Presence().MissingCodeOutcome());
        case Outcome::DeviceFailed:
        case Outcome::NoContact:
        case Outcome::NotChanged: return ExitDevice;
        case Outcome::Refused:
        case Outcome::Declined:
        case Outcome::None: break;
        }
        return ExitRefused;
    }

    if (read_->parsed()) {
        return Read(context, progress);
    }
    return Write(context, progress);
}

void DeviceCommands::RequireSerial(const CLI::Option* option, Family family, const std::string& model) const {
    const bool given = option != nullptr && option->count() > 0;
    const bool batch = serialsOption_ != nullptr && serialsOption_->count() > 0 && write_->parsed();
    if (family == Family::B && (given || batch)) {
        throw CliError(ExitUsage,
                       model + " is a presence unit: it is found by its button, not by a serial number");
    }
    if (family != Family::B && !given && !batch) {
        throw CliError(ExitUsage, model + " needs --serial N (1 to 16777215)" +
                                      std::string(write_->parsed() ? " or --serials LIST" : ""));
    }
    if (given && (serial_ == 0 || serial_ > MemoryJob::MaxSerialNumber)) {
        throw CliError(ExitRefused, "--serial " + std::to_string(serial_) +
                                        " is not a serial number: serial numbers run from 1 to 16777215");
    }
}

DeviceReport DeviceCommands::ReadDevice(CliContext& context, ProgressView& progress,
                                        const ProductInfo& product, std::optional<std::uint32_t> serial,
                                        BackupStore& store, const std::string& phase) {
    DeviceOperator& op = context.device;
    ProgramController& controller = context.controller;
    DeviceReport report;
    report.command = "read";
    report.serial = serial;
    report.model = std::string(product.model);
    LoadDefault(context, product);
    op.serialNumber = serial.value_or(0);
    progress.SetPhase(phase);
    const SessionOutcome outcome = controller.mnuCommReadFromDeviceClick();
    report.status = ExitOf(context, outcome);
    report.text = op.lastMessage.empty() ? op.lastText : op.lastMessage;
    if (StopRequested()) {
        // Asked to stop: nothing more is done with the device's image, whatever came.
        report.status = StopStatus();
        report.text = "stopped by " + StopName() + "; nothing was kept";
        return report;
    }
    // A read whose image does not convert still holds what the device holds: it is kept.
    report.imageRead = outcome == SessionOutcome::Done || outcome == SessionOutcome::ConversionError;
    if (report.imageRead) {
        if (product.family == Family::B) {
            for (const std::string_view entry : FamilyBReadEntries) {
                ++report.blocks;
                report.bytes += std::stoi(std::string(entry.substr(0, 2)), nullptr, 16);
            }
        }
        const ProgData::Bytes& image = controller.CurrentConfig().Image;
        std::string error = store.Prepare();
        std::optional<std::string> path;
        if (error.empty()) {
            path = store.Store(image, product.model, serial.value_or(SerialOfImage(image)),
                               std::time(nullptr), error);
        }
        if (path) {
            report.backup = *path;
        } else {
            report.backupError = error;
        }
    }
    return report;
}

int DeviceCommands::Read(CliContext& context, ProgressView& progress) {
    const ProductInfo& product = ParseModel(model_);
    RequireSerial(serialOption_, product.family, std::string(product.model));
    DeviceOperator& op = context.device;
    if (bandOption_->count() > 0) {
        op.bandIndex = BandIndex(context, band_);
    }
    // Found before the device is asked, so a read is never lost for want of a place to put it.
    if (output_ != "-") {
        if (const FileError problem = CheckFileWritable(output_); problem != FileError::None) {
            throw CliError(ExitFailed, "cannot write " + output_ + ": " +
                                           std::string(FileErrorText(problem)) + "; the device was not read");
        }
    }
    const std::optional<std::uint32_t> serial =
        product.family == Family::B ? std::nullopt : std::optional<std::uint32_t>(serial_);
    const std::string label = std::string(product.model) + (serial ? " " + std::to_string(*serial) : "");
    progress.BeginDevice(label, false);
    if (TracingDriver* tracing = context.Tracing()) {
        tracing->Note("read " + label);
    }
    BackupStore store(ProgramDataForWrites());
    const Millis start = context.LinkClock().Now();
    DeviceReport report = ReadDevice(context, progress, product, serial, store, "read");
    report.seconds = SecondsSince(context, start);
    FillFigures(progress, report, product.family);

    ProgData& config = context.controller.CurrentConfig();
    if (report.imageRead) {
        if (output_ == "-") {
            WriteImageToStdout(config.Image);
        } else {
            FileError error = FileError::None;
            if (!config.WriteImageFile(output_, error)) {
                throw CliError(ExitFailed,
                               "cannot write " + output_ + ": " + std::string(FileErrorText(error)));
            }
        }
    }
    // Nothing read is lost for a backup that could not be kept, but the command says so.
    if (!report.backupError.empty()) {
        std::fprintf(stderr, "vornctl: %s\n", report.backupError.c_str());
        if (report.status == ExitSuccess) {
            report.status = ExitFailed;
        }
        report.text = report.backupError;
    } else if (!report.backup.empty() && !context.device.quiet && context.device.chatty && !json_) {
        std::fprintf(stderr, "vornctl: backup kept: %s\n", report.backup.c_str());
    }
    if (json_) {
        // The image itself may be on standard output: the object then goes to stderr.
        std::fprintf(output_ == "-" ? stderr : stdout, "%s\n", JsonText(report.ToJson()).c_str());
    }
    return report.status;
}

void DeviceCommands::FillFigures(const ProgressView& progress, DeviceReport& report, Family family) const {
    if (family == Family::B) {
        // A presence unit moves its entries in one radio job: the caller counts them.
        return;
    }
    const ProgressView::Figures& figures = progress.Main();
    report.blocks = figures.blocks;
    report.bytes = figures.bytes;
    if (figures.band) {
        report.band = *figures.band;
        report.bandText = progress.BandText(*figures.band);
    }
}

DeviceReport DeviceCommands::WriteOne(CliContext& context, ProgressView& progress,
                                      const ProgData::Bytes& image, std::optional<std::uint32_t> serial) {
    DeviceOperator& op = context.device;
    ProgramController& controller = context.controller;
    const ProductInfo& product = *FindProduct(image[ProductTypeAddress]);
    const bool presenceUnit = product.family == Family::B;
    op.ForgetDevice();
    const std::string label = std::string(product.model) + (serial ? " " + std::to_string(*serial) : "");
    progress.BeginDevice(label, true);
    if (TracingDriver* tracing = context.Tracing()) {
        tracing->Note("write " + file_ + " to " + label);
    }
    const Millis start = context.LinkClock().Now();
    DeviceReport report;
    const auto finish = [&]() -> DeviceReport {
        report.seconds = SecondsSince(context, start);
        FillFigures(progress, report, product.family);
        if (TracingDriver* tracing = context.Tracing()) {
            tracing->Note(label + ": " + report.Line());
        }
        return report;
    };

    if (backup_) {
        BackupStore store(ProgramDataForWrites());
        const DeviceReport backup = ReadDevice(context, progress, product, serial, store, "backup");
        if (backup.backup.empty()) {
            report = backup;
            report.command = "write";
            if (backup.imageRead) {
                // Read, but the backups folder would not keep it.
                report.status = ExitFailed;
                report.text = backup.backupError + "; nothing was written";
            } else {
                report.text = "no backup, so nothing was written: " + backup.text;
            }
            return finish();
        }
        report.backup = backup.backup;
        op.ForgetDevice();
    }

    report.command = "write";
    report.serial = serial;
    report.model = std::string(product.model);
    LoadFile(context, image, file_);
    op.serialNumber = serial.value_or(0);
    progress.SetPhase("write");
    const SessionOutcome outcome = controller.mnuCommWriteToDeviceClick();
    report.status = ExitOf(context, outcome);
    report.text = op.lastMessage.empty() ? op.lastText : op.lastMessage;
    if (StopRequested() && outcome != SessionOutcome::Done) {
        report.status = StopStatus();
        FillFigures(progress, report, product.family);
        // A memory-job write that got as far as its write session has a band; a presence unit's
        // radio job may have run.
        const bool began = presenceUnit || report.band.has_value();
        report.text = "stopped by " + StopName() +
                      (began ? ": " + std::to_string(report.bytes) +
                                   " bytes were confirmed written; the device may hold part of the new "
                                   "configuration"
                             : " before anything was written");
    }
    if (presenceUnit && outcome == SessionOutcome::Done) {
        for (const ReadRange& range :
             WrittenRanges(controller.CurrentConfig(), true, op.idAnswer.value_or(false))) {
            ++report.blocks;
            report.bytes += range.last - range.first + 1;
        }
    }
    if (outcome != SessionOutcome::Done || !verify_ || StopRequested()) {
        return finish();
    }

    // The read-back: the written bytes, compared with what the write sent.
    const ProgData written = controller.CurrentConfig();
    const std::vector<ReadRange> ranges = WrittenRanges(written, presenceUnit, op.idAnswer.value_or(false));
    ProgData::Bytes back{};
    std::vector<bool> got(ProgData::ImageSize, false);
    bool readBack = false;
    progress.SetPhase("verify");
    if (presenceUnit) {
        // The window's read: the unit's button once more.
        op.ForgetDevice();
        const SessionOutcome read = controller.mnuCommReadFromDeviceClick();
        readBack = read == SessionOutcome::Done || read == SessionOutcome::ConversionError;
        back = controller.CurrentConfig().Image;
        for (const ReadRange& range : ranges) {
            for (int a = range.first; a <= range.last; ++a) {
                got[static_cast<std::size_t>(a)] = readBack;
            }
        }
        if (!readBack) {
            report.text = "the read-back failed: " + (op.lastMessage.empty() ? op.lastText : op.lastMessage);
        }
    } else {
        ProgData scratch;
        scratch.Image = written.Image;
        for (const ReadRange& range : ranges) {
            scratch.MarkRange(range.first, range.last, ByteState::ToRead);
        }
        MemoryJob& job = controller.Job();
        job.Direction = JobRead;
        const int result = RunSession(scratch, job, controller.Link(), context.lists.ReceiveBands, &progress);
        readBack = result == SessionComplete;
        back = scratch.Image;
        for (int a = 0; a < ProgData::ImageSize; ++a) {
            got[static_cast<std::size_t>(a)] = scratch.State[static_cast<std::size_t>(a)] == ByteState::Read;
        }
        if (!readBack) {
            report.text = "the read-back got no answer from the device";
        }
    }
    for (const ReadRange& range : ranges) {
        for (int a = range.first; a <= range.last; ++a) {
            const auto i = static_cast<std::size_t>(a);
            if (!got[i]) {
                report.differences.push_back({a, written.Image[i], std::nullopt});
            } else if (back[i] != written.Image[i]) {
                report.differences.push_back({a, written.Image[i], back[i]});
            }
        }
    }
    if (readBack && report.differences.empty()) {
        report.verify = "passed";
    } else {
        report.verify = "failed";
        report.status = ExitDevice;
        if (readBack) {
            report.text = "the read-back differs: " + DifferencesText(report.differences);
        }
    }
    if (presenceUnit) {
        // The editor shows the file again, as after the write.
        LoadFile(context, written.Image, file_);
    }
    return finish();
}

int DeviceCommands::Write(CliContext& context, ProgressView& progress) {
    const ProgData::Bytes image = context.ReadImage(file_, false);
    // The file must convert before any device is touched.
    LoadFile(context, image, file_);
    const std::uint8_t type = image[ProductTypeAddress];
    const ProductInfo* product = FindProduct(type);
    if (product == nullptr) {
        throw CliError(ExitFailed, file_ + " holds no known product type");
    }
    RequireSerial(writeSerialOption_, product->family, std::string(product->model));
    DeviceOperator& op = context.device;
    if (writeBandOption_->count() > 0) {
        op.bandIndex = BandIndex(context, band_);
    }
    if (!changeIdAnswer_.empty()) {
        op.changeId = changeIdAnswer_ == "yes";
    }

    std::vector<std::optional<std::uint32_t>> devices;
    const bool batch = serialsOption_->count() > 0;
    if (batch) {
        std::string error;
        const std::vector<std::uint32_t> serials = SerialList::FromArgument(serials_, error);
        if (!error.empty()) {
            throw CliError(ExitRefused, "--serials: " + error);
        }
        // Nobody is there to answer a question for every device of a batch.
        if (changeIdAnswer_.empty()) {
            throw CliError(ExitUsage, "a batch needs --change-id yes or --change-id no: the radio ID code "
                                      "question is answered once for every device");
        }
        devices.assign(serials.begin(), serials.end());
    } else if (product->family == Family::B) {
        devices.push_back(std::nullopt);
    } else {
        devices.push_back(serial_);
    }

    if (backup_) {
        // A folder that cannot take the backups stops the command before any device is touched.
        if (const std::string problem = BackupStore(ProgramDataForWrites()).Prepare(); !problem.empty()) {
            throw CliError(ExitFailed, problem + "; nothing was written");
        }
    }
    const Millis start = context.LinkClock().Now();
    std::vector<DeviceReport> reports;
    for (const auto& serial : devices) {
        reports.push_back(WriteOne(context, progress, image, serial));
        const DeviceReport& report = reports.back();
        Print(report);
        // Without the unit no device can be reached, and a stop request stops the batch: the rest
        // are not tried.
        if (report.status == ExitUnit || StopRequested()) {
            break;
        }
    }
    if (batch && !json_) {
        std::printf("%s\n", TotalLine(reports, devices.size(), SecondsSince(context, start)).c_str());
    }
    std::fflush(stdout);
    return batch ? BatchStatus(reports, devices.size()) : reports.front().status;
}

void DeviceCommands::Print(const DeviceReport& report) const {
    if (json_) {
        std::printf("%s\n", JsonText(report.ToJson()).c_str());
    } else {
        std::printf("%s\n", EscapeControlCharacters(report.Line()).c_str());
    }
    // A batch's lines appear as the devices are done, also in a pipe.
    std::fflush(stdout);
}

int DeviceCommands::BatchStatus(const std::vector<DeviceReport>& reports, std::size_t devices) {
    bool failed = reports.size() < devices;
    for (const DeviceReport& report : reports) {
        if (report.status == ExitUnit) {
            return ExitUnit;
        }
        failed = failed || !report.Succeeded();
    }
    return failed ? ExitDevice : ExitSuccess;
}

} // namespace vorn::cli
