#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// How this platform writes paths. Folder paths the program forms end with PathSeparator; a path it
// is given may use any of PathSeparators (Windows takes "/" as well as "\").
namespace vorn {

#ifdef _WIN32
inline constexpr char PathSeparator = '\\';
inline constexpr std::string_view PathSeparators = "\\/";
#else
inline constexpr char PathSeparator = '/';
inline constexpr std::string_view PathSeparators = "/";
#endif

inline bool IsPathSeparator(char c) {
    return PathSeparators.find(c) != std::string_view::npos;
}

// The length of the root a path starts with: "/" here; "C:\", "\\server\share\" or "\" on Windows;
// 0 for a relative path.
std::size_t PathRootLength(std::string_view path);

// The folder with a separator at its end (an empty folder stays empty). On Windows every "/" in it
// becomes "\", so paths shown to the operator are written one way.
std::string FolderWithSeparator(std::string folder);

} // namespace vorn
