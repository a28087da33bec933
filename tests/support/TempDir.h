#pragma once

#include <string>

namespace vorn::test {

// A fresh folder below the system's temporary folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    // Below another folder (a memory file system, say, where syncing a file costs nothing).
    explicit TempDir(const std::string& parent);
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    const std::string& Path() const { return path_; }
    // Path of a file or folder inside, without a leading slash in name.
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// A memory file system for tests that write many small files, when there is one; else the system's
// temporary folder.
std::string FastTemporaryFolder();

// Writes bytes to a file, replacing it; fails the current test when that is not possible.
void WriteBytes(const std::string& path, const std::string& bytes);
// The whole content of a file, or an empty text when it cannot be read.
std::string ReadBytes(const std::string& path);

} // namespace vorn::test
