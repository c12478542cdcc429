// The simulator's own behaviour: publishing, binary-mode byte, live values,
// areas and hang-up.
#include "Frame.h"
#include "LiveState.h"
#include "PortNames.h"
#include "SimFixture.h"

#include <QFileInfo>

#include <thread>

namespace krv::test {
namespace {

using Sim = SimFixture;

TEST_F(Sim, PublishesItsAliasInThePortList)
{
    bool listed = false;
    for (const PortEntry& p : AvailablePorts())
        listed |= p.alias == "COMSIM" && p.device == QString::fromStdString(sim->DevicePath());
    EXPECT_TRUE(listed);
    EXPECT_EQ(DeviceForPort("COMSIM"), QString::fromStdString(sim->DevicePath()));
    sim->Stop();
    EXPECT_EQ(DeviceForPort("COMSIM"), "");
}

TEST_F(Sim, WorksWithAndWithoutTheBinaryModeByte)
{
    std::vector<std::uint8_t> id(88);
    for (bool byte : {true, false}) {
        sim->SetBinaryAnswerByte(byte);
        const auto before = sim->BytesOut();
        EXPECT_EQ(Run(Identify, id), 0);
        EXPECT_EQ(sim->BytesOut() - before, 93u + (byte ? 1 : 0));
    }
}

TEST_F(Sim, LiveValuesChange)
{
    std::vector<std::uint8_t> a(36), b(36);
    EXPECT_EQ(Run(Request12, a), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    EXPECT_EQ(Run(Request12, b), 0);
    const StatusRecord ra = ParseStatusRecord(std::span<const std::uint8_t, 36>(a.data(), 36));
    const StatusRecord rb = ParseStatusRecord(std::span<const std::uint8_t, 36>(b.data(), 36));
    EXPECT_NE(ControllerClockText(ra), ControllerClockText(rb)); // the clock ticks
    EXPECT_NE(ra.analog, rb.analog);                               // inputs move
    for (const StatusRecord& r : {ra, rb}) {
        EXPECT_GE(r.month, 1);
        EXPECT_LE(r.month, 12);
        for (auto v : r.analog)
            EXPECT_LE(v, 4095);
    }

    // Control commands show in the live state.
    std::vector<std::uint8_t> off = {2, 0, 2}, on = {2, 6, 1};
    EXPECT_EQ(Run(Control, off), 0);
    EXPECT_EQ(Run(Control, on), 0);
    EXPECT_EQ(Run(Request12, a), 0);
    EXPECT_EQ(a[29] & 0x41, 0x40);
    std::vector<std::uint8_t> clock = {99, 12, 31, 23, 59, 58};
    EXPECT_EQ(Run(SetClock, clock), 0);
    EXPECT_EQ(Run(Request12, a), 0);
    EXPECT_EQ(a[0], 99);
    EXPECT_EQ(a[1], 12);
}

TEST_F(Sim, AreasHaveTheirSizesAndRejectOutOfRange)
{
    EXPECT_EQ(sim->Area(1), std::vector<std::uint8_t>(FactoryMainImage().begin(), FactoryMainImage().end()));
    for (int area = 1; area <= 7; ++area) {
        std::vector<std::uint8_t> bytes(sim::AreaSize(area));
        EXPECT_EQ(Run(ReadArea, bytes, area), 0) << area;
        EXPECT_EQ(bytes, sim->Area(area));
        std::vector<std::uint8_t> tooMany(sim::AreaSize(area) + 1);
        sink.Clear();
        EXPECT_EQ(Run(WriteArea, tooMany, area), 1);
        EXPECT_EQ(sink.Last().text, Msg(17)); // the block beyond the end; earlier blocks stay written
    }
}

TEST_F(Sim, PacedAnswersCountEveryByte)
{
    sim->Stop(); // the fixture's is unpaced
    sim::Simulator paced({.alias = "COMSIM", .paced = true});
    ASSERT_TRUE(paced.Start());
    std::vector<std::uint8_t> id(88);
    EXPECT_EQ(RunOperation(sink, Port(), Identify, id), 0);
    EXPECT_EQ(paced.BytesIn(), 7u + 5u);
    EXPECT_EQ(paced.BytesOut(), 1u + 93u);

    // Full 256-byte blocks at line speed: the acknowledgement's timeout
    // (139 ms) is as long as the block takes to send, so it may only start
    // once the block has left the line.
    std::vector<std::uint8_t> blocks(512);
    for (std::size_t i = 0; i < blocks.size(); ++i)
        blocks[i] = std::uint8_t(i * 13);
    EXPECT_EQ(RunOperation(sink, Port(), WriteArea, blocks, 2), 0);
    EXPECT_EQ(sink.Last().text, Msg(5));
    const auto area = paced.Area(2);
    EXPECT_TRUE(std::equal(blocks.begin(), blocks.end(), area.begin()));
}

} // namespace
} // namespace krv::test
