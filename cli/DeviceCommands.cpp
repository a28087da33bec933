#include "DeviceCommands.h"

#include "model/Catalogue.h"
#include "session/DeviceSessions.h"

#include <cstdio>
#include <unistd.h>

namespace vorn::cli {

namespace {

const ProductInfo& ModelOf(const std::string& text) {
    if (const ProductInfo* product = FindProductByModel(text)) {
        return *product;
    }
    try {
        std::size_t used = 0;
        const unsigned long code = std::stoul(text, &used, 0);
        if (used == text.size() && code <= 0xFF) {
            if (const ProductInfo* product = FindProduct(static_cast<std::uint8_t>(code))) {
                return *product;
            }
        }
    } catch (const std::exception&) {}
    throw CliError(ExitRefused, "unknown model: " + text + " (see vornctl models)");
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
    case SessionOutcome::Refused:
    case SessionOutcome::NotRun: break;
    }
    return ExitRefused;
}

// The region's default configuration of the model, in the editor as after its device button (from the
// installation, as `vornctl new` takes it: a tool copies no defaults).
void LoadDefault(CliContext& context, const ProductInfo& product) {
    ProgData& config = context.controller.CurrentConfig();
    const std::string path = context.installFolder + "DefaultConfig/" + context.regionName + "/" +
                             std::string(product.defaultFileName);
    if (!config.ReadImageFile(path)) {
        throw CliError(ExitFailed, "no default configuration of " + std::string(product.model) +
                                       " for region " + context.regionName + " (" + path + ")");
    }
    config.Snapshot();
    config.ConfigOrigin = Origin::Default;
    config.CurrentFilePath.clear();
    context.Load(config.Image);
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

void RequireSerial(const CLI::Option* option, Family family, const std::string& model) {
    const bool given = option != nullptr && option->count() > 0;
    if (family == Family::B && given) {
        throw CliError(ExitUsage,
                       model + " is a presence unit: it is found by its button, not by a serial number");
    }
    if (family != Family::B && !given) {
        throw CliError(ExitUsage, model + " needs --serial N (1 to 16777215)");
    }
}

} // namespace

void DeviceCommands::Register(CLI::App& app, GlobalOptions& global) {
    app.add_option("--port", global.port,
                   "the interface unit's serial port (default: VORN_KDU_PORT, else the USB device named "
                   "\"Orsk KDU - Active USB Interface\")");
    app.add_flag("--simulate", global.simulate,
                 "use the demo unit: TARV 1001 and DADIDU 3001 on band 1, HESK 12AB, transmitter 4D2E");

    read_ = app.add_subcommand("read", "read a device into a configuration file");
    read_->add_option("--model", model_, "model name or product-type byte")->required();
    serialOption_ = read_->add_option("--serial", serial_, "serial number (families A and C)");
    bandOption_ = read_->add_option("--band", band_, "the band to start on (default: the region's first)");
    read_->add_option("-o,--output", output_, "file to write")->required();

    write_ = app.add_subcommand("write", "write a configuration file to a device");
    write_->add_option("FILE", file_, "configuration file")->required();
    writeSerialOption_ = write_->add_option("--serial", serial_, "serial number (families A and C)");
    writeBandOption_ =
        write_->add_option("--band", band_, "the band to start on (default: the region's first)");
    write_->add_option("--change-id", changeIdAnswer_, "answer to the radio ID code question")
        ->check(CLI::IsMember({"yes", "no"}));

    capture_ = app.add_subcommand("capture", "print the radio code of the transmitter activated next");
    capture_->add_option("--event", event_, "the radio event named in the prompt (1 to 8)")
        ->check(CLI::Range(1, 8));

    changeId_ = app.add_subcommand("change-id", "give a presence unit a new radio ID code");
    changeId_->add_option("NEWCODE", newCode_, "four hexadecimal digits, 0001 to FFFE")->required();

    unitInfo_ = app.add_subcommand("unit-info", "the interface unit's version text");
}

bool DeviceCommands::Parsed() const {
    return read_->parsed() || write_->parsed() || capture_->parsed() || changeId_->parsed() ||
           unitInfo_->parsed();
}

int DeviceCommands::Run(CliContext& context) {
    ProgramController& controller = context.controller;
    DeviceSessions& sessions = controller.Sessions();
    DeviceOperator& op = context.device;
    op.terminal = ::isatty(STDIN_FILENO) != 0 && ::isatty(STDERR_FILENO) != 0;

    if (unitInfo_->parsed()) {
        // As the about window asks the unit, and with its label.
        const auto version = sessions.UnitVersion();
        if (!version) {
            std::fprintf(stderr, "vornctl: %s\n", sessions.Context().UnitNotFoundText().c_str());
            return ExitOf(context, SessionOutcome::UnitNotFound);
        }
        std::printf("%s %s\n", context.texts.Text("HELP-ABOUT", "TEXT-KDU_INFO").c_str(), version->c_str());
        return ExitSuccess;
    }

    if (capture_->parsed()) {
        const auto capture = sessions.Capture().CaptureRadioCode(
            sessions.Context().Text("COMMON", "MESSAGE-ACTIVATE_WIRELESS_DEVICE_FOR_EVENT_NN", {event_}));
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
        LoadDefault(context, ModelOf("HESK"));
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

    ProgData& config = controller.CurrentConfig();
    if (read_->parsed()) {
        const ProductInfo& product = ModelOf(model_);
        RequireSerial(serialOption_, product.family, std::string(product.model));
        LoadDefault(context, product);
        op.serialNumber = serial_;
        if (bandOption_->count() > 0) {
            op.bandIndex = BandIndex(context, band_);
        }
        const SessionOutcome outcome = controller.mnuCommReadFromDeviceClick();
        // A read whose image does not convert still keeps what the device holds.
        if (outcome == SessionOutcome::Done || outcome == SessionOutcome::ConversionError) {
            if (!config.WriteImageFile(output_)) {
                throw CliError(ExitFailed, "cannot write " + output_);
            }
        }
        return ExitOf(context, outcome);
    }

    // write
    config.Image = context.ReadImage(file_, false);
    const int loaded = context.Load(config.Image);
    if (loaded != ResultSuccess) {
        throw CliError(ExitFailed,
                       file_ + " does not convert: " + context.ResultMessage(loaded, config.Image));
    }
    config.Snapshot();
    config.ConfigOrigin = Origin::Opened;
    config.CurrentFilePath = file_;
    const std::uint8_t type = config.Image[ProductTypeAddress];
    RequireSerial(writeSerialOption_, FamilyOf(type), std::string(FindProduct(type)->model));
    op.serialNumber = serial_;
    if (writeBandOption_->count() > 0) {
        op.bandIndex = BandIndex(context, band_);
    }
    if (!changeIdAnswer_.empty()) {
        op.changeId = changeIdAnswer_ == "yes";
    }
    return ExitOf(context, controller.mnuCommWriteToDeviceClick());
}

} // namespace vorn::cli
