#include "lang/TextFormat.h"

#include "base/Utf8.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

struct FormatCase {
    const char* name;
    const char* pattern;
    FormatArgs args;
    const char* expected;
};

class Format : public ::testing::TestWithParam<FormatCase> {};

TEST_P(Format, RendersAsExpected) {
    const auto& c = GetParam();
    EXPECT_EQ(FormatText(c.pattern, c.args), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Format,
    ::testing::Values(
        FormatCase{"Text", "Device %s read", {"BODE"}, "Device BODE read"},
        FormatCase{"TwoInOrder", "%s with serial %s", {"BODE", "1234"}, "BODE with serial 1234"},
        FormatCase{"Integer", "Product type %d", {42}, "Product type 42"},
        FormatCase{"IntegerI", "%i of %i", {3, 10}, "3 of 10"}, FormatCase{"Negative", "%d", {-5}, "-5"},
        FormatCase{"Unsigned", "%u", {16777215}, "16777215"},
        FormatCase{"UnsignedOfNegativeWrapsAt32Bits", "%u", {-1}, "4294967295"},
        FormatCase{"HexUpper", "%x", {255}, "FF"},
        FormatCase{
            "Indexed", "Start in '%0:s'. Click %0:s", {"English"}, "Start in 'English'. Click English"},
        FormatCase{"IndexedThenNext", "%1:s %s %0:s", {"a", "b", "c"}, "b c a"},
        FormatCase{"Percent", "100%% sure", {}, "100% sure"},
        FormatCase{"UpperCaseType", "%S and %D", {"x", 7}, "x and 7"},
        FormatCase{"Width", "[%5s][%-5s][%3d]", {"ab", "cd", 7}, "[   ab][cd   ][  7]"},
        FormatCase{"Precision", "[%.2s][%.3d]", {"abcdef", 7}, "[ab][007]"},
        FormatCase{"PrecisionCountsCharacters", "%.2s", {"\xC3\x84\xC3\x96\xC3\x9C"}, "\xC3\x84\xC3\x96"},
        FormatCase{"WidthCountsCharacters", "[%3s]", {"\xC3\xA4"}, "[  \xC3\xA4]"},
        // Too few arguments: the placeholder stays as written.
        FormatCase{"TooFewArguments", "%s and %s", {"one"}, "one and %s"},
        FormatCase{"NoArguments", "Between %s and %s", {}, "Between %s and %s"},
        FormatCase{"IndexBeyondArguments", "%3:s", {"a"}, "%3:s"},
        // Too many arguments: the extra ones are not shown.
        FormatCase{"TooManyArguments", "%s", {"a", "b", 3}, "a"},
        // Wrong-typed arguments.
        FormatCase{"TextForNumberThatIsANumber", "%d parameters", {"12"}, "12 parameters"},
        FormatCase{"TextForNumberThatIsNot", "%d parameters", {"many"}, "many parameters"},
        FormatCase{"NumberForText", "event %s", {5}, "event 5"},
        // Malformed and unsupported placeholders stay as written.
        FormatCase{"TrailingPercent", "50%", {"x"}, "50%"},
        FormatCase{"PercentBeforeBlank", "100% of %s", {"it"}, "100% of it"},
        FormatCase{"PercentInBrackets", "(10-100%)", {}, "(10-100%)"},
        FormatCase{"UnsupportedFloat", "%f then %s", {"a"}, "%f then a"},
        FormatCase{"UnsupportedPointerDoesNotReadMemory", "%p %n %s", {"a"}, "%p %n a"},
        FormatCase{"StarWidth", "%*d", {5, 6}, "%*d"}, FormatCase{"IncompleteIndex", "%0:", {"a"}, "%0:"},
        FormatCase{"IncompleteWidth", "%-5", {"a"}, "%-5"},
        FormatCase{"HugeWidth", "%999999999s|", {"a"}, "%999999999s|"},
        FormatCase{"HugeIndex", "%99999999999:s", {"a"}, "%99999999999:s"},
        FormatCase{"PrintfFlagsAreNotPlaceholders", "%+d %#x", {1, 2}, "%+d %#x"},
        FormatCase{"Empty", "", {"a"}, ""}),
    test::CaseName{});

TEST(TextFormatTest, GarbagePatternsRenderToValidUtf8WithoutCrashing) {
    // Every two-byte pattern around "%" and a few argument mixes: nothing may crash or over-read, and
    // a pattern that is valid UTF-8 stays valid UTF-8.
    const FormatArgs args{"t", 1, ""};
    for (int a = 0; a < 256; ++a) {
        for (const char* tail : {"", "s", "0:", ":s", ".", "-", "9", "%"}) {
            std::string pattern = "%";
            pattern += static_cast<char>(a);
            pattern += tail;
            const std::string out = FormatText(pattern, args);
            if (IsValidUtf8(pattern)) {
                EXPECT_TRUE(IsValidUtf8(out)) << pattern;
            }
            EXPECT_LE(out.size(), pattern.size() + 16) << "widths here are at most 9";
        }
    }
}

TEST(TextFormatTest, InspectPatternReportsWhatEachPlaceholderTakes) {
    const PatternInfo info = InspectPattern("%s, %1:d %s %% %f 100%");
    ASSERT_EQ(info.placeholders.size(), 3u);
    EXPECT_EQ(info.placeholders[0].index, 0);
    EXPECT_EQ(info.placeholders[0].type, 's');
    EXPECT_EQ(info.placeholders[1].index, 1);
    EXPECT_EQ(info.placeholders[1].type, 'd');
    EXPECT_EQ(info.placeholders[2].index, 2);
    EXPECT_EQ(info.malformed, (std::vector<std::string>{"%f", "%"}));
}

} // namespace
} // namespace vorn
