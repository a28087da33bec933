#pragma once

#include "model/ProgData.h"
#include "platform/FileError.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The backups folder: every device configuration the program reads (in the window or with vornctl),
// and every device's configuration before a write, is kept there as a configuration file named by
// model, serial number and UTC time ("TARV_1001_20240501T120000Z.vorn"), so the state of a device
// before a write can always be looked up and written back. A backup is never overwritten: a second
// one in the same second gets "-2", "-3", ... before the extension.
//
// vornctl writes nothing else into the program's folders; this folder is the deliberate exception.
namespace vorn {

struct BackupEntry {
    std::string path;
    std::string model;
    std::uint32_t serial = 0;
    std::string time; // "2024-05-01T12:00:00Z"
    int copy = 1;     // 2 for "-2", ...
};

class BackupStore {
public:
    static constexpr std::string_view SubFolder = "backups";
    static constexpr int MaxCopies = 99;

    // The folder in the program-data folder; empty when there is none (no home).
    explicit BackupStore(const std::string& programData);

    const std::string& Folder() const { return folder_; }
    // Makes the folder (and the program-data folder above it) when missing, never world-writable;
    // empty when it can be used, else why not.
    std::string Prepare();
    // Stores the image as a new file; its path, or nothing with the reason in error.
    std::optional<std::string> Store(const ProgData::Bytes& image, std::string_view model,
                                     std::uint32_t serial, std::time_t when, std::string& error);
    // The backups, oldest first (of one serial number only, when given); error says why the folder
    // could not be read (a missing folder holds none).
    std::vector<BackupEntry> List(std::optional<std::uint32_t> serial, std::string& error) const;

    // "TARV_1001_20240501T120000Z.vorn", with "-N" before the extension for copy N > 1.
    static std::string FileName(std::string_view model, std::uint32_t serial, std::time_t when, int copy);
    // A name of that form (a model of the catalogue, a serial number, a valid time); nothing otherwise.
    static std::optional<BackupEntry> ParseName(std::string_view name);

    // Writes a new file whole or not at all, never replacing an existing one: the content is written
    // and synced under no name (or a hidden one), then linked to the name, which fails when the name
    // exists (FileError::Other with exists set).
    static FileError WriteNewFile(const std::string& path, const std::uint8_t* data, std::size_t size,
                                  bool& exists);

private:
    std::string folder_;
};

} // namespace vorn
