// The exchanges over the real serial layer against the simulator: the failure
// table row by row, the retry rule, block layout.
#include "Frame.h"
#include "SimFixture.h"

#include <QSerialPort>

namespace krv::test {
namespace {

enum class Kind { Query, Command, BlockWrite, BlockRead };

struct Row {
    const char* name;
    sim::Faults faults;
    int query, command, blockWrite, blockRead; // expected message per kind
};

sim::Faults F(void (*set)(sim::Faults&))
{
    sim::Faults f;
    set(f);
    return f;
}

class FailureTable : public SimFixture {
protected:
    // Runs one exchange of `kind` (through its operation) and returns the result.
    int RunKind(Kind kind)
    {
        std::vector<std::uint8_t> buffer;
        switch (kind) {
        case Kind::Query:
            buffer.assign(88, 0xEE);
            return Run(Identify, buffer);
        case Kind::Command:
            buffer.assign(9, 0);
            return Run(Login, buffer);
        case Kind::BlockWrite:
            buffer.assign(24, 0x11);
            return Run(WriteArea, buffer, 5);
        case Kind::BlockRead:
            buffer.assign(24, 0xEE);
            return Run(ReadArea, buffer, 5);
        }
        return -1;
    }
};

TEST_F(FailureTable, EveryRowForEveryExchange)
{
    const Row rows[] = {
        {"silence", F([](sim::Faults& f) { f.silent = true; }), MsgNoAnswer, MsgNoAnswer, MsgNoAnswer,
         MsgTransferCode1},
        {"short", F([](sim::Faults& f) { f.shortBy = 1; }), MsgNoValidAnswer, MsgNoValidAnswer, MsgNoValidAnswer,
         MsgTransferCode1},
        {"bad check", F([](sim::Faults& f) { f.badCheck = true; }), MsgTransferCode2, MsgTransferCode2,
         MsgTransferCode2, MsgTransferCode2},
        {"wrong echo", F([](sim::Faults& f) { f.wrongEcho = true; }), MsgTransferCode3, MsgTransferCode3,
         MsgTransferCode3, MsgTransferCode3},
        {"wrong echo, status 1", F([](sim::Faults& f) { f.wrongEcho = true; f.status = 1; }), MsgTransferCode3,
         MsgFlashError, MsgFlashError, MsgTransferCode3},
        {"status 1", F([](sim::Faults& f) { f.status = 1; }), -1, MsgFlashError, MsgFlashError, -1},
        {"status 2", F([](sim::Faults& f) { f.status = 2; }), -1, MsgPasswordRequired, MsgTransferCode3, -1},
        {"status 7", F([](sim::Faults& f) { f.status = 7; }), -1, MsgTransferCode3, MsgTransferCode3, -1},
    };
    const Kind kinds[] = {Kind::Query, Kind::Command, Kind::BlockWrite, Kind::BlockRead};
    for (const Row& row : rows) {
        for (int k = 0; k < 4; ++k) {
            const int expected = k == 0 ? row.query : k == 1 ? row.command : k == 2 ? row.blockWrite : row.blockRead;
            if (expected < 0)
                continue; // the exchange has no status byte
            sim->SetFaults(row.faults);
            sink.Clear();
            SCOPED_TRACE(std::string(row.name) + ", kind " + std::to_string(k));
            EXPECT_EQ(RunKind(kinds[k]), 1);
            EXPECT_EQ(sink.Last(), (ShownText{Msg(expected), StatusColour::Red, false}));
        }
    }
}

TEST_F(FailureTable, ShortAnswersAreRetriedOtherFaultsAreNot)
{
    sim->SetFaults(F([](sim::Faults& f) { f.shortBy = 2; }));
    std::vector<std::uint8_t> id(88);
    EXPECT_EQ(Run(Identify, id), 1);
    EXPECT_EQ(FramesOf(CmdIdentify), 3);

    sim->ClearReceived();
    sim->SetFaults(F([](sim::Faults& f) { f.badCheck = true; }));
    EXPECT_EQ(Run(Identify, id), 1);
    EXPECT_EQ(FramesOf(CmdIdentify), 1);

    // Success on the third attempt, for a query and for every block of a read.
    sim->ClearReceived();
    sim->SetFaults(F([](sim::Faults& f) { f.successOnThirdAttempt = true; }));
    EXPECT_EQ(Run(Identify, id), 0);
    EXPECT_EQ(FramesOf(CmdIdentify), 3);
    std::vector<std::uint8_t> parameters(kSystemParametersSize);
    EXPECT_EQ(Run(ReadArea, parameters, 5), 0);
    EXPECT_EQ(FramesOf(CmdReadArea5), 3);
    EXPECT_EQ(parameters, sim->Area(5));
}

TEST_F(FailureTable, WrongLengthFieldIsIgnored)
{
    sim->SetFaults(F([](sim::Faults& f) { f.wrongLengthField = true; }));
    std::vector<std::uint8_t> id(88), image(kMainImageSize), payload(9, 0);
    EXPECT_EQ(Run(Identify, id), 0);
    EXPECT_EQ(Run(Login, payload), 0);
    EXPECT_EQ(Run(ReadArea, image, 1), 0);
    EXPECT_EQ(Run(WriteArea, image, 1), 0);
}

TEST_F(FailureTable, QueryCopiesOnlyOnSuccess)
{
    std::vector<std::uint8_t> id(88, 0xEE);
    sim->SetFaults(F([](sim::Faults& f) { f.badCheck = true; }));
    EXPECT_EQ(Run(Identify, id), 1);
    EXPECT_EQ(id, std::vector<std::uint8_t>(88, 0xEE));
    sim->SetFaults({});
    EXPECT_EQ(Run(Identify, id), 0);
    const auto expected = sim::DefaultSimIdentity();
    EXPECT_TRUE(std::equal(id.begin(), id.end(), expected.begin()));
}

TEST_F(FailureTable, BlocksOfAWrite)
{
    std::vector<std::uint8_t> image(kMainImageSize);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = std::uint8_t(i * 7);
    EXPECT_EQ(Run(WriteArea, image, 1), 0);
    std::vector<std::uint32_t> addresses;
    std::vector<std::uint16_t> counts;
    for (const auto& f : sim->Received())
        if (f[1] == CmdWriteArea1) {
            addresses.push_back(f[4] | f[5] << 8 | f[6] << 16 | f[7] << 24);
            counts.push_back(std::uint16_t(f[8] | f[9] << 8));
        }
    ASSERT_EQ(addresses.size(), 21u);
    for (std::size_t i = 0; i < 21; ++i) {
        EXPECT_EQ(addresses[i], 256 * i);
        EXPECT_EQ(counts[i], i < 20 ? 256 : 172);
    }
    EXPECT_EQ(sim->Area(1), image);
    // Progress runs to the size twice: write, then read-back.
    const auto progress = sink.Progress();
    EXPECT_EQ(std::count(progress.begin(), progress.end(), std::pair<int, int>(0, int(kMainImageSize))), 2);
    EXPECT_EQ(progress.back(), (std::pair<int, int>(int(kMainImageSize), int(kMainImageSize))));
}

} // namespace
} // namespace krv::test
