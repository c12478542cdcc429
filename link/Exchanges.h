#pragma once
// The four exchanges of the protocol. They run inside one device operation,
// on its thread, with the port open and binary mode entered.
//
// Each returns 0 on success and 1 on failure. On failure it has shown the
// failure text in red on the sink and sends nothing further; on success it
// leaves the sink's text alone (block transfers move the progress bar).
//
// Every request is tried up to 3 times (purge, write, read the expected
// answer length) until an attempt returns exactly the expected number of
// bytes; only the last attempt's answer is judged: byte count, check byte,
// echoed fields, status byte.
#include "SerialPort.h"
#include "StatusSink.h"

#include <cstdint>
#include <span>

namespace krv {

inline constexpr int kAttempts = 3;

struct ExchangeContext {
    SerialPort& port;
    StatusSink& sink;
    const QStringList& messages; // 20 entries
};

// Command `command` with no payload; copies the N = dest.size() data bytes of
// the answer into dest on success (dest untouched on failure).
int Query(ExchangeContext& ctx, std::uint8_t command, std::span<std::uint8_t> dest);
// Command with `payload`; success needs the echoed start byte and command and
// status 0.
int SendCommand(ExchangeContext& ctx, std::uint8_t command, std::span<const std::uint8_t> payload);
// Writes `source` to `area` from `startOffset` in blocks of at most 256 bytes.
int WriteBlocks(ExchangeContext& ctx, int area, std::uint32_t startOffset, std::span<const std::uint8_t> source);
// Reads dest.size() bytes of `area` from `startOffset`. On failure dest may
// hold the blocks received so far.
int ReadBlocks(ExchangeContext& ctx, int area, std::uint32_t startOffset, std::span<std::uint8_t> dest);

// Reads and drops the one byte the controller may send after "BINARY\r".
// False on a port error.
bool DiscardOneByte(SerialPort& port);

} // namespace krv
