// The simulated unit is as strict as the real one: the flows are tested only against it, so what the
// unit would refuse or do differently it refuses and does differently here.
#include "link/MemoryJob.h"
#include "model/BandSetting.h"
#include "sim/KduFirmware.h"
#include "support/CaseName.h"
#include "support/SimLink.h"

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using namespace std::chrono_literals;
using test::SimLink;

constexpr std::uint32_t SerialA = 1001;
constexpr std::uint32_t SerialC = 3001;

sim::SimScenario Devices() {
    sim::SimScenario scenario;
    sim::MemoryDevice a;
    a.ProductType = 0x23;
    a.SerialNumber = SerialA;
    a.Band = 1;
    a.Image[55] = 1;
    scenario.Devices.push_back(a);
    sim::MemoryDevice c;
    c.ProductType = 0x4B;
    c.SerialNumber = SerialC;
    c.Band = 1;
    StoreBandSetting(0x4B, 1, c.Image);
    scenario.Devices.push_back(c);
    sim::PresenceUnit unit;
    unit.RadioCode = "12AB";
    scenario.PresenceUnits.push_back(unit);
    return scenario;
}

MemoryJob Job(std::uint32_t serial, std::uint8_t type, std::uint8_t direction, std::uint32_t address,
              std::uint8_t length) {
    MemoryJob job;
    job.Band = 1;
    job.ProductTypeNumber = type;
    job.SerialNumber = serial;
    job.Direction = direction;
    job.Address = address;
    job.Length = length;
    return job;
}

TEST(StrictUnitTest, RecordsEachOpensCommandsInOrder) {
    SimLink sim(Devices());
    MemoryJob job = Job(SerialA, 0x23, JobRead, 32, 4);
    ASSERT_EQ(RunMemoryJob(sim.link, job), JobDone);
    ASSERT_EQ(RunMemoryJob(sim.link, job), JobDone);
    const auto& opens = sim.unit.Firmware().Opens();
    ASSERT_EQ(opens.size(), 2u);
    for (const auto& open : opens) {
        EXPECT_TRUE(open.pulsed);
        ASSERT_GE(open.commands.size(), 6u);
        EXPECT_EQ(open.commands[0], sim::KduFirmware::PulseMark);
        EXPECT_EQ(open.commands[1], "v");
        EXPECT_EQ(open.commands[2], "h1");
        EXPECT_EQ(open.commands[3], "q01040006");
        EXPECT_TRUE(open.commands[4].starts_with("Q") && open.commands[4].size() == 19) << open.commands[4];
        EXPECT_EQ(open.commands.back(), "Q");
    }
    EXPECT_EQ(sim.unit.Firmware().SequenceCounters(), (std::vector<std::uint8_t>{1, 2}));
}

TEST(StrictUnitTest, AJobRequestNeedsSetHAndTheRadioParametersSinceThePulse) {
    SimLink sim(Devices());
    ASSERT_EQ(sim.link.Open(), 0);
    sim.link.PulseLine();
    EXPECT_EQ(sim.link.SendJobRequest("01230003E900002004"), CommandFailed);
    EXPECT_EQ(sim.link.SetH('1'), CommandOk);
    EXPECT_EQ(sim.link.SendJobRequest("01230003E900002004"), CommandFailed);
    EXPECT_EQ(sim.link.SetRadioParameters(1, 4, 0, 6), CommandOk);
    EXPECT_EQ(sim.link.SendJobRequest("01230003E900002004"), CommandOk);
    sim.link.PulseLine(); // the pulse restarts the unit
    EXPECT_EQ(sim.link.SendJobRequest("02230003E900002004"), CommandFailed);
    EXPECT_EQ(sim.unit.Firmware().UnpreparedRequests(), 3);
    sim.link.Close();
}

TEST(StrictUnitTest, ARepeatedSequenceCounterIsARetransmissionTheDeviceIgnores) {
    SimLink sim(Devices());
    MemoryJob job = Job(SerialA, 0x23, JobWrite, 40, 1);
    job.Data[0] = 0x77;
    ASSERT_EQ(RunMemoryJob(sim.link, job), JobDone);
    EXPECT_EQ(sim.Scenario().Devices[0].Image[40], 0x77);
    // A counter that fails to run on: the unit sees the previous request again.
    --job.SequenceCounter;
    job.Data[0] = 0x55;
    EXPECT_EQ(RunMemoryJob(sim.link, job), JobNoReply);
    EXPECT_EQ(sim.Scenario().Devices[0].Image[40], 0x77);
    EXPECT_EQ(sim.unit.Firmware().RepeatedCounters(), 1);
    // The counter wraps from 255 to 0 without complaint.
    job.SequenceCounter = 254;
    EXPECT_EQ(RunMemoryJob(sim.link, job), JobDone);
    EXPECT_EQ(RunMemoryJob(sim.link, job), JobDone);
    EXPECT_EQ(sim.unit.Firmware().SequenceCounters(), (std::vector<std::uint8_t>{1, 1, 255, 0}));
}

TEST(StrictUnitTest, FamilyCBandFollowsItsReceiveFrequencyNotAddress55) {
    SimLink sim(Devices());
    sim::MemoryDevice& device = sim.Scenario().Devices[1];
    // Address 55 of a positioning unit is an ordinary setting: kept, and the band stays.
    MemoryJob job = Job(SerialC, 0x4B, JobWrite, 48, 21);
    job.Data[55 - 48] = 3;
    ASSERT_EQ(RunMemoryJob(sim.link, job), JobDone);
    EXPECT_EQ(device.Image[55], 3);
    EXPECT_EQ(device.Band, 1);
    // The receive carrier frequencies of band 3 move it.
    sim::Memory band3{};
    StoreBandSetting(0x4B, 3, band3);
    job = Job(SerialC, 0x4B, JobWrite, 0, 21);
    job.SequenceCounter = 1;
    std::copy(band3.begin(), band3.begin() + 21, job.Data.begin());
    ASSERT_EQ(RunMemoryJob(sim.link, job), JobDone);
    EXPECT_EQ(device.Band, 3);
    MemoryJob read = Job(SerialC, 0x4B, JobRead, 0, 8);
    read.SequenceCounter = 2;
    EXPECT_EQ(RunMemoryJob(sim.link, read), JobNoReply);
    read.Band = 3;
    EXPECT_EQ(RunMemoryJob(sim.link, read), JobDone);
}

TEST(StrictUnitTest, FamilyABandFollowsAddress55OnlyWhenTheWriteCoversIt) {
    SimLink sim(Devices());
    sim::MemoryDevice& device = sim.Scenario().Devices[0];
    MemoryJob job = Job(SerialA, 0x23, JobWrite, 48, 7); // 48-54
    ASSERT_EQ(RunMemoryJob(sim.link, job), JobDone);
    EXPECT_EQ(device.Band, 1);
    job = Job(SerialA, 0x23, JobWrite, 48, 8); // 48-55
    job.SequenceCounter = 1;
    job.Data[7] = 6;
    ASSERT_EQ(RunMemoryJob(sim.link, job), JobDone);
    EXPECT_EQ(device.Band, 6);
}

TEST(StrictUnitTest, WriteAndReadStatusAreReportedSeparately) {
    SimLink sim(Devices());
    ASSERT_EQ(sim.link.Open(), 0);
    ASSERT_EQ(sim.link.AddWriteEntry("0220BEEF"), CommandOk);
    ASSERT_EQ(sim.link.StartRadioJob("12AB"), CommandOk);
    std::string write, read;
    EXPECT_EQ(sim.link.PollWriteStatus(write), CommandOk);
    EXPECT_EQ(sim.link.PollReadStatus(read), CommandOk);
    EXPECT_EQ(write, "01");
    EXPECT_EQ(read, "00"); // a job without reads never reports them done
    sim.unit.Firmware().PressButton("12AB");
    sim.clock.Sleep(1s);
    EXPECT_EQ(sim.link.PollWriteStatus(write), CommandOk);
    EXPECT_EQ(sim.link.PollReadStatus(read), CommandOk);
    EXPECT_EQ(write, "03");
    EXPECT_EQ(read, "00");

    ASSERT_EQ(sim.link.AddWriteEntry(""), CommandOk);
    ASSERT_EQ(sim.link.AddReadEntry("0520"), CommandOk);
    ASSERT_EQ(sim.link.StartRadioJob("BEEF"), CommandOk);
    sim.unit.Firmware().PressButton("BEEF");
    sim.clock.Sleep(1s);
    EXPECT_EQ(sim.link.PollWriteStatus(write), CommandOk);
    EXPECT_EQ(sim.link.PollReadStatus(read), CommandOk);
    EXPECT_EQ(write, "00");
    EXPECT_EQ(read, "03");
    sim.link.Close();
}

// Arguments the unit refuses: lower-case digits, wrong lengths, wrong order, too many entries.
struct RefusalCase {
    const char* name;
    std::function<int(KduLink&)> send;
    int result;
    friend void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }
};

class UnitRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(UnitRefusalTest, Refuses) {
    sim::SimScenario scenario = Devices();
    scenario.MaxEntries = 2;
    SimLink sim(scenario);
    ASSERT_EQ(sim.link.Open(), 0);
    sim.link.PulseLine();
    ASSERT_EQ(sim.link.SetH('1'), CommandOk);
    EXPECT_EQ(GetParam().send(sim.link), GetParam().result);
    sim.link.Close();
}

// Sends a raw payload: 0 when the unit acknowledged it, 2 otherwise.
int Acknowledged(KduLink& link, const std::string& payload) {
    std::string reply;
    return link.Transact(payload, reply, 250ms, 1) == 1 && reply == "\x06" ? CommandOk : CommandFailed;
}

int Entries(KduLink& link, std::initializer_list<const char*> entries, bool write) {
    int result = CommandOk;
    for (const char* entry : entries) {
        result = write ? link.AddWriteEntry(entry) : link.AddReadEntry(entry);
    }
    return result;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, UnitRefusalTest,
    ::testing::Values(
        RefusalCase{"RadioParametersLowerCase", [](KduLink& l) { return Acknowledged(l, "q0a040006"); },
                    CommandFailed},
        RefusalCase{"RadioParametersUpperCase", [](KduLink& l) { return Acknowledged(l, "q0A040006"); },
                    CommandOk},
        RefusalCase{"RadioParametersInAnotherOrder",
                    [](KduLink& l) { return l.SetRadioParameters(4, 0, 6, 1); }, CommandFailed},
        RefusalCase{"JobRequestLowerCase",
                    [](KduLink& l) {
                        l.SetRadioParameters(1, 4, 0, 6);
                        return l.SendJobRequest("01230003e900002004");
                    },
                    CommandFailed},
        RefusalCase{"JobRequestShort",
                    [](KduLink& l) {
                        l.SetRadioParameters(1, 4, 0, 6);
                        return l.SendJobRequest("01230003E9000020");
                    },
                    CommandFailed},
        RefusalCase{"JobRequestWriteWithoutItsData",
                    [](KduLink& l) {
                        l.SetRadioParameters(1, 4, 0, 6);
                        return l.SendJobRequest("01230003E901002002AA");
                    },
                    CommandFailed},
        RefusalCase{"JobRequestBeyondTheMemory",
                    [](KduLink& l) {
                        l.SetRadioParameters(1, 4, 0, 6);
                        return l.SendJobRequest("01230003E90000F020");
                    },
                    CommandFailed},
        RefusalCase{"DeviceCodeRequestInAnotherOrder",
                    [](KduLink& l) { return l.RequestDeviceCode("2E2F", "FFFF"); }, CommandFailed},
        RefusalCase{"DeviceCodeRequestLowerCase",
                    [](KduLink& l) { return l.RequestDeviceCode("ffff", "2e2f"); }, CommandFailed},
        RefusalCase{"RadioJobLowerCaseCode",
                    [](KduLink& l) {
                        l.AddReadEntry("0520");
                        return l.StartRadioJob("12ab");
                    },
                    CommandFailed},
        RefusalCase{"WriteEntryLowerCase", [](KduLink& l) { return l.AddWriteEntry("0220beef"); },
                    CommandEntryRefused},
        RefusalCase{"WriteEntryBeyondTheMemory", [](KduLink& l) { return l.AddWriteEntry("02FFBEEF"); },
                    CommandEntryRefused},
        RefusalCase{"WriteEntriesAboveTheLimit",
                    [](KduLink& l) {
                        return Entries(l, {"0120AA", "0121BB", "0122CC"}, true);
                    },
                    CommandEntryRefused},
        RefusalCase{"ReadEntryLowerCase", [](KduLink& l) { return l.AddReadEntry("072e"); }, CommandFailed},
        RefusalCase{"ReadEntryOfNothing", [](KduLink& l) { return l.AddReadEntry("0020"); }, CommandFailed},
        RefusalCase{"ReadEntriesAboveTheLimit",
                    [](KduLink& l) {
                        return Entries(l, {"0520", "0527", "072E"}, false);
                    },
                    CommandFailed},
        RefusalCase{"ReadEntriesUpToTheLimit",
                    [](KduLink& l) {
                        return Entries(l, {"0520", "0527"}, false);
                    },
                    CommandOk}),
    test::CaseName{});

} // namespace
} // namespace vorn
