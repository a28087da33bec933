#include "DeviceCommands.h"

#include "Commands.h"
#include "DidYouMean.h"
#include "ProgressView.h"
#include "SerialList.h"
#include "base/Utf8.h"
#include "files/BackupStore.h"
#include "model/Catalogue.h"
#include "platform/Files.h"
#include "platform/Interrupt.h"
#include "platform/System.h"
#include "session/DeviceSessions.h"

#include <cstdio>
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

// The exit status of each outcome of the device service.
struct ExitRow {
    SessionOutcome outcome;
    int status;
};
constexpr ExitRow ExitStatuses[] = {
    {SessionOutcome::Done, ExitSuccess},
    {SessionOutcome::UnitNotFound, ExitUnit},
    {SessionOutcome::FirmwareTooOld, ExitUnit},
    {SessionOutcome::NoAnswer, ExitDevice},
    {SessionOutcome::DeviceFailed, ExitDevice},
    {SessionOutcome::ButtonNotPressed, ExitDevice},
    {SessionOutcome::ConversionError, ExitFailed},
    {SessionOutcome::InternalError, ExitFailed},
    {SessionOutcome::BackupFailed, ExitFailed},
    {SessionOutcome::Cancelled, ExitRefused},
    {SessionOutcome::QuestionUnanswered, ExitRefused},
    {SessionOutcome::Refused, ExitRefused},
    {SessionOutcome::NotRun, ExitRefused},
};

// The exit status of a command's result, with what the service left to say: the port's own reason
// for a unit not found, and how to answer a question that needed one.
int ExitOf(const DeviceResult& result) {
    if (result.outcome == SessionOutcome::Interrupted) {
        return StopStatus();
    }
    if (result.outcome == SessionOutcome::UnitNotFound && !result.unitError.empty()) {
        std::fprintf(stderr, "vornctl: %s\n", result.unitError.c_str());
    }
    if (result.outcome == SessionOutcome::QuestionUnanswered) {
        std::fprintf(stderr, "vornctl: the question needs an answer: --change-id yes or --change-id no\n");
    }
    for (const ExitRow& row : ExitStatuses) {
        if (row.outcome == result.outcome) {
            return row.status;
        }
    }
    return ExitRefused;
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

// Seconds of the link's clock since a start.
double SecondsSince(CliContext& context, Millis start) {
    return static_cast<double>((context.LinkClock().Now() - start).count()) / 1000.0;
}

// Writes an image to standard output (`-o -`), for a pipe.
void WriteImageToStdout(const ProgData::Bytes& image) {
    std::cout.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
}

// A device's report from what the service returned.
DeviceReport ReportOf(const DeviceResult& result, const ProgressView& progress, const std::string& command,
                      std::optional<std::uint32_t> serial, std::string_view model) {
    DeviceReport report;
    report.command = command;
    report.serial = serial;
    report.model = std::string(model);
    report.status = ExitOf(result);
    report.text = result.text;
    report.blocks = result.blocks;
    report.bytes = result.bytes;
    if (result.band) {
        report.band = *result.band;
        report.bandText = progress.BandText(*result.band);
    }
    report.imageRead = result.imageRead;
    report.backup = result.backupPath;
    report.backupError = result.backupError;
    switch (result.verify) {
    case VerifyResult::NotAsked: break;
    case VerifyResult::Passed: report.verify = "passed"; break;
    case VerifyResult::Differs:
    case VerifyResult::NotVerified: report.verify = "failed"; break;
    }
    report.differences = result.differences;
    return report;
}

void Note(CliContext& context, const std::string& text) {
    context.controller.SupportTrace().Write(SupportLog::Note, text);
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
    capture_
        ->add_option("--event", event_,
                     "the radio event named in the prompt (1 to " +
                         std::to_string(RadioCodeCapture::EventCount) + ")")
        ->check(CLI::Range(1, RadioCodeCapture::EventCount));
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
    const std::string programData = ProgramDataFolder();
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
    // One command of the support trace around everything the command does, batches included.
    SupportLog& log = context.controller.SupportTrace();
    log.Begin(global.commandLine);
    int status = ExitFailed;
    try {
        status = RunDevice(context, global);
        if (StopRequested()) {
            status = StopStatus();
            const std::string text = "stopped by " + StopName() +
                                     ": the device command ended at a safe point and the unit was closed";
            std::fprintf(stderr, "vornctl: %s\n", text.c_str());
            Note(context, text);
        }
    } catch (const CliError& error) {
        Note(context, error.what());
        log.End(error.status);
        throw;
    }
    log.End(status);
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
        const DeviceResult result = sessions.UnitInfo();
        if (result.outcome != SessionOutcome::Done) {
            return ExitOf(result);
        }
        // The unit's own text: its control characters must not reach the terminal raw.
        std::printf("%s %s\n", context.texts.Text("HELP-ABOUT", "TEXT-KDU_INFO").c_str(),
                    EscapeControlCharacters(result.code).c_str());
        return ExitSuccess;
    }

    if (capture_->parsed()) {
        const DeviceResult result = sessions.CaptureCode(event_);
        if (result.outcome == SessionOutcome::Done) {
            std::printf("%s\n", result.code.c_str());
        }
        return ExitOf(result);
    }

    if (changeId_->parsed()) {
        context.Region(); // a region name that cannot be used is an error of its own
        if (!controller.LoadDefaultForDevice(ParseModel("HESK").productType)) {
            throw CliError(ExitFailed, "no default configuration of HESK for region " + context.regionName +
                                           " (" + controller.InstalledDefaultPath(0x2A) + ")");
        }
        // The command itself is the operator's Yes to the question.
        op.changeId = true;
        return ExitOf(sessions.ChangeIdCode(newCode_));
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
    if (given && (serial_ == 0 || serial_ > SelectDeviceDialog::MaxSerialNumber)) {
        throw CliError(ExitRefused, "--serial " + std::to_string(serial_) +
                                        " is not a serial number: serial numbers run from 1 to 16777215");
    }
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
    progress.BeginDevice(label);
    Note(context, "read " + label);
    ProgramController& controller = context.controller;
    // The window's read, from the region's default of the model (as its device button leaves it).
    context.Region(); // a region name that cannot be used is an error of its own
    if (!controller.LoadDefaultForDevice(product.productType)) {
        throw CliError(ExitFailed, "no default configuration of " + std::string(product.model) +
                                       " for region " + context.regionName + " (" +
                                       controller.InstalledDefaultPath(product.productType) + ")");
    }
    op.serialNumber = serial.value_or(0);
    const Millis start = context.LinkClock().Now();
    const DeviceResult result = controller.Sessions().Read();
    DeviceReport report = ReportOf(result, progress, "read", serial, product.model);
    report.seconds = SecondsSince(context, start);
    if (StopRequested()) {
        // Asked to stop: nothing more is done with the device's image, whatever came.
        report.status = StopStatus();
        report.text = "stopped by " + StopName() + "; nothing was kept";
        report.imageRead = false;
    }

    ProgData& config = controller.CurrentConfig();
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
    // Nothing read is lost for a backup that could not be kept, but the command says so (the service
    // has told why).
    if (!report.backupError.empty()) {
        if (report.status == ExitSuccess) {
            report.status = ExitFailed;
        }
        report.text = report.backupError;
    } else if (!report.backup.empty() && !op.quiet && op.chatty && !json_) {
        std::fprintf(stderr, "vornctl: backup kept: %s\n", report.backup.c_str());
    }
    if (json_) {
        // The image itself may be on standard output: the object then goes to stderr.
        std::fprintf(output_ == "-" ? stderr : stdout, "%s\n", JsonText(report.ToJson()).c_str());
    }
    return report.status;
}

DeviceReport DeviceCommands::WriteOne(CliContext& context, ProgressView& progress,
                                      const ProgData::Bytes& image, std::optional<std::uint32_t> serial) {
    DeviceOperator& op = context.device;
    ProgramController& controller = context.controller;
    const ProductInfo& product = *FindProduct(image[ProductTypeAddress]);
    op.ForgetDevice();
    const std::string label = std::string(product.model) + (serial ? " " + std::to_string(*serial) : "");
    progress.BeginDevice(label);
    Note(context, "write " + file_ + " to " + label);
    const Millis start = context.LinkClock().Now();

    // Each device starts from the file, as the window writes what it shows.
    controller.LoadFileForDevice(image, file_);
    op.serialNumber = serial.value_or(0);
    const DeviceResult result = controller.Sessions().Write({.verify = verify_, .backupFirst = backup_});
    DeviceReport report = ReportOf(result, progress, "write", serial, product.model);
    if (result.outcome == SessionOutcome::BackupFailed) {
        report.text = result.backupError + "; nothing was written";
    } else if (result.verify == VerifyResult::Differs) {
        report.text = "the read-back differs: " + DifferencesText(report.differences);
    } else if (result.verify == VerifyResult::NotVerified && result.outcome == SessionOutcome::NoAnswer) {
        report.text = "the read-back failed: " + result.text;
    } else if (backup_ && result.backupPath.empty() && !result.writeStarted &&
               result.outcome != SessionOutcome::Done) {
        report.text = "no backup, so nothing was written: " + result.text;
    }
    if (StopRequested() && result.outcome != SessionOutcome::Done) {
        report.status = StopStatus();
        // A memory-job write that got as far as its write session, or a presence unit's radio job
        // that started, may have reached the device.
        report.text = "stopped by " + StopName() +
                      (result.writeStarted ? ": " + std::to_string(report.bytes) +
                                                 " bytes were confirmed written; the device may hold part of "
                                                 "the new configuration"
                                           : " before anything was written");
    }
    report.seconds = SecondsSince(context, start);
    Note(context, label + ": " + report.Line());
    return report;
}

int DeviceCommands::Write(CliContext& context, ProgressView& progress) {
    const ProgData::Bytes image = context.ReadImage(file_, false);
    // The file must convert before any device is touched.
    ProgramController& controller = context.controller;
    if (const ConversionResult loaded = controller.LoadFileForDevice(image, file_); !loaded.Succeeded()) {
        throw CliError(ExitFailed, file_ + " does not convert: " + context.ResultMessage(loaded, image));
    }
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
        if (const std::string problem = controller.Sessions().CheckBackupFolder(); !problem.empty()) {
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
