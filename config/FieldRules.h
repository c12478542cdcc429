#pragma once
// The encoding rules the pages share, as pure functions over store bytes.
// Texts here are code page 1251 bytes (std::string), as the store holds them.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace krv {

enum class Trim { Both, Leading, None };

// Removes spaces and control characters (every byte up to 0x20) from the ends.
std::string TrimText(std::string_view text, Trim trim = Trim::Both);

// Text field of width W (the zero terminator included): the trimmed text, at
// most W - 1 bytes, zero-filled to the end of the field.
void EncodeText(std::span<std::uint8_t> field, std::string_view cp1251, Trim trim = Trim::Both);
// The field's bytes up to the first zero byte.
std::string DecodeText(std::span<const std::uint8_t> field);

// Removes every space from a zero-terminated field in place; later bytes move
// towards the start and the freed end is zero-filled. Touches only the field.
void SqueezeSpaces(std::span<std::uint8_t> field);
// Phone number: a text field followed by the space squeeze.
void EncodePhone(std::span<std::uint8_t> field, std::string_view cp1251);

// A decimal integer as typed: optional sign and digits, nothing else; a value
// outside the 32-bit signed range is not an integer.
std::optional<std::int64_t> ParseInteger(std::string_view text);
// The leading decimal number of a text (digits only, after leading blanks);
// 0 when it starts with no digit.
std::int64_t LeadingNumber(std::string_view text);

// A page's range rule for a typed number stored in a field of `bits` bits.
// Text that is not an integer counts as `nonNumber`; a value above `max`
// stores `max`; with `wrapLow` the value's low bits are stored otherwise,
// without it a value below `min` stores `min`.
struct RangeRule {
    std::int64_t min = 0;
    std::int64_t max = 0;
    std::int64_t nonNumber = 0;
    bool wrapLow = true;
};
std::uint32_t ApplyRange(std::string_view typedText, const RangeRule& rule, int bits);

// A group of `bits` bits at `shift` inside a little-endian value of `width`
// bytes at `offset` (width 1 to 4).
struct BitGroup {
    std::uint16_t offset = 0;
    std::uint8_t width = 1;
    std::uint8_t shift = 0;
    std::uint8_t bits = 8;
    std::uint32_t Mask() const { return bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1u); }
};
std::uint32_t GetBits(std::span<const std::uint8_t> block, const BitGroup& g);
// Replaces the group with `value` cut to the group's width; other bits stay.
void SetBits(std::span<std::uint8_t> block, const BitGroup& g, std::uint32_t value);

// Item index of a drop-down list: -1 (no selection) stores all ones.
inline void EncodeItemIndex(std::span<std::uint8_t> block, const BitGroup& g, int index)
{
    SetBits(block, g, std::uint32_t(index));
}
// The item to select, or -1 when the stored value has no item in a list of `itemCount` items.
inline int DecodeItemIndex(std::span<const std::uint8_t> block, const BitGroup& g, int itemCount)
{
    const std::uint32_t v = GetBits(block, g);
    return v < std::uint32_t(itemCount) ? int(v) : -1;
}

inline void EncodeFlag(std::span<std::uint8_t> block, const BitGroup& g, bool checked, bool inverted = false)
{
    SetBits(block, g, (checked != inverted) ? 1u : 0u);
}
inline bool DecodeFlag(std::span<const std::uint8_t> block, const BitGroup& g, bool inverted = false)
{
    return (GetBits(block, g) != 0) != inverted;
}

} // namespace krv
