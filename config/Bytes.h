#pragma once
// Little-endian access to byte blocks. Every multi-byte number in the store,
// on the wire and in files is little-endian; nothing here casts packed structs.
#include <cstddef>
#include <cstdint>
#include <span>

namespace krv {

inline std::uint16_t ReadU16(std::span<const std::uint8_t> b, std::size_t at)
{
    return std::uint16_t(b[at] | (b[at + 1] << 8));
}

inline std::uint32_t ReadU32(std::span<const std::uint8_t> b, std::size_t at)
{
    return std::uint32_t(b[at]) | (std::uint32_t(b[at + 1]) << 8) | (std::uint32_t(b[at + 2]) << 16) |
           (std::uint32_t(b[at + 3]) << 24);
}

inline void WriteU16(std::span<std::uint8_t> b, std::size_t at, std::uint16_t v)
{
    b[at] = std::uint8_t(v);
    b[at + 1] = std::uint8_t(v >> 8);
}

inline void WriteU32(std::span<std::uint8_t> b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = std::uint8_t(v >> (8 * i));
}

// Reads `width` (1 to 4) bytes at `at` as one little-endian unsigned value.
inline std::uint32_t ReadLE(std::span<const std::uint8_t> b, std::size_t at, std::size_t width)
{
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < width; ++i)
        v |= std::uint32_t(b[at + i]) << (8 * i);
    return v;
}

inline void WriteLE(std::span<std::uint8_t> b, std::size_t at, std::size_t width, std::uint32_t v)
{
    for (std::size_t i = 0; i < width; ++i)
        b[at + i] = std::uint8_t(v >> (8 * i));
}

} // namespace krv
