#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

// A region's name, as the language file's "Regions" list gives it and the settings file keeps it. It
// names a folder of the installation (DefaultConfig/<region>/) and a key of the registry, so it is
// checked here, once, before it becomes either: the path and key builders take only a RegionName.
namespace vorn {

// Why a text cannot be a region name.
enum class RegionNameFault {
    None,
    Empty,
    Separator,        // "/" or "\": it would name another folder or key
    ParentFolder,     // ".", or ".." anywhere: it would leave the folder
    ControlCharacter, // a line break, an escape sequence, ...
    NotUtf8,
};

// A short English description ("holds a path separator").
std::string_view RegionNameFaultText(RegionNameFault fault);
RegionNameFault FindRegionNameFault(std::string_view text);

class RegionName {
public:
    // The name when the text may be used as one; nullopt otherwise (FindRegionNameFault says why).
    static std::optional<RegionName> Check(std::string_view text);

    const std::string& Text() const { return text_; }
    friend bool operator==(const RegionName&, const RegionName&) = default;

private:
    explicit RegionName(std::string text) : text_(std::move(text)) {}
    std::string text_;
};

} // namespace vorn
