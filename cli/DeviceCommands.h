#pragma once

#include "CliContext.h"
#include "DeviceReport.h"
#include "model/Catalogue.h"

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// vornctl's device commands: read, write (one device or a batch), capture, change-id and unit-info,
// each a call of the core's device service through the program controller, over the interface unit
// (found by its USB product string, or the port named by --port or VORN_KDU_PORT) or, with --simulate,
// over the demo unit in the process. What the service returns is printed and becomes the exit status.
//
// A write can be checked (--verify: the written bytes are read back and compared) and preceded by a
// backup (--backup: the device's configuration is read and kept first; no backup, no write). Every
// successful read keeps its image in the backups folder too (the service does both).
namespace vorn::cli {

inline constexpr int ExitUnit = 4; // the unit was not found, could not be opened, or its firmware is too old
inline constexpr int ExitDevice = 5; // the device did not answer, or reported a failure
// A device command stopped at a safe point by Ctrl+C or a termination request (128 + the signal's
// number, as a shell reports a process the signal ended).
inline constexpr int ExitInterrupted = 130;
inline constexpr int ExitTerminated = 143;

class ProgressView;

class DeviceCommands {
public:
    // Adds the global options --port, --simulate and --quiet (into global) and the commands.
    void Register(CLI::App& app, GlobalOptions& global);
    // A command that talks to the unit.
    bool Parsed() const;
    // A command that only looks into the program-data folder (backups, trace).
    bool LocalParsed() const;
    // Runs the device command that was given, with its support trace; its exit status.
    int Run(CliContext& context, const GlobalOptions& global);
    // Runs backups or trace.
    int RunLocal(const GlobalOptions& global);

    // The exit status of a batch: 4 when the unit failed (the batch stopped), 5 when any device failed
    // or was not tried, else 0.
    static int BatchStatus(const std::vector<DeviceReport>& reports, std::size_t devices);

private:
    int RunDevice(CliContext& context, const GlobalOptions& global);
    int Read(CliContext& context, ProgressView& progress);
    int Write(CliContext& context, ProgressView& progress);
    // Writes the file to one device (a serial number for families A and C), with the backup before
    // and the read-back after when asked for.
    DeviceReport WriteOne(CliContext& context, ProgressView& progress, const ProgData::Bytes& image,
                          std::optional<std::uint32_t> serial);
    // The model's need of --serial (or --serials), and a serial number in the range a device can have.
    void RequireSerial(const CLI::Option* option, Family family, const std::string& model) const;
    void Print(const DeviceReport& report) const;

    CLI::App* read_ = nullptr;
    CLI::App* write_ = nullptr;
    CLI::App* capture_ = nullptr;
    CLI::App* changeId_ = nullptr;
    CLI::App* unitInfo_ = nullptr;
    CLI::App* backups_ = nullptr;
    CLI::App* trace_ = nullptr;
    CLI::Option* serialOption_ = nullptr;
    CLI::Option* writeSerialOption_ = nullptr;
    CLI::Option* serialsOption_ = nullptr;
    CLI::Option* bandOption_ = nullptr;
    CLI::Option* writeBandOption_ = nullptr;
    CLI::Option* backupSerialOption_ = nullptr;

    std::string model_;
    std::string output_;
    std::string file_;
    std::uint32_t serial_ = 0;
    std::string serials_;
    int band_ = 0;
    std::string changeIdAnswer_;
    std::string newCode_;
    int event_ = 1;
    bool json_ = false;
    bool verify_ = false;
    bool backup_ = false;
    bool lastOnly_ = false;
};

} // namespace vorn::cli
