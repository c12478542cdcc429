#include "Frame.h"

#include <gtest/gtest.h>

namespace krv {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(Frame, RequestBytes)
{
    EXPECT_EQ(BuildFrame(CmdIdentify, {}), (Bytes{0x05, 0x05, 0x00, 0x00, 0xFB}));
    const std::uint8_t zero[1] = {0};
    EXPECT_EQ(BuildFrame(CmdRestart, zero), (Bytes{0x05, 0x10, 0x01, 0x00, 0x00, 0xEF}));
    EXPECT_EQ(BuildReadBlock(CmdReadArea1, 0, 256),
              (Bytes{0x05, 0x07, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0xF2}));
    const std::uint8_t data[3] = {0xAA, 0xBB, 0xCC};
    const Bytes write = BuildWriteBlock(CmdWriteArea5, 0x01020304, data);
    EXPECT_EQ(write, (Bytes{0x05, 18, 9, 0, 0x04, 0x03, 0x02, 0x01, 3, 0, 0xAA, 0xBB, 0xCC,
                            CheckByte(std::span(write).subspan(1, 12))}));
}

TEST(Frame, CheckByteIsTheNegatedXor)
{
    const struct {
        Bytes bytes;
        std::uint8_t check;
    } table[] = {{{}, 0x00}, {{0x05, 0x00, 0x00}, 0xFB}, {{0x10, 0x01, 0x00, 0x00}, 0xEF},
                 {{0x80}, 0x80}, {{0xFF, 0x0F}, 0x10}, {{0x01, 0x01}, 0x00}};
    for (const auto& row : table)
        EXPECT_EQ(CheckByte(row.bytes), row.check);
    Bytes frame = BuildFrame(CmdLogin, Bytes(9, 'a'));
    EXPECT_TRUE(CheckByteMatches(frame));
    frame[5] ^= 1;
    EXPECT_FALSE(CheckByteMatches(frame));
}

TEST(Frame, AreaCommands)
{
    const struct {
        int area;
        std::uint8_t write, read;
    } table[] = {{1, 6, 7}, {2, 1, 2}, {3, 3, 4}, {4, 8, 9}, {5, 18, 19}, {6, 22, 23}, {7, 10, 11}};
    for (const auto& row : table) {
        EXPECT_EQ(WriteCommandOfArea(row.area), row.write);
        EXPECT_EQ(ReadCommandOfArea(row.area), row.read);
        EXPECT_EQ(AreaOfCommand(row.write)->area, row.area);
        EXPECT_TRUE(AreaOfCommand(row.write)->write);
        EXPECT_FALSE(AreaOfCommand(row.read)->write);
    }
    for (int bad : {0, 8, -1})
        EXPECT_FALSE(WriteCommandOfArea(bad) || ReadCommandOfArea(bad));
    EXPECT_FALSE(AreaOfCommand(CmdIdentify));
}

} // namespace
} // namespace krv
