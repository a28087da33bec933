#include "lang/ListIni.h"

#include "base/TextDecoding.h"
#include "base/Utf8.h"
#include "support/CaseName.h"
#include "support/Paths.h"
#include "support/TempDir.h"

#include <filesystem>
#include <random>

#include <gtest/gtest.h>

namespace vorn {
namespace {

// ---- INI dialect -------------------------------------------------------------------------------

struct LookupCase {
    const char* name;
    const char* file;
    const char* section;
    const char* key;
    const char* expected; // nullptr: the undefined marker
};

class IniLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(IniLookup, FindsTheValueOrGivesTheMarker) {
    const auto& c = GetParam();
    ListIni reader;
    reader.LoadBytes(c.file);
    const std::string expected = c.expected ? c.expected : UndefinedMarker(c.section, c.key);
    EXPECT_EQ(reader.Text(c.section, c.key), expected);
    EXPECT_EQ(reader.Defines(c.section, c.key), c.expected != nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniLookup,
    ::testing::Values(
        LookupCase{"Plain", "[COMMON]\nBUTTON-OK=OK\n", "COMMON", "BUTTON-OK", "OK"},
        LookupCase{"SpacesAroundKeyAndValue", "[COMMON]\n   BUTTON-OK   =   Fine   \n", "COMMON", "BUTTON-OK",
                   "Fine"},
        LookupCase{"TabsAndControlsTrimmed", "\t[ COMMON ]\t\r\n\x01 K = v \x7f\x02\n", "COMMON", "K",
                   "v \x7f"},
        LookupCase{"SectionCaseIgnored", "[Common]\nK=v\n", "COMMON", "K", "v"},
        LookupCase{"KeyCaseIgnored", "[COMMON]\nbutton-ok=v\n", "COMMON", "BUTTON-OK", "v"},
        LookupCase{"ValueMayHoldEquals", "[Devices]\n1=35=TARV\n", "Devices", "1", "35=TARV"},
        LookupCase{"CrLineEnds", "[A]\rK=v\rL=w\r", "A", "L", "w"},
        LookupCase{"CrLfLineEnds", "[A]\r\nK=v\r\nL=w\r\n", "A", "L", "w"},
        LookupCase{"FirstOfTwoKeysWins", "[A]\nK=first\nK=second\n", "A", "K", "first"},
        LookupCase{"RepeatedSectionContinues", "[A]\nK=v\n[B]\nX=y\n[a]\nL=w\n", "A", "L", "w"},
        LookupCase{"CommentIgnored", "[A]\n;K=v\n", "A", ";K", nullptr},
        LookupCase{"CommentAfterBlanks", "[A]\n   ; K=v\n", "A", "K", nullptr},
        LookupCase{"BeforeFirstSectionIgnored", "K=v\n[A]\n", "A", "K", nullptr},
        LookupCase{"KeysWithoutAnySection", "K=v\nL=w\n", "", "K", nullptr},
        LookupCase{"EmptyValueIsUndefined", "[COMMON]\nBUTTON-OK=\n", "COMMON", "BUTTON-OK", nullptr},
        LookupCase{"BlankValueIsUndefined", "[COMMON]\nBUTTON-OK=   \n", "COMMON", "BUTTON-OK", nullptr},
        LookupCase{"MissingKey", "[COMMON]\nK=v\n", "COMMON", "NO_SUCH_KEY", nullptr},
        LookupCase{"MissingSection", "[COMMON]\nK=v\n", "OTHER", "K", nullptr},
        LookupCase{"EntryWithoutEqualsHasNoKey", "[A]\nbare\n", "A", "bare", nullptr},
        LookupCase{"SectionWithoutEndIsAnEntry", "[A]\n[B\nK=v\n", "A", "K", "v"},
        LookupCase{"UnclosedSectionOpensNothing", "[B\nK=v\n", "B", "K", nullptr},
        LookupCase{"EmptySectionName", "[]\nK=v\n", "", "K", "v"},
        LookupCase{"NonAsciiValue",
                   "[A]\nK=Schlie\xC3\x9F"
                   "en\n",
                   "A", "K",
                   "Schlie\xC3\x9F"
                   "en"}),
    test::CaseName{});

TEST(ListIniTest, MarkerUsesTheCallersSpelling) {
    ListIni reader;
    EXPECT_EQ(reader.Text("COMMON", "NO_SUCH_KEY"), "[COMMON] 'NO_SUCH_KEY' IS UNDEFINED");
    reader.LoadBytes("[common]\nbutton-ok=\n");
    EXPECT_EQ(reader.Text("COMMON", "BUTTON-OK"), "[COMMON] 'BUTTON-OK' IS UNDEFINED");
}

TEST(ListIniTest, ReadListKeepsFileOrderAndBareLines) {
    ListIni reader;
    reader.LoadBytes("[YesNo]\n 0 = No \n;comment\nbare line\n1=Yes\n1=Again\n=nameless\n[Other]\nX=Y\n");
    std::vector<std::string> list{"stale"};
    reader.ReadList("yesno", list);
    EXPECT_EQ(list, (std::vector<std::string>{"0=No", "bare line", "1=Yes", "1=Again", "=nameless"}));
    reader.ReadList("Missing", list);
    EXPECT_TRUE(list.empty());
}

TEST(ListIniTest, LoadingReplacesTheWholeContent) {
    test::TempDir dir;
    test::WriteBytes(dir.File("a.lang"), "[A]\nK=first\nOnlyA=1\n");
    test::WriteBytes(dir.File("b.lang"), "[A]\nK=second\n");
    ListIni reader;
    reader.LoadFile(dir.File("a.lang"));
    EXPECT_EQ(reader.Text("A", "OnlyA"), "1");
    reader.LoadFile(dir.File("b.lang"));
    EXPECT_EQ(reader.FilePath(), dir.File("b.lang"));
    EXPECT_EQ(reader.Text("A", "K"), "second");
    EXPECT_FALSE(reader.Defines("A", "OnlyA"));
    EXPECT_EQ(reader.LoadError(), FileError::None);
    // A file that gives nothing says why, so it can be reported as what it is.
    reader.LoadFile(dir.File("missing.lang"));
    EXPECT_EQ(reader.FilePath(), dir.File("missing.lang"));
    EXPECT_TRUE(reader.Content().Empty());
    EXPECT_EQ(reader.LoadError(), FileError::NoSuchFile);
    reader.LoadFile(dir.Path()); // a folder is no language file
    EXPECT_TRUE(reader.Content().Empty());
    EXPECT_EQ(reader.LoadError(), FileError::IsDirectory);
    reader.LoadFile(dir.File("a.lang/x.lang"));
    EXPECT_EQ(reader.LoadError(), FileError::NotADirectory);
    reader.LoadBytes("[A]\nK=v\n");
    EXPECT_EQ(reader.LoadError(), FileError::None);
}

// ---- encodings ---------------------------------------------------------------------------------

std::string Utf16(std::u16string_view text, bool bigEndian, bool bom = true) {
    std::string out = bom ? (bigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
    for (const char16_t u : text) {
        const char hi = static_cast<char>(u >> 8);
        const char lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
    return out;
}

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::string expected; // UTF-8
};

class Decode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Decode, GivesUtf8) {
    const auto& c = GetParam();
    const std::string text = DecodeText(c.bytes);
    EXPECT_EQ(text, c.expected);
    EXPECT_TRUE(IsValidUtf8(text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Decode,
    ::testing::Values(DecodeCase{"Utf8Bom", "\xEF\xBB\xBFK=\xC3\xA4", "K=\xC3\xA4"},
                      DecodeCase{"Utf8BomWithBrokenBytes",
                                 "\xEF\xBB\xBF"
                                 "a\xFF"
                                 "b",
                                 "a\xEF\xBF\xBD"
                                 "b"},
                      DecodeCase{"Utf8WithoutBom", "K=\xC3\xA4\xE2\x82\xAC", "K=\xC3\xA4\xE2\x82\xAC"},
                      DecodeCase{"Utf16Le", Utf16(u"K=\u00E4\u20AC", false), "K=\xC3\xA4\xE2\x82\xAC"},
                      DecodeCase{"Utf16Be", Utf16(u"K=\u00E4\u20AC", true), "K=\xC3\xA4\xE2\x82\xAC"},
                      DecodeCase{"Utf16SurrogatePair", Utf16(u"\U0001F600", false), "\xF0\x9F\x98\x80"},
                      DecodeCase{"Utf16LoneHighSurrogate",
                                 Utf16(u"a\xD800"
                                       "b",
                                       false),
                                 "a\xEF\xBF\xBD"
                                 "b"},
                      DecodeCase{"Utf16LoneLowSurrogate", Utf16(u"a\xDC00", true), "a\xEF\xBF\xBD"},
                      DecodeCase{"Utf16HighSurrogateAtEnd", Utf16(u"a\xD83D", false), "a\xEF\xBF\xBD"},
                      DecodeCase{"Utf16OddLength", Utf16(u"ab", false) + "x", "ab\xEF\xBF\xBD"},
                      DecodeCase{"Utf16OnlyBom", "\xFF\xFE", ""},
                      DecodeCase{"Windows1252", "K=\xE4\xF6\xFC\xDF \x80 \x9C",
                                 "K=\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F \xE2\x82\xAC \xC5\x93"},
                      DecodeCase{"Windows1252UndefinedByte", "\x81", "\xC2\x81"},
                      DecodeCase{"Empty", "", ""}),
    test::CaseName{});

TEST(ListIniTest, ReadsEveryEncodingOfTheSameFile) {
    const std::u16string text = u"[COMMON]\r\nBUTTON-CANCEL=Abbrechen \u00DCbung\r\n";
    const std::string expected = "Abbrechen \xC3\x9C"
                                 "bung";
    for (const std::string& bytes : {Utf16(text, false), Utf16(text, true),
                                     std::string("\xEF\xBB\xBF[COMMON]\nBUTTON-CANCEL=") + expected,
                                     std::string("[COMMON]\nBUTTON-CANCEL=Abbrechen \xDC"
                                                 "bung")}) {
        ListIni reader;
        reader.LoadBytes(bytes);
        EXPECT_EQ(reader.Text("COMMON", "BUTTON-CANCEL"), expected);
    }
}

// ---- bad input ---------------------------------------------------------------------------------

TEST(ListIniTest, BinaryGarbageLoadsWithoutCrashing) {
    std::mt19937 random(12345);
    for (int round = 0; round < 50; ++round) {
        std::string bytes(static_cast<std::size_t>(random() % 4096), '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random() % 256);
        }
        if (round % 3 == 1) {
            bytes.insert(0, "\xFF\xFE");
        } else if (round % 3 == 2) {
            bytes.insert(0, "[COMMON]\n[");
        }
        ListIni reader;
        reader.LoadBytes(bytes);
        const std::string text = reader.Text("COMMON", "BUTTON-OK");
        EXPECT_TRUE(IsValidUtf8(text));
        std::vector<std::string> list;
        reader.ReadList("AlarmTypes", list);
        for (const auto& item : list) {
            EXPECT_TRUE(IsValidUtf8(item));
        }
    }
}

TEST(ListIniTest, TenMegabyteFileLoads) {
    test::TempDir dir;
    std::string bytes = "[COMMON]\nBUTTON-OK=OK\n";
    bytes.reserve(10u * 1024u * 1024u + 64u);
    std::mt19937 random(7);
    while (bytes.size() < 10u * 1024u * 1024u) {
        bytes += static_cast<char>(random() % 256);
    }
    bytes += "\n[Tail]\nK=v\n";
    test::WriteBytes(dir.File("Big-1.lang"), bytes);
    ListIni reader;
    reader.LoadFile(dir.File("Big-1.lang"));
    EXPECT_EQ(reader.Text("COMMON", "BUTTON-OK"), "OK");
    EXPECT_EQ(reader.Text("Tail", "K"), "v");
}

TEST(ListIniTest, OversizedFileGivesEmptyContent) {
    test::TempDir dir;
    std::string bytes = "[COMMON]\nBUTTON-OK=OK\n";
    bytes.resize(MaxLanguageFileBytes + 1, ' ');
    test::WriteBytes(dir.File("Huge-1.lang"), bytes);
    ListIni reader;
    reader.LoadFile(dir.File("Huge-1.lang"));
    EXPECT_TRUE(reader.Content().Empty());
    EXPECT_EQ(reader.LoadError(), FileError::FileTooLarge);
    EXPECT_EQ(reader.Text("COMMON", "BUTTON-OK"), "[COMMON] 'BUTTON-OK' IS UNDEFINED");
}

// ---- language files ------------------------------------------------------------------------------

TEST(ListIniTest, DisplayNames) {
    struct Case {
        const char* file;
        const char* display;
    };
    for (const Case c : {Case{"English-1033.lang", "English"}, Case{"Svenska-1053.lang", "Svenska"},
                         Case{"X.lang", "X"}, Case{"NoDots-1", "NoDots"}, Case{"Plain", "Plain"},
                         Case{"a.b-c.lang", "a"}, Case{"-1033.lang", ""}, Case{"", ""}}) {
        EXPECT_EQ(LanguageDisplayName(c.file), c.display) << c.file;
    }
}

struct ChooseCase {
    const char* name;
    std::vector<std::string> list;
    const char* wanted;
    LanguageChoice expected;
};

class Choose : public ::testing::TestWithParam<ChooseCase> {};

TEST_P(Choose, PicksWantedOrFallsBack) {
    const auto& c = GetParam();
    EXPECT_EQ(ListIni::ChooseLanguageFile(c.list, c.wanted), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Choose,
                         ::testing::Values(ChooseCase{"EmptyList", {}, "English-1033.lang", {"", false}},
                                           ChooseCase{"Wanted",
                                                      {"Deutsch-1031.lang", "English-1033.lang"},
                                                      "Deutsch-1031.lang",
                                                      {"Deutsch-1031.lang", false}},
                                           ChooseCase{"WantedInOtherCaseIsSpelledAsListed",
                                                      {"Deutsch-1031.lang"},
                                                      "deutsch-1031.LANG",
                                                      {"Deutsch-1031.lang", false}},
                                           ChooseCase{"FallbackToEnglish",
                                                      {"Deutsch-1031.lang", "English-1033.lang"},
                                                      "Norsk-1044.lang",
                                                      {"English-1033.lang", true}},
                                           ChooseCase{"EmptyWantedFallsBack",
                                                      {"Deutsch-1031.lang", "English-1033.lang"},
                                                      "",
                                                      {"English-1033.lang", true}},
                                           ChooseCase{"FallbackToFirst",
                                                      {"Norsk-1044.lang", "Svenska-1053.lang"},
                                                      "English-1033.lang",
                                                      {"Norsk-1044.lang", true}}),
                         test::CaseName{});

TEST(ListIniTest, ListsLanguageFilesOfTheFolderOnly) {
    test::TempDir dir;
    for (const char* name :
         {"Svenska-1053.lang", "deutsch-1031.lang", "English-1033.LANG", "notes.txt", "lang", "x.lang.bak"}) {
        test::WriteBytes(dir.File(name), "[A]\n");
    }
    std::filesystem::create_directory(dir.File("Folder.lang"));
    ListIni reader;
    reader.SetFolder(dir.Path()); // without trailing "/"
    EXPECT_EQ(reader.Folder(), test::Native(dir.Path() + "/"));
    std::vector<std::string> files{"stale"};
    EXPECT_EQ(reader.ListLanguageFiles(files), 3);
    EXPECT_EQ(files,
              (std::vector<std::string>{"deutsch-1031.lang", "English-1033.LANG", "Svenska-1053.lang"}));

    reader.SetFolder(dir.File("missing"));
    EXPECT_EQ(reader.ListLanguageFiles(files), 0);
    EXPECT_TRUE(files.empty());
}

struct SplitCase {
    const char* name;
    const char* text;
    std::vector<std::string> lines;
};

class Split : public ::testing::TestWithParam<SplitCase> {};

TEST_P(Split, SplitsAtTilde) {
    EXPECT_EQ(SplitLines(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Split,
    ::testing::Values(SplitCase{"Two", "a~b", {"a", "b"}}, SplitCase{"EmptyMiddle", "a~~b", {"a", "", "b"}},
                      SplitCase{"Leading", "~a", {"", "a"}}, SplitCase{"Trailing", "a~", {"a"}},
                      SplitCase{"OnlyTilde", "~", {""}}, SplitCase{"TwoTildes", "~~", {"", ""}},
                      SplitCase{"Empty", "", {}}, SplitCase{"NoTilde", "one line", {"one line"}}),
    test::CaseName{});

} // namespace
} // namespace vorn
