#include "link/UnitBackend.h"

#include "platform/Locale.h"

#ifdef _WIN32
#include "link/ComPortUnitDriver.h"
#include "link/D2xxUnitDriver.h"
#else
#include "link/SerialUnitDriver.h"
#endif

namespace vorn {

std::string PortOverride(std::string_view portOption) {
    if (!portOption.empty()) {
        return std::string(portOption);
    }
    return ProcessEnvironment("VORN_KDU_PORT").value_or(std::string());
}

std::unique_ptr<UnitDriver> MakeUnitDriver(std::string_view portOption) {
    const std::string port = PortOverride(portOption);
#ifdef _WIN32
    if (!port.empty()) {
        return std::make_unique<ComPortUnitDriver>(port);
    }
    return std::make_unique<D2xxUnitDriver>();
#else
    return std::make_unique<SerialUnitDriver>(SerialPortOptions{port});
#endif
}

} // namespace vorn
