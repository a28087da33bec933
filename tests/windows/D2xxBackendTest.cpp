#include "link/D2xxUnitDriver.h"
#include "link/KduLink.h"
#include "link/MemoryJob.h"
#include "platform/Clock.h"
#include "platform/TraceSink.h"
#include "sim/DemoUnit.h"
#include "support/Paths.h"

#include <gtest/gtest.h>

// The D2XX backend against FTD2XX.DLL's stand-in (the demo unit, in real time): the library is loaded,
// its functions are taken by ordinal, and the link's commands and a memory job go through them.
namespace vorn {
namespace {

struct D2xxLink {
    D2xxUnitDriver driver{VORN_D2XX_SIMULATOR};
    RealClock clock;
    TraceSink trace;
    KduLink link{driver, clock, trace};
};

TEST(D2xxBackend, CommandsAndAMemoryJobGoThroughTheLibrary) {
    D2xxLink d2xx;
    ASSERT_EQ(d2xx.link.Open(), 0) << d2xx.driver.LastOpenError();
    std::string version;
    EXPECT_EQ(d2xx.link.GetVersion(version), 0);
    EXPECT_EQ(version, "17-1.05 KDU");
    d2xx.link.Close();

    // The demo TARV's radio ID code and the first bytes of its configuration, read over the air.
    MemoryJob job;
    job.Band = sim::DemoDevices::Band;
    job.ProductTypeNumber = sim::DemoDevices::FamilyAType;
    job.SerialNumber = sim::DemoDevices::FamilyASerial;
    job.Direction = JobRead;
    job.Address = 32;
    job.Length = 16;
    ASSERT_EQ(RunMemoryJob(d2xx.link, job), JobDone);
    const sim::Memory expected = sim::DemoScenario(test::DataFolder()).Devices.front().Image;
    EXPECT_TRUE(std::equal(job.Data.begin(), job.Data.begin() + 16, expected.begin() + 32));
    EXPECT_EQ(job.Data[0], 0x12);
    EXPECT_EQ(job.Data[1], 0x34);
}

TEST(D2xxBackend, OnlyTheUnitsDescriptionOpensIt) {
    D2xxUnitDriver driver(VORN_D2XX_SIMULATOR);
    EXPECT_EQ(driver.OpenByDescription("Another USB Serial Port", UnitDriver::OpenByDescriptionFlag),
              DriverNotFound);
    EXPECT_NE(driver.LastOpenError().find("No interface unit"), std::string::npos) << driver.LastOpenError();
    std::uint32_t waiting = 0;
    EXPECT_EQ(driver.GetQueueStatus(waiting), DriverInvalidHandle) << "nothing is open";
}

TEST(D2xxBackend, MissingLibraryNamesTheDriverToInstall) {
    D2xxUnitDriver driver(test::Native(test::SourceFolder() + "no-such-folder/FTD2XX.DLL"));
    EXPECT_EQ(driver.OpenByDescription(KduLink::UnitDescription, UnitDriver::OpenByDescriptionFlag),
              DriverNotFound);
    EXPECT_NE(driver.LastOpenError().find("not installed"), std::string::npos) << driver.LastOpenError();
    EXPECT_NE(driver.LastOpenError().find("FTDI D2XX driver"), std::string::npos) << driver.LastOpenError();
}

} // namespace
} // namespace vorn
