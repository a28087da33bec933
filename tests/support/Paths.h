#pragma once

#include <string>

namespace vorn::test {

// The source tree and the staged installation folder of the build under test, "/"-terminated.
std::string SourceFolder();
std::string DataFolder();

// A path written with "/" as the program writes it on this platform (Windows: "\").
std::string Native(std::string path);

} // namespace vorn::test
