#include "FieldRules.h"

#include "Bytes.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace krv {

std::string TrimText(std::string_view text, Trim trim)
{
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    std::size_t begin = 0, end = text.size();
    if (trim != Trim::None)
        while (begin < end && blank(text[begin]))
            ++begin;
    if (trim == Trim::Both)
        while (end > begin && blank(text[end - 1]))
            --end;
    return std::string(text.substr(begin, end - begin));
}

void EncodeText(std::span<std::uint8_t> field, std::string_view cp1251, Trim trim)
{
    if (field.empty())
        return;
    const std::string text = TrimText(cp1251, trim);
    std::fill(field.begin(), field.end(), 0);
    const std::size_t n = std::min(text.size(), field.size());
    std::memcpy(field.data(), text.data(), n);
    field[field.size() - 1] = 0;
}

std::string DecodeText(std::span<const std::uint8_t> field)
{
    std::size_t n = 0;
    while (n < field.size() && field[n] != 0)
        ++n;
    return std::string(reinterpret_cast<const char*>(field.data()), n);
}

void SqueezeSpaces(std::span<std::uint8_t> field)
{
    std::size_t i = 0;
    while (i < field.size()) {
        if (field[i] != ' ') {
            ++i;
            continue;
        }
        std::memmove(field.data() + i, field.data() + i + 1, field.size() - i - 1);
        field[field.size() - 1] = 0; // each pass removes a space, so the walk ends
    }
}

void EncodePhone(std::span<std::uint8_t> field, std::string_view cp1251)
{
    EncodeText(field, cp1251, Trim::Both);
    SqueezeSpaces(field);
}

std::optional<std::int64_t> ParseInteger(std::string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<std::int32_t>::max() || value < std::numeric_limits<std::int32_t>::min())
        return std::nullopt;
    return value;
}

std::int64_t LeadingNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= 0x20)
        ++i;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<std::int64_t>(value * 10 + (text[i] - '0'), std::numeric_limits<std::int32_t>::max());
    return value;
}

std::uint32_t ApplyRange(std::string_view typedText, const RangeRule& rule, int bits)
{
    const std::int64_t value = ParseInteger(TrimText(typedText, Trim::Both)).value_or(rule.nonNumber);
    const std::uint32_t mask = bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1u);
    if (value > rule.max)
        return std::uint32_t(rule.max) & mask;
    if (!rule.wrapLow && value < rule.min)
        return std::uint32_t(rule.min) & mask;
    return std::uint32_t(value) & mask;
}

std::uint32_t GetBits(std::span<const std::uint8_t> block, const BitGroup& g)
{
    return (ReadLE(block, g.offset, g.width) >> g.shift) & g.Mask();
}

void SetBits(std::span<std::uint8_t> block, const BitGroup& g, std::uint32_t value)
{
    const std::uint32_t mask = g.Mask() << g.shift;
    const std::uint32_t old = ReadLE(block, g.offset, g.width);
    WriteLE(block, g.offset, g.width, (old & ~mask) | ((value << g.shift) & mask));
}

} // namespace krv
