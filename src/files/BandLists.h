#pragma once

#include "base/CodeList.h"
#include "files/RegionName.h"

#include <string>
#include <string_view>

// The frequency bands of a region, as the installation lays them down in the registry: one key per
// region and direction, whose value names ("1=869.2125 MHz") are the band list.
namespace vorn {

class Registry;
class TraceSink;
struct CodeLists;

enum class BandDirection { Receive, Transmit };

// "Software\ORSK\VORN Programmer v2\Regions\" + region + "\RxFrequencyBands\" (or "\TxFrequencyBands\").
std::string BandListKey(const RegionName& region, BandDirection direction);

// Replaces the list by the names of all values of the key and traces each entry; a key that does not
// exist leaves the list as it was (false).
bool ReadBandList(const Registry& registry, const std::string& key, CodeList& list, TraceSink& trace);

// Which of the region's two keys the registry has.
struct BandListsFound {
    bool receive = false;
    bool transmit = false;
};

// Both band lists of the region, with their traces.
BandListsFound LoadBandLists(const Registry& registry, const RegionName& region, CodeLists& lists,
                             TraceSink& trace);

} // namespace vorn
