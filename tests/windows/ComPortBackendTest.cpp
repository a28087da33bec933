#include "link/ComPortUnitDriver.h"
#include "link/UnitBackend.h"

#include <gtest/gtest.h>

// The COM-port backend's own decisions; its sessions over a port run in sessions.sh.
namespace vorn {
namespace {

TEST(ComPortBackend, PortNamesBecomeDevicePaths) {
    EXPECT_EQ(ComPortUnitDriver::DevicePath("COM5"), "\\\\.\\COM5");
    EXPECT_EQ(ComPortUnitDriver::DevicePath("com12"), "\\\\.\\COM12");
    EXPECT_EQ(ComPortUnitDriver::DevicePath("\\\\.\\COM3"), "\\\\.\\COM3");
}

TEST(ComPortBackend, APortThatDoesNotExistIsNamed) {
    ComPortUnitDriver driver("COM87");
    EXPECT_EQ(driver.OpenByDescription("Orsk KDU - Active USB Interface", UnitDriver::OpenByDescriptionFlag),
              DriverNotFound);
    EXPECT_NE(driver.LastOpenError().find("COM87 does not exist"), std::string::npos)
        << driver.LastOpenError();
}

TEST(ComPortBackend, TheNamedPortChoosesTheBackend) {
    EXPECT_NE(dynamic_cast<ComPortUnitDriver*>(MakeUnitDriver("COM5").get()), nullptr);
    EXPECT_EQ(dynamic_cast<ComPortUnitDriver*>(MakeUnitDriver("").get()), nullptr) << "FTD2XX.DLL";
}

} // namespace
} // namespace vorn
