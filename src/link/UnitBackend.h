#pragma once

#include "link/UnitDriver.h"

#include <memory>
#include <string>
#include <string_view>

// The interface unit's backend on this platform. Linux: the serial port whose USB device is the unit
// (or the port named). Windows: FTD2XX.DLL, which finds the unit by its description, or the COM port
// named, for a unit installed as a virtual COM port.
namespace vorn {

// The port to open instead of searching: the --port option when given, else VORN_KDU_PORT, else empty.
std::string PortOverride(std::string_view portOption);

// The backend for the port option (see PortOverride).
std::unique_ptr<UnitDriver> MakeUnitDriver(std::string_view portOption);

} // namespace vorn
