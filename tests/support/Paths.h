#pragma once

#include <string>

namespace vorn::test {

// The source tree and the staged installation folder of the build under test, "/"-terminated.
std::string SourceFolder();
std::string DataFolder();

} // namespace vorn::test
