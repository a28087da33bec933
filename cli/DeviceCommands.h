#pragma once

#include "CliContext.h"

#include <CLI/CLI.hpp>
#include <string>

// vornctl's device commands: read, write, capture, change-id and unit-info, run through the program
// controller over the interface unit (found by its USB product string, or the port named by --port or
// VORN_KDU_PORT) or, with --simulate, over the demo unit in the process.
namespace vorn::cli {

inline constexpr int ExitUnit = 4; // the unit was not found, could not be opened, or its firmware is too old
inline constexpr int ExitDevice = 5; // the device did not answer, or reported a failure

class DeviceCommands {
public:
    // Adds the global options --port and --simulate (into global) and the five commands.
    void Register(CLI::App& app, GlobalOptions& global);
    bool Parsed() const;
    // Runs the command that was given; its exit status.
    int Run(CliContext& context);

private:
    CLI::App* read_ = nullptr;
    CLI::App* write_ = nullptr;
    CLI::App* capture_ = nullptr;
    CLI::App* changeId_ = nullptr;
    CLI::App* unitInfo_ = nullptr;
    CLI::Option* serialOption_ = nullptr;
    CLI::Option* writeSerialOption_ = nullptr;
    CLI::Option* bandOption_ = nullptr;
    CLI::Option* writeBandOption_ = nullptr;

    std::string model_;
    std::string output_;
    std::string file_;
    std::uint32_t serial_ = 0;
    int band_ = 0;
    std::string changeIdAnswer_;
    std::string newCode_;
    int event_ = 1;
};

} // namespace vorn::cli
