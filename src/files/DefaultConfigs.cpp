#include "files/DefaultConfigs.h"

#include "files/SettingsFile.h"
#include "platform/Files.h"
#include "platform/Paths.h"

#include <utility>
#include <vector>

namespace vorn {

namespace {

std::size_t CatalogueIndex(std::uint8_t productType) {
    const ProductInfo* product = FindProduct(productType);
    return product == nullptr ? Catalogue.size() : static_cast<std::size_t>(product - Catalogue.data());
}

} // namespace

std::string RegionDefaultsFolder(const std::string& installationFolder, const RegionName& region) {
    return installationFolder + std::string(DefaultConfigFolderName) + PathSeparator + region.Text() +
           PathSeparator;
}

std::string RegionDefaultPath(const std::string& installationFolder, const RegionName& region,
                              const ProductInfo& product) {
    return RegionDefaultsFolder(installationFolder, region) + std::string(product.defaultFileName);
}

bool CopyFile256(const std::string& source, const std::string& destination) {
    const auto bytes = ReadWholeFile(source, MaxCopyBytes);
    return bytes && WriteFileAtomically(destination, *bytes);
}

bool CopyRegionDefaults(const std::string& installationFolder, const RegionName& region,
                        const std::string& configFolder) {
    int failed = 0;
    for (const std::uint8_t productType : SettingsKeyOrder) {
        const ProductInfo& product = *FindProduct(productType);
        if (!CopyFile256(RegionDefaultPath(installationFolder, region, product),
                         configFolder + std::string(product.defaultFileName))) {
            ++failed;
        }
    }
    return failed == 0;
}

void DefaultPaths::Load(const SettingsFile& settings, const std::string& configFolder) {
    for (const std::uint8_t productType : SettingsKeyOrder) {
        const ProductInfo& product = *FindProduct(productType);
        std::string path = settings.Read(product.settingsKey);
        paths_[CatalogueIndex(productType)] =
            path.empty() ? configFolder + std::string(product.defaultFileName) : std::move(path);
    }
}

void DefaultPaths::Reset(const std::string& configFolder) {
    for (const ProductInfo& product : Catalogue) {
        paths_[CatalogueIndex(product.productType)] = configFolder + std::string(product.defaultFileName);
    }
}

bool DefaultPaths::WriteAll(SettingsFile& settings) const {
    std::vector<std::pair<std::string, std::string>> values;
    for (const std::uint8_t productType : SettingsKeyOrder) {
        values.emplace_back(FindProduct(productType)->settingsKey, Of(productType));
    }
    return settings.Write(values);
}

const std::string& DefaultPaths::Of(std::uint8_t productType) const {
    static const std::string none;
    const std::size_t index = CatalogueIndex(productType);
    return index < paths_.size() ? paths_[index] : none;
}

bool DefaultPaths::Change(std::uint8_t productType, std::string path, SettingsFile& settings) {
    const std::size_t index = CatalogueIndex(productType);
    if (index >= paths_.size()) {
        return false;
    }
    paths_[index] = std::move(path);
    settings.Write(FindProduct(productType)->settingsKey, paths_[index]);
    return true;
}

} // namespace vorn
