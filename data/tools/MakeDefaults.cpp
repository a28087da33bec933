// Builds the default configuration files of every region from the readable source defaults.ini:
//   vorn-make-defaults SOURCE LANGUAGE_FILE REGISTRY_FILE INSTALLATION_FOLDER
// into INSTALLATION_FOLDER/DefaultConfig/<region>/, the folders made as needed. The regions are the
// "Regions" list of the language file; their bands come from the registry.
#include "files/BandLists.h"
#include "files/DefaultConfigs.h"
#include "files/ProgramFolders.h"
#include "lang/ListIni.h"
#include "model/BandTable.h"
#include "model/Catalogue.h"
#include "model/ProgData.h"
#include "platform/Files.h"
#include "platform/Registry.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace vorn;

struct Assignment {
    int first;
    int last;
    unsigned long value;
    bool repeat;
};

std::string Trim(const std::string& text) {
    const auto begin = text.find_first_not_of(" \t\r");
    const auto end = text.find_last_not_of(" \t\r");
    return begin == std::string::npos ? std::string() : text.substr(begin, end - begin + 1);
}

int Address(const std::string& text, int line) {
    const int value = std::stoi(text);
    if (value < 0 || value >= ProgData::ImageSize) {
        throw std::runtime_error("line " + std::to_string(line) + ": address out of the image: " + text);
    }
    return value;
}

// Sections by name, each an ordered list of assignments.
std::map<std::string, std::vector<Assignment>> ParseSource(const std::string& text) {
    std::map<std::string, std::vector<Assignment>> sections;
    std::vector<Assignment>* current = nullptr;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = Trim(line.substr(0, line.find(';')));
        if (line.empty()) {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            current = &sections[Trim(line.substr(1, line.size() - 2))];
            continue;
        }
        const auto eq = line.find('=');
        if (current == nullptr || eq == std::string::npos) {
            throw std::runtime_error("line " + std::to_string(number) + ": expected address = value");
        }
        const std::string where = Trim(line.substr(0, eq));
        std::string value = Trim(line.substr(eq + 1));
        Assignment a{};
        a.repeat = value.size() > 3 && value.ends_with("...");
        if (a.repeat) {
            value = Trim(value.substr(0, value.size() - 3));
        }
        const auto dash = where.find('-');
        a.first = Address(where.substr(0, dash), number);
        a.last = dash == std::string::npos ? a.first : Address(where.substr(dash + 1), number);
        a.value = std::stoul(value, nullptr, 0);
        const int width = a.last - a.first + 1;
        if (width < 1 || (a.repeat && a.value > 0xFF) ||
            (!a.repeat && width < 4 && a.value >> (8 * width) != 0)) {
            throw std::runtime_error("line " + std::to_string(number) + ": value does not fit: " + line);
        }
        current->push_back(a);
    }
    return sections;
}

void Apply(const std::vector<Assignment>& assignments, ProgData::Bytes& image) {
    for (const Assignment& a : assignments) {
        for (int address = a.last, shift = 0; address >= a.first; --address, shift += 8) {
            image[static_cast<std::size_t>(address)] =
                static_cast<std::uint8_t>(a.repeat ? a.value : (shift < 32 ? (a.value >> shift) & 0xFF : 0));
        }
    }
}

void PutFrequency(ProgData::Bytes& image, int address, std::uint32_t frequency) {
    for (int b = 0; b < 4; ++b) {
        image[static_cast<std::size_t>(address + b)] = static_cast<std::uint8_t>(frequency >> (24 - 8 * b));
    }
}

int FirstBand(const Registry& registry, const std::string& region, BandDirection direction) {
    const auto names = registry.ValueNames(BandListKey(region, direction));
    if (!names || names->empty()) {
        throw std::runtime_error(
            std::string(direction == BandDirection::Receive ? "no receive" : "no transmit") +
            " bands for region " + region);
    }
    return CodeOfItem(names->front());
}

void Build(const std::string& sourcePath, const std::string& languagePath, const std::string& registryPath,
           std::string installationFolder) {
    if (!installationFolder.empty() && installationFolder.back() != '/') {
        installationFolder += '/';
    }
    const auto source = ReadWholeFile(sourcePath, 1u << 20);
    if (!source) {
        throw std::runtime_error("cannot read " + sourcePath);
    }
    const auto sections = ParseSource(*source);
    ListIni language;
    language.LoadFile(languagePath);
    CodeList regions;
    language.ReadList("Regions", regions);
    const Registry registry = Registry::Load(registryPath);
    if (regions.empty()) {
        throw std::runtime_error("no regions in " + languagePath);
    }
    for (const std::string& item : regions) {
        const std::string region(NamePart(item));
        const std::string folder = RegionDefaultsFolder(installationFolder, region);
        if (!MakeDirectories(folder)) {
            throw std::runtime_error("cannot create " + folder);
        }
        const int receive = FirstBand(registry, region, BandDirection::Receive);
        const int transmit = FirstBand(registry, region, BandDirection::Transmit);
        for (const ProductInfo& product : Catalogue) {
            ProgData data;
            for (const std::string& name : {"Family " + std::string(FamilyName(product.family)),
                                            "Model " + std::string(product.model)}) {
                const auto found = sections.find(name);
                if (found != sections.end()) {
                    Apply(found->second, data.Image);
                }
            }
            data.Image[ProductTypeAddress] = product.productType;
            if (product.family == Family::A) {
                data.Image[54] = static_cast<std::uint8_t>(transmit);
                data.Image[55] = static_cast<std::uint8_t>(receive);
            } else if (product.family == Family::C) {
                if (!FirstFrequency(receive) || !FirstFrequency(transmit)) {
                    throw std::runtime_error("region " + region + " has a band without carrier frequencies");
                }
                PutFrequency(data.Image, 0, *FirstFrequency(receive));
                PutFrequency(data.Image, 4, *SecondFrequency(receive));
                PutFrequency(data.Image, 8, *FirstFrequency(transmit));
                PutFrequency(data.Image, 12, *SecondFrequency(transmit));
            }
            const std::string path = RegionDefaultPath(installationFolder, region, product);
            if (!data.WriteImageFile(path)) {
                throw std::runtime_error("cannot write " + path);
            }
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s SOURCE LANGUAGE_FILE REGISTRY_FILE INSTALLATION_FOLDER\n", argv[0]);
        return 1;
    }
    try {
        Build(argv[1], argv[2], argv[3], argv[4]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
        return 1;
    }
    return 0;
}
