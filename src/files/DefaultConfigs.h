#pragma once

#include "files/RegionName.h"
#include "model/Catalogue.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The default configuration of every model: the installation's set per region, the copies in the
// configuration folder, and the twelve paths the settings file keeps. The one place where those paths
// are built.
namespace vorn {

class SettingsFile;

inline constexpr std::string_view DefaultConfigFolderName = "DefaultConfig";

// installation folder + "DefaultConfig/" + region + "/" (with the platform's path separator).
std::string RegionDefaultsFolder(const std::string& installationFolder, const RegionName& region);
// The installation's default file of a model for a region.
std::string RegionDefaultPath(const std::string& installationFolder, const RegionName& region,
                              const ProductInfo& product);

// Copies a whole file (of at most MaxCopyBytes) onto the destination, atomically: a failed copy
// leaves an existing destination as it was. False when the source is missing, no regular file, too
// large or unreadable, or the destination cannot be written.
inline constexpr std::size_t MaxCopyBytes = 1024 * 1024;
bool CopyFile256(const std::string& source, const std::string& destination);

// Copies the region's twelve default files into the configuration folder, TARV first and DADIDU
// last; a failed copy does not stop the others. True when all twelve were copied.
bool CopyRegionDefaults(const std::string& installationFolder, const RegionName& region,
                        const std::string& configFolder);

// The twelve default paths, one per model, read from and written to the settings file in the order
// of its keys.
class DefaultPaths {
public:
    // Each model's key, or configFolder + its standard file name when the key is empty.
    void Load(const SettingsFile& settings, const std::string& configFolder);
    // Every model to configFolder + its standard file name.
    void Reset(const std::string& configFolder);
    // Writes all twelve keys in their order; false when the settings file could not be written.
    bool WriteAll(SettingsFile& settings) const;

    // The path of a model; empty for a byte that is none of the twelve models.
    const std::string& Of(std::uint8_t productType) const;
    // Sets one model's path and writes its key; false for a byte that is no model.
    bool Change(std::uint8_t productType, std::string path, SettingsFile& settings);

private:
    std::array<std::string, Catalogue.size()> paths_; // catalogue order
};

} // namespace vorn
