#pragma once

#include "base/CodeList.h"

// The code lists the main window keeps; the language fills them (and the region the two band lists),
// and the family conversions and editor rules read them as they are at the moment of use.
namespace vorn {

struct CodeLists {
    CodeList RadioEventAlarmTypes; // "AlarmTypes" + 253, 254, 255
    CodeList ActionAlarmTypes;     // "AlarmTypes" + 254, 255
    CodeList AlarmTypes;
    CodeList InputTypes;
    CodeList InputTypesBypass;
    CodeList RelayContacts;
    CodeList UserTypes;
    CodeList RelayActions;
    CodeList YesNo;
    CodeList Conditions;
    CodeList Regions;
    CodeList CableLengths;
    CodeList AntennaTypes;
    CodeList RelaySources;
    CodeList RelayPolarities;
    CodeList TamperStatus;
    CodeList ExternalInputFunctions;
    CodeList ExternalInputModes;
    CodeList PowerHighLow;
    CodeList HexDigits;        // 0-15 shown as 0-9, A-F
    CodeList ActionReferences; // 0-14 actions 1-15, 15 no action
    CodeList DeviceNamesA;     // "Devices" keys 1-9: product-type code=model name
    CodeList DeviceNamesB;     // keys 10-11
    CodeList DeviceNamesC;     // key 12
    CodeList ReceiveBands;     // band lists of the current region
    CodeList TransmitBands;
};

} // namespace vorn
