#include "files/BandLists.h"

#include "base/CodeLists.h"
#include "platform/Registry.h"
#include "platform/TraceSink.h"

namespace vorn {

std::string BandListKey(const RegionName& region, BandDirection direction) {
    return std::string(ProgramRegistryKey) + "Regions\\" + region.Text() + "\\" +
           (direction == BandDirection::Receive ? "Rx" : "Tx") + "FrequencyBands\\";
}

bool ReadBandList(const Registry& registry, const std::string& key, CodeList& list, TraceSink& trace) {
    auto names = registry.ValueNames(key);
    if (!names) {
        return false;
    }
    list = std::move(*names);
    for (std::size_t i = 0; i < list.size(); ++i) {
        trace.Write("[" + std::to_string(i) + "] " + list[i]);
    }
    return true;
}

BandListsFound LoadBandLists(const Registry& registry, const RegionName& region, CodeLists& lists,
                             TraceSink& trace) {
    BandListsFound found;
    trace.Write("Load RxFrequencyBands for region " + region.Text());
    found.receive =
        ReadBandList(registry, BandListKey(region, BandDirection::Receive), lists.ReceiveBands, trace);
    trace.Write("Load TxFrequencyBands for region " + region.Text());
    found.transmit =
        ReadBandList(registry, BandListKey(region, BandDirection::Transmit), lists.TransmitBands, trace);
    return found;
}

} // namespace vorn
