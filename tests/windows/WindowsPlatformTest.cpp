#include "platform/FileSystem.h"
#include "platform/Files.h"
#include "platform/Folders.h"
#include "platform/Registry.h"
#include "platform/Win32.h"
#include "support/TempDir.h"

#include <algorithm>
#include <map>
#include <windows.h>

#include <gtest/gtest.h>

// The platform's Windows side: the common folders, the registry before Registry.ini, file names in
// UTF-8, and replacing a file without losing its other names or its read-only attribute.
namespace vorn {
namespace {

EnvironmentLookup Environment(std::map<std::string, std::string> values) {
    return [values](const char* name) -> std::optional<std::string> {
        const auto found = values.find(name);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    };
}

TEST(WindowsFolders, CommonFoldersOrTheirReplacements) {
    const auto none = Environment({});
    // Windows names the same folders in its environment.
    EXPECT_EQ(DataBaseFolder(none), FolderWithSeparator(*ProcessEnvironment("ProgramData")));
    EXPECT_EQ(DocumentsBaseFolder(none), FolderWithSeparator(*ProcessEnvironment("PUBLIC") + "\\Documents"));
    EXPECT_EQ(ProgramDataFolder(none), DataBaseFolder(none) + "ORSK\\VORN Programmer v2\\");
    EXPECT_EQ(ConfigFolder(none), DocumentsBaseFolder(none) + "ORSK\\VORN v2 Config\\");

    const auto moved =
        Environment({{"VORN_PROGRAM_DATA", "D:/portable/data"}, {"VORN_DOCUMENTS", "relative"}});
    EXPECT_EQ(ProgramDataFolder(moved), "D:\\portable\\data\\ORSK\\VORN Programmer v2\\");
    EXPECT_EQ(ConfigFolder(moved), ConfigFolder(none)) << "a relative folder is no replacement";
}

// A key of the test's own below the local-machine root, removed at the end.
class InstalledKey {
public:
    explicit InstalledKey(std::map<std::string, std::string> values)
        : path_("Software\\ORSK Test " + std::to_string(::GetCurrentProcessId()) + "\\Bands") {
        HKEY key = nullptr;
        EXPECT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, Widen(path_).c_str(), 0, nullptr, 0,
                                    KEY_WRITE | KEY_WOW64_64KEY, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        for (const auto& [name, data] : values) {
            const std::wstring text = Widen(data);
            ::RegSetValueExW(key, Widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        }
        ::RegCloseKey(key);
    }
    ~InstalledKey() {
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, Widen(path_.substr(0, path_.rfind('\\'))).c_str());
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

TEST(WindowsRegistry, TheInstallersKeysComeFirstThenRegistryIni) {
    const InstalledKey installed({{"7=870.0000 MHz", ""}, {"Install Language Code", "1031"}});
    test::TempDir dir;
    const std::string otherKey = installed.Path() + "\\Other";
    test::WriteBytes(dir.File("Registry.ini"), "[" + installed.Path() + "]\n1=869.2125 MHz\n[" + otherKey +
                                                   "]\n2=868.7125 MHz\nInstall Language Code=1033\n");
    const Registry registry = Registry::Load(dir.File("Registry.ini"));
    const auto names = registry.ValueNames(installed.Path()).value_or(std::vector<std::string>{});
    EXPECT_NE(std::find(names.begin(), names.end(), "7=870.0000 MHz"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "1=869.2125 MHz"), names.end())
        << "the installed key wins";
    EXPECT_EQ(registry.Value(installed.Path(), "Install Language Code"), "1031");
    EXPECT_EQ(registry.ValueNames(otherKey),
              (std::vector<std::string>{"2=868.7125 MHz", "Install Language Code=1033"}));
    EXPECT_EQ(registry.Value(otherKey, "Install Language Code"), "1033")
        << "a key missing there comes from the file";
    EXPECT_EQ(Registry::FromText(test::ReadBytes(dir.File("Registry.ini")))
                  .Value(installed.Path(), "Install Language Code"),
              std::nullopt)
        << "a text alone is never mixed with the machine's registry";
}

TEST(WindowsFiles, NamesAreUtf8OnDiskAndInListings) {
    test::TempDir dir;
    const std::string name = "Gr\xc3\xbc\xc3\x9f"
                             "e \xce\xa9.vorn"; // "Grüße Ω.vorn"
    const std::string path = dir.Path() + "\\" + name;
    ASSERT_TRUE(WriteFileAtomically(path, std::string(256, 'x')));
    EXPECT_NE(::GetFileAttributesW((Widen(dir.Path()) + L"\\Gr\u00fc\u00dfe \u03a9.vorn").c_str()),
              INVALID_FILE_ATTRIBUTES);
    FileError error = FileError::None;
    EXPECT_EQ(ListFolder(dir.Path(), error), std::vector<std::string>{name});
    EXPECT_EQ(RegularFileSize(path), 256u);
}

TEST(WindowsFiles, ReplacingKeepsEveryNameAndRefusesReadOnlyFiles) {
    test::TempDir dir;
    const std::string first = dir.File("first.vorn");
    const std::string second = dir.File("second.vorn");
    test::WriteBytes(first, "old");
    ASSERT_NE(::CreateHardLinkW(Widen(second).c_str(), Widen(first).c_str(), nullptr), 0);
    ASSERT_TRUE(WriteFileAtomically(first, std::string("new")));
    EXPECT_EQ(test::ReadBytes(second), "new") << "both names still name one file";
    FileError error = FileError::None;
    EXPECT_EQ(ListFolder(dir.Path(), error).value_or(std::vector<std::string>{}).size(), 2u)
        << "no temporary file or backup is left";

    const std::string locked = dir.File("locked.vorn");
    test::WriteBytes(locked, "kept");
    ASSERT_NE(::SetFileAttributesW(Widen(locked).c_str(), FILE_ATTRIBUTE_READONLY), 0);
    EXPECT_TRUE(IsReadOnlyFile(locked));
    EXPECT_FALSE(WriteFileAtomically(locked, "x", 1, error));
    EXPECT_EQ(error, FileError::ReadOnlyFile);
    ::SetFileAttributesW(Widen(locked).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(test::ReadBytes(locked), "kept");
}

} // namespace
} // namespace vorn
