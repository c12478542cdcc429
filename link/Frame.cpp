#include "Frame.h"

#include "Bytes.h"

namespace krv {
namespace {

struct AreaCommands {
    std::uint8_t write;
    std::uint8_t read;
};
constexpr AreaCommands kAreas[7] = {
    {CmdWriteArea1, CmdReadArea1}, {CmdWriteArea2, CmdReadArea2}, {CmdWriteArea3, CmdReadArea3},
    {CmdWriteArea4, CmdReadArea4}, {CmdWriteArea5, CmdReadArea5}, {CmdWriteArea6, CmdReadArea6},
    {CmdWriteArea7, CmdReadArea7},
};

} // namespace

std::uint8_t CheckByte(std::span<const std::uint8_t> bytes)
{
    std::uint8_t x = 0;
    for (std::uint8_t b : bytes)
        x ^= b;
    return std::uint8_t(~x + 1);
}

std::vector<std::uint8_t> BuildFrame(std::uint8_t command, std::span<const std::uint8_t> payload)
{
    std::vector<std::uint8_t> f(payload.size() + kFrameOverhead);
    f[0] = kFrameStart;
    f[1] = command;
    WriteU16(f, 2, std::uint16_t(payload.size()));
    std::copy(payload.begin(), payload.end(), f.begin() + 4);
    f.back() = CheckByte(std::span(f).subspan(1, f.size() - 2));
    return f;
}

std::vector<std::uint8_t> BuildWriteBlock(std::uint8_t command, std::uint32_t address,
                                          std::span<const std::uint8_t> data)
{
    std::vector<std::uint8_t> payload(6 + data.size());
    WriteU32(payload, 0, address);
    WriteU16(payload, 4, std::uint16_t(data.size()));
    std::copy(data.begin(), data.end(), payload.begin() + 6);
    return BuildFrame(command, payload);
}

std::vector<std::uint8_t> BuildReadBlock(std::uint8_t command, std::uint32_t address, std::uint16_t count)
{
    std::uint8_t payload[8] = {};
    WriteU32(payload, 0, address);
    WriteU16(payload, 4, count);
    return BuildFrame(command, payload); // bytes 6 and 7 stay 0x00
}

std::optional<std::uint8_t> WriteCommandOfArea(int area)
{
    if (area < 1 || area > 7)
        return std::nullopt;
    return kAreas[area - 1].write;
}

std::optional<std::uint8_t> ReadCommandOfArea(int area)
{
    if (area < 1 || area > 7)
        return std::nullopt;
    return kAreas[area - 1].read;
}

std::optional<BlockCommand> AreaOfCommand(std::uint8_t command)
{
    for (int i = 0; i < 7; ++i) {
        if (kAreas[i].write == command)
            return BlockCommand{i + 1, true};
        if (kAreas[i].read == command)
            return BlockCommand{i + 1, false};
    }
    return std::nullopt;
}

bool CheckByteMatches(std::span<const std::uint8_t> frame)
{
    if (frame.size() < 2)
        return false;
    return CheckByte(frame.subspan(1, frame.size() - 2)) == frame.back();
}

} // namespace krv
