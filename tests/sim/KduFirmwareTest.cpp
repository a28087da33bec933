#include "sim/KduFirmware.h"

#include "link/MemoryJob.h"
#include "model/ProgData.h"
#include "support/SimLink.h"

#include <chrono>
#include <string>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using namespace std::chrono_literals;
using test::SimLink;

sim::SimScenario OnePresenceUnit(Millis pressAfter = Millis{-1}) {
    sim::SimScenario scenario;
    sim::PresenceUnit unit;
    unit.RadioCode = "12AB";
    unit.PressAfter = pressAfter;
    for (std::size_t i = 0; i < unit.Image.size(); ++i) {
        unit.Image[i] = static_cast<std::uint8_t>(0xFF - i);
    }
    scenario.PresenceUnits.push_back(unit);
    return scenario;
}

// Polls the status as the info poll timer does, every 500 ms, until it is no longer "in progress".
std::string PollUntilSettled(SimLink& sim, bool write) {
    for (int tick = 0; tick < 200; ++tick) {
        std::string status;
        const int result = write ? sim.link.PollWriteStatus(status) : sim.link.PollReadStatus(status);
        if (result == CommandOk && status != "01") {
            return status;
        }
        sim.clock.Sleep(500ms);
    }
    return "never";
}

TEST(PresenceUnitTest, ReadRadioJobDeliversRecordsOfTheReadEntries) {
    SimLink sim(OnePresenceUnit(2s));
    ASSERT_EQ(sim.link.Open(), 0);
    EXPECT_EQ(sim.link.SetH('1'), 0);
    EXPECT_EQ(sim.link.AddReadEntry(""), 0);
    for (const char* entry : {"0520", "0527", "072E", "067A"}) {
        EXPECT_EQ(sim.link.AddReadEntry(entry), 0) << entry;
    }
    EXPECT_EQ(sim.link.StartRadioJob("12AB"), 0);
    std::string status;
    EXPECT_EQ(sim.link.PollReadStatus(status), 0);
    EXPECT_EQ(status, "01"); // the button has not been pressed yet
    EXPECT_EQ(PollUntilSettled(sim, false), "03");

    ProgData data;
    std::string record;
    int records = 0;
    while (sim.link.GetReadRecord(record) == CommandOk) {
        data.StoreReadRecord(record, ByteState::ToRead);
        ++records;
    }
    EXPECT_EQ(records, 4);
    for (const auto& [first, count] :
         std::vector<std::pair<int, int>>{{0x20, 5}, {0x27, 5}, {0x2E, 7}, {0x7A, 6}}) {
        for (int a = first; a < first + count; ++a) {
            EXPECT_EQ(data.Image[a], 0xFF - a) << a;
        }
    }
    EXPECT_EQ(data.Image[0x25], 0); // not read
}

TEST(PresenceUnitTest, WriteRadioJobChangesTheRadioCode) {
    SimLink sim(OnePresenceUnit());
    ASSERT_EQ(sim.link.Open(), 0);
    EXPECT_EQ(sim.link.AddWriteEntry(""), 0);
    EXPECT_EQ(sim.link.AddWriteEntry("0220BEEF"), 0);
    EXPECT_EQ(sim.link.StartRadioJob("12AB"), 0);
    sim.unit.Firmware().PressButton("12ab");
    EXPECT_EQ(PollUntilSettled(sim, true), "03");
    EXPECT_EQ(sim.Scenario().PresenceUnits[0].RadioCode, "BEEF");
    EXPECT_EQ(sim.Scenario().PresenceUnits[0].Image[0x20], 0xBE);
}

TEST(PresenceUnitTest, RefusalsAndOutcomesOfRadioJobs) {
    SimLink sim(OnePresenceUnit());
    ASSERT_EQ(sim.link.Open(), 0);
    std::string text;
    EXPECT_EQ(sim.link.PollWriteStatus(text), CommandNoData);           // no job yet
    EXPECT_EQ(sim.link.StartRadioJob("12AB"), CommandJobRefused);       // nothing to do
    EXPECT_EQ(sim.link.AddWriteEntry("0320BEEF"), CommandEntryRefused); // count and data disagree
    EXPECT_EQ(sim.link.GetReadRecord(text), CommandNoData);

    // Nobody presses the button: no contact.
    EXPECT_EQ(sim.link.AddReadEntry("0520"), 0);
    EXPECT_EQ(sim.link.StartRadioJob("12AB"), 0);
    EXPECT_EQ(PollUntilSettled(sim, false), "05");

    // The unit answers but fails the job.
    sim.Scenario().PresenceUnits[0].FailsJobs = true;
    EXPECT_EQ(sim.link.StartRadioJob("12AB"), 0);
    sim.unit.Firmware().PressButton("12AB");
    EXPECT_EQ(PollUntilSettled(sim, false), "04");
}

TEST(PresenceUnitTest, DeviceCodeRequestIsAnsweredOnceTheButtonIsPressed) {
    SimLink sim(OnePresenceUnit(1500ms));
    sim.Scenario().PresenceUnits[0].TypeCode = "14";
    ASSERT_EQ(sim.link.Open(), 0);
    EXPECT_EQ(sim.link.RequestDeviceCode("FFFF", "2E2F"), 0);
    std::string reply;
    EXPECT_EQ(sim.link.PollDeviceCode(reply), 0);
    EXPECT_EQ(reply, "01");
    sim.clock.Sleep(1500ms);
    EXPECT_EQ(sim.link.PollDeviceCode(reply), 0);
    ASSERT_EQ(reply.size(), 12u);
    EXPECT_EQ(reply.substr(0, 4), "12AB");
    EXPECT_EQ(reply.substr(6, 2), "14");
    EXPECT_EQ(sim.link.PollDeviceCode(reply), 0);
    EXPECT_EQ(reply, "04"); // the request has been answered
}

TEST(CaptureTest, TransmitterCodeIsCapturedOnlyWhileListening) {
    sim::SimScenario scenario;
    scenario.Transmitters.push_back({"4d2e", 600ms});
    SimLink sim(scenario);
    ASSERT_EQ(sim.link.Open(), 0);
    std::string code;
    EXPECT_EQ(sim.link.ListenOn(), 0);
    EXPECT_EQ(sim.link.GetCapturedCode(code), 0);
    EXPECT_EQ(code, "0000");
    sim.clock.Sleep(600ms);
    EXPECT_EQ(sim.link.GetCapturedCode(code), 0);
    EXPECT_EQ(code, "4D2E");
    EXPECT_EQ(sim.link.GetCapturedCode(code), 0);
    EXPECT_EQ(code, "0000"); // reported once
    EXPECT_EQ(sim.link.ListenOff(), 0);
    sim.unit.Firmware().ActivateTransmitter("1111");
    EXPECT_EQ(sim.link.GetCapturedCode(code), 0);
    EXPECT_EQ(code, "0000");
}

TEST(FirmwareTest, BadFramesAndUnknownCommandsAreRefused) {
    SimLink sim;
    ASSERT_EQ(sim.link.Open(), 0);
    std::string reply;
    EXPECT_EQ(sim.link.Transact("Z", reply, 250ms, 1), 1);
    EXPECT_EQ(reply, "\x15");
    std::uint32_t written = 0;
    const std::string broken = "\x02v00\x03";
    sim.unit.Write(reinterpret_cast<const std::uint8_t*>(broken.data()), 6, written);
    EXPECT_EQ(sim.link.ReceiveReply(reply, 250ms, 1), 1);
    EXPECT_EQ(reply, "\x15");
    EXPECT_EQ(sim.unit.Firmware().BadFrames(), 1);
    EXPECT_EQ(sim.unit.Firmware().ReceivedPayloads(), std::vector<std::string>{"Z"});
}

TEST(FirmwareTest, UnplugInTheMiddleOfAReply) {
    SimLink sim;
    sim::FaultRule unplug{"v", sim::FaultKind::Unplug};
    unplug.position = 6;
    unplug.gap = 10ms;
    sim.AddFault(unplug);
    ASSERT_EQ(sim.link.Open(), 0);
    std::string version;
    const Millis start = sim.clock.Now();
    EXPECT_EQ(sim.link.GetVersion(version), CommandFailed);
    // Six bytes came, then nothing more: the collection ended after the following wait.
    EXPECT_EQ(sim.clock.Now() - start, sim.Scenario().ReplyDelay + 200ms);
    EXPECT_TRUE(sim.unit.Firmware().Unplugged());
    sim.link.Close();
    EXPECT_EQ(sim.link.Open(), 1);
    sim.link.Close();
}

TEST(FirmwareTest, FaultsApplyAfterSkipAndForTheirCount) {
    SimLink sim;
    sim::FaultRule rule = test::RawReply("\x15", "v", 2);
    rule.skip = 1;
    sim.AddFault(rule);
    ASSERT_EQ(sim.link.Open(), 0);
    std::vector<int> results;
    for (int i = 0; i < 4; ++i) {
        std::string version;
        results.push_back(sim.link.GetVersion(version));
    }
    EXPECT_EQ(results, (std::vector<int>{0, 2, 2, 0}));
}

// A device that acknowledges a write but loses one byte of it: only a read-back shows it.
TEST(FirmwareTest, ADroppedByteIsAcknowledgedButNotStored) {
    sim::SimScenario scenario;
    scenario.PendingPolls = 0;
    sim::MemoryDevice device;
    device.SerialNumber = 42;
    device.Image.fill(0x11);
    scenario.Devices.push_back(device);
    SimLink sim(scenario);
    sim::FaultRule drop{"Q", sim::FaultKind::DropByte};
    drop.position = 61;
    drop.skip = 1; // the first write of 61 is stored, the second is lost
    sim.AddFault(drop);
    MemoryJob job;
    job.Band = 1;
    job.ProductTypeNumber = 0x23;
    job.SerialNumber = 42;
    job.Direction = JobWrite;
    job.Address = 60;
    job.Length = 4;
    for (const std::uint8_t value : {0x22, 0x33}) {
        job.Data.fill(value);
        ASSERT_EQ(RunMemoryJob(sim.link, job), JobDone);
    }
    const auto& image = sim.Scenario().Devices[0].Image;
    EXPECT_EQ((std::vector<int>(image.begin() + 59, image.begin() + 65)),
              (std::vector<int>{0x11, 0x33, 0x22, 0x33, 0x33, 0x11}));
    // Jobs that do not cover the address, reads and replies of other commands are untouched.
    job.Address = 100;
    job.Length = 2;
    ASSERT_EQ(RunMemoryJob(sim.link, job), JobDone);
    EXPECT_EQ(image[100], 0x33);
}

} // namespace
} // namespace vorn
