#pragma once

#include "base/CodeList.h"

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
std::string BandListKey(std::string_view region, BandDirection direction);

// Replaces the list by the names of all values of the key and traces each entry; a key that does not
// exist leaves the list as it was.
void ReadBandList(const Registry& registry, const std::string& key, CodeList& list, TraceSink& trace);

// Both band lists of the region, with their traces.
void LoadBandLists(const Registry& registry, std::string_view region, CodeLists& lists, TraceSink& trace);

} // namespace vorn
