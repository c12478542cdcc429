#pragma once
// Frames of the binary protocol: 05, command, 16-bit length L, L payload
// bytes, check byte over command..payload. Little-endian throughout.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace krv {

inline constexpr std::uint8_t kFrameStart = 0x05;
inline constexpr std::size_t kFrameOverhead = 5;     // start, command, length (2), check byte
inline constexpr std::size_t kBlockSize = 256;       // data bytes per block request
inline constexpr std::size_t kCommandAnswerSize = 6;
inline constexpr std::size_t kWriteAckSize = 13;
inline constexpr std::size_t kReadRequestSize = 13;
inline constexpr std::size_t kReadAnswerOverhead = 11;
inline constexpr char kBinaryLine[] = "BINARY\r"; // 7 bytes, no answer awaited

enum Command : std::uint8_t {
    CmdWriteArea2 = 1,
    CmdReadArea2 = 2,
    CmdWriteArea3 = 3,
    CmdReadArea3 = 4,
    CmdIdentify = 5,
    CmdWriteArea1 = 6,
    CmdReadArea1 = 7,
    CmdWriteArea4 = 8,
    CmdReadArea4 = 9,
    CmdWriteArea7 = 10,
    CmdReadArea7 = 11,
    CmdRequest12 = 12,
    CmdSetClock = 13,
    CmdRequest14 = 14,
    CmdApplyConfiguration = 15,
    CmdRestart = 16,
    CmdLogin = 17,
    CmdWriteArea5 = 18,
    CmdReadArea5 = 19,
    CmdControl = 20,
    CmdRequest21 = 21,
    CmdWriteArea6 = 22,
    CmdReadArea6 = 23,
};

// Status byte of command answers and block-write acknowledgements.
enum AnswerStatus : std::uint8_t {
    StatusOk = 0,
    StatusFlashError = 1,
    StatusPasswordRequired = 2,
};

// Bitwise NOT of the XOR of the bytes, plus 1 (mod 256).
std::uint8_t CheckByte(std::span<const std::uint8_t> bytes);

// A whole frame with `command` and `payload`, check byte included.
std::vector<std::uint8_t> BuildFrame(std::uint8_t command, std::span<const std::uint8_t> payload);
// Block requests: write carries `data`; read asks for `count` bytes.
std::vector<std::uint8_t> BuildWriteBlock(std::uint8_t command, std::uint32_t address,
                                          std::span<const std::uint8_t> data);
std::vector<std::uint8_t> BuildReadBlock(std::uint8_t command, std::uint32_t address, std::uint16_t count);

// The block commands of memory area 1..7; nullopt for any other area.
std::optional<std::uint8_t> WriteCommandOfArea(int area);
std::optional<std::uint8_t> ReadCommandOfArea(int area);
// The area a block command addresses and whether it writes; nullopt when
// `command` is no block command.
struct BlockCommand {
    int area = 0;
    bool write = false;
};
std::optional<BlockCommand> AreaOfCommand(std::uint8_t command);

// True when the last byte of `frame` is the check byte of bytes 1..size-2.
bool CheckByteMatches(std::span<const std::uint8_t> frame);

} // namespace krv
