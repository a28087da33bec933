#include "support/Paths.h"

#include "platform/Paths.h"

#include <algorithm>

namespace vorn::test {

std::string SourceFolder() {
    return std::string(VORN_TEST_SOURCE_DIR) + "/";
}
std::string DataFolder() {
    return std::string(VORN_TEST_DATA_DIR) + "/";
}

std::string Native(std::string path) {
    std::replace(path.begin(), path.end(), '/', PathSeparator);
    return path;
}

} // namespace vorn::test
