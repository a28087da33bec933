#include "base/CodeList.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

TEST(CodeListTest, Lookups) {
    const CodeList list{"1=Yes", "0=No", "1=Again", "x=Letters", "bare", "7=a=b"};
    EXPECT_EQ(DisplayTexts(list), (std::vector<std::string>{"Yes", "No", "Again", "Letters", "", "a=b"}));
    EXPECT_EQ(CodeOfText(list, "Yes"), 1);
    EXPECT_EQ(CodeOfText(list, "yes"), 0) << "case-sensitive";
    EXPECT_EQ(CodeOfText(list, "Letters"), 0) << "a name that is no number";
    EXPECT_EQ(CodeOfText(list, "a=b"), 7);
    EXPECT_EQ(CodeOfText(list, "Missing"), 0);
    EXPECT_EQ(NameOfText(list, "Letters"), "x");
    EXPECT_EQ(NameOfText(list, "Missing"), "");
    EXPECT_EQ(IndexOfCode(list, 1), 0) << "the first of two items with the same code";
    EXPECT_EQ(IndexOfCode(list, 0), 1);
    EXPECT_EQ(IndexOfCode(list, 5), -1);
    EXPECT_EQ(IndexOfName(list, "x"), 3);
    EXPECT_EQ(IndexOfName(list, "X"), -1);
    EXPECT_EQ(MakeItem(253, "Auto"), "253=Auto");
}

TEST(CodeListTest, NextCodeWraps) {
    const CodeList bands{"1=A", "2=B", "3=C"};
    struct Case {
        int code, next;
    };
    for (const Case c : {Case{1, 2}, Case{2, 3}, Case{3, 1}, Case{7, 1}}) {
        EXPECT_EQ(NextCode(bands, c.code), c.next) << c.code;
    }
    EXPECT_EQ(NextCode({"5=Only"}, 5), 5);
    EXPECT_EQ(NextCode({"5=Only"}, 9), 5);
    EXPECT_EQ(NextCode({}, 9), 0);
}

TEST(CodeListTest, FindContainingIsCaseSensitiveSubstring) {
    const std::vector<std::string> files{"Deutsch-1031.lang", "English-1033.lang"};
    EXPECT_EQ(FindContaining(files, "-1033."), "English-1033.lang");
    EXPECT_EQ(FindContaining(files, "-1044."), "");
    EXPECT_EQ(FindContaining(files, "deutsch"), "");
}

} // namespace
} // namespace vorn
