#pragma once

#include "JsonText.h"
#include "session/DeviceResult.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What became of one device in a read or a write: for the line a batch prints per device, and for the
// JSON object --json prints per device.
namespace vorn::cli {

struct DeviceReport {
    std::string command;                 // "read" or "write"
    std::optional<std::uint32_t> serial; // nothing for a presence unit found by its button
    std::string model;
    int status = 0;          // vornctl's exit status for this device
    std::string text;        // what the flow said last (the language's text), or why it stopped
    int blocks = 0;          // blocks of the main transfer
    int bytes = 0;           // bytes of the main transfer
    std::optional<int> band; // the band the device was last reached on
    std::string bandText;
    double seconds = 0;
    // "passed", "failed", or empty when not asked for (or not reached)
    std::string verify;
    std::vector<VerifyDifference> differences;
    bool imageRead = false;  // the device's image came back (it may still not convert)
    std::string backup;      // the backup's path, when one was stored
    std::string backupError; // why an image read could not be kept as a backup

    bool Succeeded() const { return status == 0; }
    // "1001  written  2.8 s  band 1 (869.2125 MHz)  verified  backup /path"; a failure ends with its
    // status and why.
    std::string Line() const;
    Json ToJson() const;
};

// "byte 60: wrote 0x0C, read 0x05; byte 61: ..." (the first few, then how many more).
std::string DifferencesText(const std::vector<VerifyDifference>& differences);

// The batch's closing line: "total: 4 written, 1 failed of 5 devices in 14.0 s".
std::string TotalLine(const std::vector<DeviceReport>& reports, std::size_t devices, double seconds);

} // namespace vorn::cli
