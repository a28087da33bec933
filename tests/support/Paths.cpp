#include "support/Paths.h"

namespace vorn::test {

std::string SourceFolder() {
    return std::string(VORN_TEST_SOURCE_DIR) + "/";
}
std::string DataFolder() {
    return std::string(VORN_TEST_DATA_DIR) + "/";
}

} // namespace vorn::test
