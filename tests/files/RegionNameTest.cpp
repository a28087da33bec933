#include "files/RegionName.h"

#include "files/BandLists.h"
#include "files/DefaultConfigs.h"
#include "support/CaseName.h"
#include "support/Paths.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

struct NameCase {
    const char* name;
    std::string text;
    RegionNameFault fault;
};

class RegionNames : public ::testing::TestWithParam<NameCase> {};

// Names come from a language file or the settings file and become a folder and a registry key: any
// that could name another folder or key is refused before either is built.
TEST_P(RegionNames, UsableOrRefusedWithTheReason) {
    const NameCase& c = GetParam();
    EXPECT_EQ(FindRegionNameFault(c.text), c.fault);
    const auto checked = RegionName::Check(c.text);
    ASSERT_EQ(checked.has_value(), c.fault == RegionNameFault::None);
    if (checked) {
        EXPECT_EQ(checked->Text(), c.text);
        EXPECT_EQ(RegionDefaultsFolder(test::Native("/install/"), *checked),
                  test::Native("/install/DefaultConfig/" + c.text + "/"));
        EXPECT_EQ(BandListKey(*checked, BandDirection::Receive),
                  "Software\\ORSK\\VORN Programmer v2\\Regions\\" + c.text + "\\RxFrequencyBands\\");
    } else {
        EXPECT_NE(RegionNameFaultText(c.fault), RegionNameFaultText(RegionNameFault::None));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegionNames,
    ::testing::Values(NameCase{"Plain", "Europe", RegionNameFault::None},
                      NameCase{"SpacesAndComma", "Chile, South America", RegionNameFault::None},
                      NameCase{"NonAscii", "Österreich", RegionNameFault::None},
                      NameCase{"SingleDotInside", "St. Helena", RegionNameFault::None},
                      NameCase{"Empty", "", RegionNameFault::Empty},
                      NameCase{"Slash", "Europe/North", RegionNameFault::Separator},
                      NameCase{"Backslash", "Europe\\RxFrequencyBands", RegionNameFault::Separator},
                      NameCase{"AbsolutePath", "/etc", RegionNameFault::Separator},
                      NameCase{"UpAndOut", "../../evil", RegionNameFault::Separator},
                      NameCase{"DotDot", "..", RegionNameFault::ParentFolder},
                      NameCase{"Dot", ".", RegionNameFault::ParentFolder},
                      NameCase{"DotDotInside", "a..b", RegionNameFault::ParentFolder},
                      NameCase{"LineBreak", "Europe\nUSA", RegionNameFault::ControlCharacter},
                      NameCase{"Escape", "Europe\x1b[31m", RegionNameFault::ControlCharacter},
                      NameCase{"Nul", std::string("Eu\0rope", 7), RegionNameFault::ControlCharacter},
                      NameCase{"Delete", "Europe\x7f", RegionNameFault::ControlCharacter},
                      NameCase{"C1Control", "Europe\xc2\x9b", RegionNameFault::ControlCharacter},
                      NameCase{"NotUtf8", "Europe\xff", RegionNameFault::NotUtf8}),
    test::CaseName{});

} // namespace
} // namespace vorn
