#include "support/TempDir.h"

#include "platform/Paths.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include <gtest/gtest.h>

namespace vorn::test {

TempDir::TempDir() : TempDir(std::filesystem::temp_directory_path().string()) {}

TempDir::TempDir(const std::string& parent) {
    // A name nobody else has: made only when it did not exist.
    static std::mt19937 generator{std::random_device{}()};
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "vorn-test-%08x", static_cast<unsigned>(generator()));
        const std::string path = (std::filesystem::path(parent) / name).string();
        std::error_code error;
        if (std::filesystem::create_directory(path, error)) {
            path_ = path;
        }
    }
    if (path_.empty()) {
        ADD_FAILURE() << "cannot create a temporary folder";
    }
}

TempDir::~TempDir() {
    std::error_code error;
    // Make everything writable again so that a test that made a file read-only does not leave it.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    }
    std::filesystem::remove_all(path_, error);
}

std::string FastTemporaryFolder() {
    const char* shm = "/dev/shm";
    std::error_code error;
    // The shared memory folder is writable by everybody (and sticky) where it is usable; Windows has
    // none (under Wine the host's shows through).
    const auto status = std::filesystem::status(shm, error);
    if (PathSeparator == '/' && !error && std::filesystem::is_directory(status) &&
        (status.permissions() & std::filesystem::perms::others_write) != std::filesystem::perms::none) {
        return shm;
    }
    return std::filesystem::temp_directory_path().string();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace vorn::test
