#include "platform/Files.h"

#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using test::ReadBytes;
using test::RunInChild;
using test::TempDir;
using test::WriteBytes;

// Users that exist only as numbers: root gives files to them and a child process becomes one.
constexpr uid_t Writer = 4242;
constexpr uid_t OtherUser = 4343;
constexpr gid_t WriterGroup = 4242;
constexpr gid_t OtherGroup = 4343;
constexpr gid_t TeamGroup = 4300; // the writer is a member

const std::string NewContent = std::string(256, 'N');

bool IsRoot() {
    return ::geteuid() == 0;
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct stat StatOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

FileError Write(const std::string& path, const std::string& content = NewContent) {
    FileError error = FileError::None;
    return WriteFileAtomically(path, content.data(), content.size(), error) ? FileError::None : error;
}

FileError ReadStart(const std::string& path) {
    std::uint8_t buffer[256];
    return ReadFileStart(path, buffer, sizeof buffer).error;
}

void MakeSocket(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    path.copy(address.sun_path, path.size());
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

class FileWrites : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(FileWrites, PathsThatAreNoConfigurationFileSayWhatTheyAre) {
    WriteBytes(dir.File("plain"), std::string(256, 'p'));
    WriteBytes(dir.File("short"), std::string(100, 's'));
    WriteBytes(dir.File("locked"), std::string(256, 'l'));
    ASSERT_EQ(::chmod(dir.File("locked").c_str(), 0444), 0);
    ASSERT_EQ(::mkdir(dir.File("folder").c_str(), 0755), 0);
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    MakeSocket(dir.File("socket"));
    ASSERT_EQ(::symlink("loop-b", dir.File("loop-a").c_str()), 0);
    ASSERT_EQ(::symlink("loop-a", dir.File("loop-b").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere/file", dir.File("dangling").c_str()), 0);
    const std::string tooLong = dir.File(std::string(256, 'x'));

    struct Case {
        const char* name;
        std::string path;
        FileError read;
        FileError write; // None: the write succeeds
    };
    const Case cases[] = {
        {"directory", dir.File("folder"), FileError::IsDirectory, FileError::IsDirectory},
        {"directory with slash", dir.File("folder/"), FileError::IsDirectory, FileError::IsDirectory},
        {"fifo", dir.File("pipe"), FileError::IsFifo, FileError::IsFifo},
        {"socket", dir.File("socket"), FileError::IsSocket, FileError::IsSocket},
        {"device", "/dev/null", FileError::IsDevice, FileError::IsDevice},
        {"link loop", dir.File("loop-a"), FileError::LinkLoop, FileError::LinkLoop},
        {"name too long", tooLong, FileError::NameTooLong, FileError::NameTooLong},
        {"file as folder", dir.File("plain/inner"), FileError::NotADirectory, FileError::NotADirectory},
        {"missing folder", dir.File("nothing/here"), FileError::NoSuchFile, FileError::NoSuchFile},
        {"dangling link into a missing folder", dir.File("dangling"), FileError::NoSuchFile,
         FileError::NoSuchFile},
        {"empty path", "", FileError::NoSuchFile, FileError::NoSuchFile},
        {"missing file", dir.File("missing"), FileError::NoSuchFile, FileError::None},
        {"short file", dir.File("short"), FileError::FileTooShort, FileError::None},
        {"read-only file", dir.File("locked"), FileError::None, FileError::ReadOnlyFile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadStart(c.path), c.read) << FileErrorText(ReadStart(c.path));
        const FileError written = Write(c.path);
        EXPECT_EQ(written, c.write) << FileErrorText(written);
    }
    EXPECT_EQ(ReadBytes(dir.File("locked")), std::string(256, 'l'));

    FileError error = FileError::None;
    EXPECT_FALSE(ReadWholeFile(dir.File("plain"), 100, error));
    EXPECT_EQ(error, FileError::FileTooLarge);
    EXPECT_FALSE(ReadWholeFile(dir.File("folder"), 100, error));
    EXPECT_EQ(error, FileError::IsDirectory);
    EXPECT_EQ(ReadWholeFile(dir.File("plain"), 256, error), std::string(256, 'p'));
    EXPECT_EQ(error, FileError::None);
}

TEST_F(FileWrites, UnreadableFileIsPermissionDenied) {
    const std::string path = dir.File("secret");
    WriteBytes(path, std::string(256, 's'));
    ASSERT_EQ(::chmod(path.c_str(), 0000), 0);
    if (!IsRoot()) {
        EXPECT_EQ(ReadStart(path), FileError::PermissionDenied);
        return;
    }
    // Root reads everything: another user finds it unreadable.
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    const int status = RunInChild([&] {
        if (!test::BecomeUser(Writer, WriterGroup, {})) {
            return test::ChildCannotSetUp;
        }
        return static_cast<int>(ReadStart(path));
    });
    EXPECT_EQ(status, static_cast<int>(FileError::PermissionDenied));
}

TEST_F(FileWrites, NamesNearTheLengthLimit) {
    for (std::size_t length : {200u, 247u, 248u, 250u, 255u}) {
        SCOPED_TRACE(length);
        TempDir folder;
        const std::string path = folder.File(std::string(length, 'n'));
        EXPECT_EQ(Write(path), FileError::None);
        EXPECT_EQ(ReadBytes(path), NewContent);
        // Replacing it works as well.
        EXPECT_EQ(Write(path, "second"), FileError::None);
        EXPECT_EQ(ReadBytes(path), "second");
        EXPECT_EQ(Entries(folder.Path()).size(), 1u);
    }
}

TEST_F(FileWrites, FileSizeLimitFailsTheWriteWithoutEndingTheProgram) {
    WriteBytes(dir.File("old.vorn"), std::string(256, 'o'));
    for (const char* name : {"old.vorn", "new.vorn"}) {
        SCOPED_TRACE(name);
        const std::string path = dir.File(name);
        // The limit's signal keeps its default action, which would end the process in mid-write.
        const int status = RunInChild([&] {
            std::signal(SIGXFSZ, SIG_DFL);
            const rlimit limit{100, 100};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            return static_cast<int>(Write(path, std::string(4096, 'w')));
        });
        EXPECT_EQ(status, static_cast<int>(FileError::FileTooLarge));
        EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"old.vorn"});
        EXPECT_EQ(ReadBytes(dir.File("old.vorn")), std::string(256, 'o'));
    }
}

TEST_F(FileWrites, FullAndReadOnlyFileSystemsAreNamed) {
    const std::string mount = dir.File("disk");
    ASSERT_EQ(::mkdir(mount.c_str(), 0755), 0);
    // Each failed check returns its own number.
    const int status = RunInChild([&] {
        if (!test::MountPrivateTmpfs(mount, 64 * 1024)) {
            return test::ChildCannotSetUp;
        }
        const std::string old = mount + "/old.vorn";
        const std::string filler = mount + "/filler";
        if (Write(old, std::string(256, 'o')) != FileError::None) {
            return 1;
        }
        // Fill the disk to the last block.
        const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT, 0600);
        const std::string block(4096, 'f');
        while (::write(fd, block.data(), block.size()) > 0) {}
        ::close(fd);
        if (Write(old, std::string(8192, 'n')) != FileError::DiskFull) {
            return 2;
        }
        if (ReadBytes(old) != std::string(256, 'o') || Entries(mount).size() != 2) {
            return 3;
        }
        ::unlink(filler.c_str());
        if (!test::RemountReadOnly(mount)) {
            return test::ChildCannotSetUp;
        }
        if (Write(old) != FileError::ReadOnlyFileSystem ||
            Write(mount + "/new.vorn") != FileError::ReadOnlyFileSystem) {
            return 4;
        }
        return ReadBytes(old) == std::string(256, 'o') ? 0 : 5;
    });
    if (status == test::ChildCannotSetUp) {
        GTEST_SKIP() << "no private tmpfs can be mounted here (needs a mount namespace)";
    }
    EXPECT_EQ(status, 0) << "failed check number";
}

TEST_F(FileWrites, LinksInSharedFoldersAreFollowedOnlyWhenTheKernelWould) {
    if (!IsRoot()) {
        GTEST_SKIP() << "making a link owned by another user needs root";
    }
    const uid_t me = ::geteuid();
    const std::string target = dir.File("target.vorn");
    const std::string shared = dir.File("shared");       // sticky and world-writable, ours
    const std::string sharedOther = dir.File("shared2"); // sticky and world-writable, another user's
    const std::string openFolder = dir.File("open");     // world-writable without sticky bit
    ASSERT_EQ(::mkdir(dir.File("real").c_str(), 0755), 0);
    for (const std::string& folder : {shared, sharedOther, openFolder}) {
        ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    }
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    ASSERT_EQ(::chmod(sharedOther.c_str(), 01777), 0);
    ASSERT_EQ(::chown(sharedOther.c_str(), OtherUser, OtherGroup), 0);
    ASSERT_EQ(::chmod(openFolder.c_str(), 0777), 0);

    struct Case {
        const char* name;
        std::string link; // made to point at pointsTo, owned by owner
        std::string pointsTo;
        uid_t owner;
        std::string written; // the path given to the write
        std::string reached; // the file it leads to
        bool refused;
    };
    const Case cases[] = {
        {"another user's link in a shared folder", shared + "/a.vorn", target, OtherUser, shared + "/a.vorn",
         target, true},
        {"our own link in a shared folder", shared + "/b.vorn", target, me, shared + "/b.vorn", target,
         false},
        {"the shared folder's owner's link", sharedOther + "/c.vorn", target, OtherUser,
         sharedOther + "/c.vorn", target, false},
        {"another user's link in a folder without sticky bit", openFolder + "/d.vorn", target, OtherUser,
         openFolder + "/d.vorn", target, false},
        {"our link to another user's link in a shared folder", dir.File("e.vorn"), shared + "/a.vorn", me,
         dir.File("e.vorn"), target, true},
        {"another user's folder link in a shared folder", shared + "/dir", dir.File("real"), OtherUser,
         shared + "/dir/target.vorn", dir.File("real/target.vorn"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(target, "old");
        WriteBytes(dir.File("real/target.vorn"), "old");
        ASSERT_EQ(::symlink(c.pointsTo.c_str(), c.link.c_str()), 0);
        ASSERT_EQ(::lchown(c.link.c_str(), c.owner, c.owner), 0);
        const FileError error = Write(c.written);
        EXPECT_EQ(error, c.refused ? FileError::UnsafeLink : FileError::None) << FileErrorText(error);
        // Read without the link: the kernel may refuse to follow it.
        EXPECT_EQ(ReadBytes(c.reached), c.refused ? "old" : NewContent);
        EXPECT_TRUE(S_ISLNK(StatOf(c.link).st_mode)) << "the link itself stays";
    }
}

TEST_F(FileWrites, AnotherUsersFileIsNeitherReplacedNorTakenOver) {
    if (!IsRoot()) {
        GTEST_SKIP() << "files of other users need root";
    }
    const std::string folder = dir.File("open");
    const std::string locked = dir.File("locked");
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(folder.c_str(), 0777), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0777), 0);
    ASSERT_EQ(::mkdir(locked.c_str(), 0755), 0);

    struct Case {
        const char* name;
        std::string path;
        uid_t owner; // 0: no file there yet
        gid_t group;
        mode_t mode;
        FileError expected;
        mode_t modeAfter;
    };
    const Case cases[] = {
        {"another user's file we may not write", folder + "/a.vorn", OtherUser, OtherGroup, 0644,
         FileError::PermissionDenied, 0644},
        {"another user's file our group may write", folder + "/b.vorn", OtherUser, TeamGroup, 0664,
         FileError::OwnerNotKept, 0664},
        {"our file in a group we belong to", folder + "/c.vorn", Writer, TeamGroup, 0640, FileError::None,
         0640},
        {"our file, set-ID and world-writable", folder + "/d.vorn", Writer, WriterGroup, 06666,
         FileError::None, 0664},
        {"a new file in a folder we may not write", locked + "/e.vorn", 0, 0, 0, FileError::PermissionDenied,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.owner != 0) {
            WriteBytes(c.path, "old");
            ASSERT_EQ(::chown(c.path.c_str(), c.owner, c.group), 0);
            ASSERT_EQ(::chmod(c.path.c_str(), c.mode), 0);
        }
        const int status = RunInChild([&] {
            if (!test::BecomeUser(Writer, WriterGroup, {WriterGroup, TeamGroup})) {
                return test::ChildCannotSetUp;
            }
            ::umask(022);
            return static_cast<int>(Write(c.path));
        });
        EXPECT_EQ(status, static_cast<int>(c.expected)) << FileErrorText(static_cast<FileError>(status));
        if (c.owner == 0) {
            EXPECT_FALSE(std::filesystem::exists(c.path));
            continue;
        }
        EXPECT_EQ(ReadBytes(c.path), c.expected == FileError::None ? NewContent : "old");
        const struct stat after = StatOf(c.path);
        EXPECT_EQ(after.st_uid, c.owner);
        EXPECT_EQ(after.st_gid, c.group);
        EXPECT_EQ(after.st_mode & 07777, c.modeAfter);
    }
    EXPECT_EQ(Entries(folder).size(), 4u) << "no temporary file is left";
}

TEST_F(FileWrites, RootKeepsTheOwnerOfTheFileItReplaces) {
    if (!IsRoot()) {
        GTEST_SKIP() << "files of other users need root";
    }
    const std::string path = dir.File("theirs.vorn");
    WriteBytes(path, "old");
    ASSERT_EQ(::chown(path.c_str(), OtherUser, TeamGroup), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    EXPECT_EQ(Write(path), FileError::None);
    const struct stat after = StatOf(path);
    EXPECT_EQ(after.st_uid, OtherUser);
    EXPECT_EQ(after.st_gid, TeamGroup);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
}

TEST_F(FileWrites, SetIdAndWorldWritableBitsAreDropped) {
    const std::string path = dir.File("wide.vorn");
    WriteBytes(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 06777), 0);
    EXPECT_EQ(Write(path), FileError::None);
    EXPECT_EQ(StatOf(path).st_mode & 07777, 0775u);
}

TEST_F(FileWrites, HardLinkedFileIsWrittenInPlace) {
    const std::string first = dir.File("first.vorn");
    const std::string second = dir.File("second.vorn");
    WriteBytes(first, std::string(300, 'o'));
    ASSERT_EQ(::chmod(first.c_str(), 0666), 0);
    ASSERT_EQ(::link(first.c_str(), second.c_str()), 0);
    const ino_t inode = StatOf(first).st_ino;

    EXPECT_EQ(Write(first), FileError::None);
    EXPECT_EQ(ReadBytes(first), NewContent);
    EXPECT_EQ(ReadBytes(second), NewContent) << "both names still name one file";
    EXPECT_EQ(StatOf(first).st_ino, inode);
    EXPECT_EQ(StatOf(first).st_nlink, 2u);
    EXPECT_EQ(StatOf(first).st_mode & 07777, 0664u);
    EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string>{"first.vorn", "second.vorn"}))
        << "the backup is removed";
}

TEST_F(FileWrites, FailedInPlaceWriteRestoresTheOldContent) {
    const std::string first = dir.File("first.vorn");
    const std::string second = dir.File("second.vorn");
    const std::string old(50, 'o');
    WriteBytes(first, old);
    ASSERT_EQ(::link(first.c_str(), second.c_str()), 0);
    // The file-size limit stops the new content after 100 bytes; the backup of 50 fits.
    const int status = RunInChild([&] {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return static_cast<int>(Write(first));
    });
    EXPECT_EQ(status, static_cast<int>(FileError::FileTooLarge));
    EXPECT_EQ(ReadBytes(first), old);
    EXPECT_EQ(ReadBytes(second), old);
    EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string>{"first.vorn", "second.vorn"}));
}

} // namespace
} // namespace vorn
