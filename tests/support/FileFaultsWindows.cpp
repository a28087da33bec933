#include "support/FileFaults.h"

namespace vorn::test {

bool MakeNamedPipe(const std::string&) {
    return false; // named pipes live in \\.\pipe\, not in folders
}

bool MakeSymbolicLink(const std::string&, const std::string&) {
    return false; // a privilege plain users lack
}

bool MakeUnreadable(const std::string&) {
    return false; // an access-control list would; Wine keeps none
}

bool HasPermissionBits() {
    return false;
}

bool SharedFoldersNeedAHome() {
    return false;
}

std::string NullDevice() {
    return "NUL";
}

FileSizeLimit::FileSizeLimit(std::uint64_t) {}

FileSizeLimit::~FileSizeLimit() = default;

} // namespace vorn::test
