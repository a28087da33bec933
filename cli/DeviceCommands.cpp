#include "DeviceCommands.h"

#include "DeviceOperator.h"
#include "link/SerialUnitDriver.h"
#include "model/Catalogue.h"
#include "session/DeviceSessions.h"
#include "sim/DemoUnit.h"
#include "sim/SimulatedUnit.h"

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace vorn::cli {

namespace {

// What the device commands take from vornctl's start: the language, the region's bands, the editor,
// and where the region's default configurations are. The one place that knows CliContext.
struct DeviceStart {
    const ListIni& texts;
    CodeLists& lists;
    Editor& editor;
    std::string installFolder;
    std::string regionName;
};

DeviceStart StartOf(CliContext& context) {
    return {context.texts, context.lists, *context.editor, context.installFolder, context.regionName};
}

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

// The unit, the link and the flows of one device command.
class DeviceRig {
public:
    DeviceRig(const DeviceStart& start, const std::string& port, bool simulate)
        : start_(start), clock_(simulate ? static_cast<Clock&>(virtualClock_) : realClock_), op_(clock_) {
        if (simulate) {
            driver_ =
                std::make_unique<sim::SimulatedUnit>(virtualClock_, sim::DemoScenario(start.installFolder));
        } else {
            driver_ = std::make_unique<SerialUnitDriver>(SerialPortOptions{PortOverride(port)});
        }
        trace_.SetEcho(TraceSink::EchoRequestedByEnvironment());
        link_ = std::make_unique<KduLink>(*driver_, clock_, trace_);
        op_.terminal = ::isatty(STDIN_FILENO) != 0 && ::isatty(STDERR_FILENO) != 0;
        sessions_ = std::make_unique<DeviceSessions>(
            SessionContext(config_, start.editor, *link_, job_, start.lists, start.texts,
                           SessionViews{op_, op_, op_, op_, op_, op_, op_}, op_));
        sessions_->ChangeCode().Texts().LoadFile(start.texts.FilePath());
    }

    ProgData& Config() { return config_; }
    DeviceOperator& Operator() { return op_; }
    DeviceSessions& Sessions() { return *sessions_; }
    KduLink& Link() { return *link_; }

    // The exit status of a flow's outcome; the unit's own reason is added for a unit not found.
    int ExitOf(SessionOutcome outcome) {
        switch (outcome) {
        case SessionOutcome::Done: return ExitSuccess;
        case SessionOutcome::UnitNotFound:
            if (const std::string reason = driver_->LastOpenError(); !reason.empty()) {
                std::fprintf(stderr, "vornctl: %s\n", reason.c_str());
            }
            return ExitUnit;
        case SessionOutcome::FirmwareTooOld: return ExitUnit;
        case SessionOutcome::NoAnswer:
        case SessionOutcome::DeviceFailed: return ExitDevice;
        case SessionOutcome::ConversionError:
        case SessionOutcome::InternalError: return ExitFailed;
        case SessionOutcome::Cancelled:
            if (op_.unansweredQuestion) {
                std::fprintf(stderr,
                             "vornctl: the question needs an answer: --change-id yes or --change-id no\n");
                return ExitRefused;
            }
            return op_.buttonWaitExpired ? ExitDevice : ExitRefused;
        case SessionOutcome::Refused:
        case SessionOutcome::NotRun: break;
        }
        return ExitRefused;
    }

    // The region's default configuration of the model, in the editor as after its device button.
    void LoadDefault(const ProductInfo& product) {
        const std::string path = start_.installFolder + "DefaultConfig/" + start_.regionName + "/" +
                                 std::string(product.defaultFileName);
        if (!config_.ReadImageFile(path)) {
            throw CliError(ExitFailed, "no default configuration of " + std::string(product.model) +
                                           " for region " + start_.regionName + " (" + path + ")");
        }
        config_.ConfigOrigin = Origin::Default;
        start_.editor.ImageToFields(config_.Image);
        config_.Snapshot();
    }

private:
    const DeviceStart& start_;
    VirtualClock virtualClock_;
    RealClock realClock_;
    Clock& clock_;
    std::unique_ptr<UnitDriver> driver_;
    TraceSink trace_;
    std::unique_ptr<KduLink> link_;
    MemoryJob job_;
    ProgData config_;
    DeviceOperator op_;
    std::unique_ptr<DeviceSessions> sessions_;
};

// The band drop-down's position of a band number of the region.
int BandIndex(const DeviceStart& start, int band) {
    const int index = IndexOfCode(start.lists.ReceiveBands, band);
    if (index < 0) {
        throw CliError(ExitRefused, "band " + std::to_string(band) + " is not a receive band of region " +
                                        start.regionName + " (see vornctl bands)");
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

void DeviceCommands::Register(CLI::App& app) {
    app.add_option("--port", port_,
                   "the interface unit's serial port (default: VORN_KDU_PORT, else the USB device named "
                   "\"Orsk KDU - Active USB Interface\")");
    app.add_flag("--simulate", simulate_,
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
    const DeviceStart start = StartOf(context);
    DeviceRig rig(start, port_, simulate_);
    DeviceOperator& op = rig.Operator();
    DeviceSessions& sessions = rig.Sessions();

    if (unitInfo_->parsed()) {
        const auto version = sessions.UnitVersion();
        if (!version) {
            std::fprintf(stderr, "vornctl: %s\n", sessions.Context().UnitNotFoundText().c_str());
            return rig.ExitOf(SessionOutcome::UnitNotFound);
        }
        std::printf("%s %s\n", start.texts.Text("HELP-ABOUT", "TEXT-KDU_INFO").c_str(), version->c_str());
        return ExitSuccess;
    }

    if (capture_->parsed()) {
        const auto capture = sessions.Capture().CaptureRadioCode(
            sessions.Context().Text("COMMON", "MESSAGE-ACTIVATE_WIRELESS_DEVICE_FOR_EVENT_NN", {event_}));
        switch (capture.result) {
        case RadioCodeCapture::ResultCaptured: std::printf("%s\n", capture.code.c_str()); return ExitSuccess;
        case RadioCodeCapture::ResultNotOpened:
            std::fprintf(stderr, "vornctl: %s\n", sessions.Context().UnitNotFoundText().c_str());
            return rig.ExitOf(SessionOutcome::UnitNotFound);
        default:
            std::fprintf(stderr, "vornctl: %s\n",
                         start.texts.Text("COMMON", "STATUS-TIMEOUT_NO_RADIO_CODE_WAS_RECEIVED").c_str());
            return ExitDevice;
        }
    }

    if (changeId_->parsed()) {
        rig.LoadDefault(ModelOf("HESK"));
        op.newCode = newCode_;
        sessions.mnuCommChangeIdCodeClick();
        using Outcome = ChangeCodeDialog::ChangeOutcome;
        switch (static_cast<Outcome>(op.changeOutcome.value_or(static_cast<int>(Outcome::None)))) {
        case Outcome::Changed:
        case Outcome::AlreadySet: return ExitSuccess;
        case Outcome::NoDeviceCode: return rig.ExitOf(sessions.Presence().MissingCodeOutcome());
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
        const ProductInfo& product = ModelOf(model_);
        RequireSerial(serialOption_, product.family, std::string(product.model));
        rig.LoadDefault(product);
        op.serialNumber = serial_;
        if (bandOption_->count() > 0) {
            op.bandIndex = BandIndex(start, band_);
        }
        const SessionOutcome outcome = sessions.mnuCommReadFromDeviceClick();
        // A read whose image does not convert still keeps what the device holds.
        if (outcome == SessionOutcome::Done || outcome == SessionOutcome::ConversionError) {
            if (!rig.Config().WriteImageFile(output_)) {
                throw CliError(ExitFailed, "cannot write " + output_);
            }
        }
        return rig.ExitOf(outcome);
    }

    // write
    ProgData& config = rig.Config();
    config.Image = context.ReadImage(file_, false);
    const int loaded = context.Load(config.Image);
    if (loaded != ResultSuccess) {
        throw CliError(ExitFailed,
                       file_ + " does not convert: " + context.ResultMessage(loaded, config.Image));
    }
    config.ConfigOrigin = Origin::Opened;
    config.CurrentFilePath = file_;
    const std::uint8_t type = config.Image[ProductTypeAddress];
    RequireSerial(writeSerialOption_, FamilyOf(type), std::string(FindProduct(type)->model));
    op.serialNumber = serial_;
    if (writeBandOption_->count() > 0) {
        op.bandIndex = BandIndex(start, band_);
    }
    if (!changeIdAnswer_.empty()) {
        op.changeId = changeIdAnswer_ == "yes";
    }
    return rig.ExitOf(sessions.mnuCommWriteToDeviceClick());
}

} // namespace vorn::cli
