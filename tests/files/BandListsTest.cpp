#include "files/BandLists.h"

#include "base/CodeLists.h"
#include "platform/Registry.h"
#include "platform/TraceSink.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

const Registry TestRegistry =
    Registry::FromText("[Software\\ORSK\\VORN Programmer v2\\Regions\\North\\RxFrequencyBands]\n"
                       "4=869.4125 MHz\n"
                       "1=869.2125 MHz\n"
                       "[Software\\ORSK\\VORN Programmer v2\\Regions\\North\\TxFrequencyBands]\n"
                       "2=868.7125 MHz\n"
                       "[Software\\ORSK\\VORN Programmer v2\\Regions\\Bare\\RxFrequencyBands]\n");

TEST(BandLists, KeysOfTheRegion) {
    EXPECT_EQ(BandListKey("Europe", BandDirection::Receive),
              "Software\\ORSK\\VORN Programmer v2\\Regions\\Europe\\RxFrequencyBands\\");
    EXPECT_EQ(BandListKey("USA", BandDirection::Transmit),
              "Software\\ORSK\\VORN Programmer v2\\Regions\\USA\\TxFrequencyBands\\");
}

TEST(BandLists, ReadInRegistryOrderWithTraces) {
    CodeLists lists;
    TraceSink trace;
    LoadBandLists(TestRegistry, "North", lists, trace);
    EXPECT_EQ(lists.ReceiveBands, (CodeList{"4=869.4125 MHz", "1=869.2125 MHz"}));
    EXPECT_EQ(lists.TransmitBands, (CodeList{"2=868.7125 MHz"}));
    EXPECT_EQ(trace.Lines(),
              (std::vector<std::string>{"Load RxFrequencyBands for region North", "[0] 4=869.4125 MHz",
                                        "[1] 1=869.2125 MHz", "Load TxFrequencyBands for region North",
                                        "[0] 2=868.7125 MHz"}));
}

TEST(BandLists, MissingKeyKeepsTheListAnEmptyKeyEmptiesIt) {
    CodeLists lists;
    TraceSink trace;
    LoadBandLists(TestRegistry, "North", lists, trace);
    LoadBandLists(TestRegistry, "Bare", lists, trace);
    EXPECT_TRUE(lists.ReceiveBands.empty()) << "the key exists without values";
    EXPECT_EQ(lists.TransmitBands, (CodeList{"2=868.7125 MHz"})) << "no key: the previous list stays";
    LoadBandLists(Registry{}, "", lists, trace);
    EXPECT_EQ(lists.TransmitBands, (CodeList{"2=868.7125 MHz"}));
}

} // namespace
} // namespace vorn
