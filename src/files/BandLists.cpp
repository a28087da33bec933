#include "files/BandLists.h"

#include "base/CodeLists.h"
#include "platform/Registry.h"
#include "platform/TraceSink.h"

namespace vorn {

std::string BandListKey(std::string_view region, BandDirection direction) {
    return std::string(ProgramRegistryKey) + "Regions\\" + std::string(region) + "\\" +
           (direction == BandDirection::Receive ? "Rx" : "Tx") + "FrequencyBands\\";
}

void ReadBandList(const Registry& registry, const std::string& key, CodeList& list, TraceSink& trace) {
    auto names = registry.ValueNames(key);
    if (!names) {
        return;
    }
    list = std::move(*names);
    for (std::size_t i = 0; i < list.size(); ++i) {
        trace.Write("[" + std::to_string(i) + "] " + list[i]);
    }
}

void LoadBandLists(const Registry& registry, std::string_view region, CodeLists& lists, TraceSink& trace) {
    trace.Write("Load RxFrequencyBands for region " + std::string(region));
    ReadBandList(registry, BandListKey(region, BandDirection::Receive), lists.ReceiveBands, trace);
    trace.Write("Load TxFrequencyBands for region " + std::string(region));
    ReadBandList(registry, BandListKey(region, BandDirection::Transmit), lists.TransmitBands, trace);
}

} // namespace vorn
