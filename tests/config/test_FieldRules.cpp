#include "FieldRules.h"

#include <gtest/gtest.h>

#include <array>

using namespace krv;

namespace {
std::string Field(std::span<const std::uint8_t> f) { return std::string(f.begin(), f.end()); }
} // namespace

TEST(FieldRules, TextKeepsAtMostWidthMinusOneCharacters)
{
    const struct {
        const char* typed;
        Trim trim;
        std::string stored; // all 9 bytes
    } cases[] = {
        {"abcdefgh", Trim::Both, std::string("abcdefgh\0", 9)},
        {"abcdefghi", Trim::Both, std::string("abcdefgh\0", 9)},
        {"abcdefghijklm", Trim::Both, std::string("abcdefgh\0", 9)},
        {"  ab \t", Trim::Both, std::string("ab\0\0\0\0\0\0\0", 9)},
        {"  ab  ", Trim::Leading, std::string("ab  \0\0\0\0\0", 9)},
        {" ab ", Trim::None, std::string(" ab \0\0\0\0\0", 9)},
        {"", Trim::Both, std::string(9, '\0')},
    };
    for (const auto& c : cases) {
        std::array<std::uint8_t, 11> block;
        block.fill(0xEE);
        EncodeText(std::span(block).subspan(1, 9), c.typed, c.trim);
        EXPECT_EQ(Field(std::span(block).subspan(1, 9)), c.stored) << c.typed;
        EXPECT_EQ(block[0], 0xEE);
        EXPECT_EQ(block[10], 0xEE) << "bytes after the field stay";
    }
    std::array<std::uint8_t, 9> word{};
    EncodeText(word, "  \xC1\xE0\xEB\xE0\xED\xF1 ", Trim::Leading); // "Баланс " in code page 1251
    EXPECT_EQ(Field(word), std::string("\xC1\xE0\xEB\xE0\xED\xF1 \0\0", 9));
    EXPECT_EQ(DecodeText(word), "\xC1\xE0\xEB\xE0\xED\xF1 ");

    const std::uint8_t full[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(DecodeText(full), "abcd") << "a field without a zero decodes whole";
}

TEST(FieldRules, PhoneIsSqueezedInsideItsField)
{
    std::array<std::uint8_t, 18> block;
    block.fill(0xEE);
    EncodePhone(std::span(block).subspan(1, 16), " +7 912 345 ");
    EXPECT_EQ(Field(std::span(block).subspan(1, 16)), std::string("+7912345\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(block[0], 0xEE);
    EXPECT_EQ(block[17], 0xEE);

    std::array<std::uint8_t, 16> spaces;
    spaces.fill(' ');
    SqueezeSpaces(spaces);
    EXPECT_EQ(Field(spaces), std::string(16, '\0'));

    std::array<std::uint8_t, 16> tail;
    tail.fill('9');
    tail[15] = ' ';
    tail[0] = ' ';
    SqueezeSpaces(tail);
    EXPECT_EQ(Field(tail), std::string(14, '9') + std::string(2, '\0'));
}

TEST(FieldRules, RangeRules)
{
    const RangeRule balance{.min = 0, .max = 65535, .nonNumber = 0, .wrapLow = true};
    const RangeRule period{.min = 0, .max = 255, .nonNumber = 0, .wrapLow = true};
    const RangeRule modbus{.min = 1, .max = 247, .nonNumber = 0, .wrapLow = false};
    const struct {
        const RangeRule* rule;
        int bits;
        const char* typed;
        std::uint32_t stored;
    } cases[] = {
        {&balance, 16, "65535", 65535}, {&balance, 16, "70000", 65535}, {&balance, 16, "-1", 65535},
        {&balance, 16, "abc", 0},       {&balance, 16, " 12 ", 12},     {&balance, 16, "", 0},
        {&balance, 16, "99999999999", 0}, // not a 32-bit integer
        {&period, 8, "300", 255},       {&period, 8, "-2", 254},        {&period, 8, "7", 7},
        {&modbus, 8, "0", 1},           {&modbus, 8, "250", 247},       {&modbus, 8, "x", 1},
        {&modbus, 8, "-5", 1},          {&modbus, 8, "247", 247},       {&modbus, 8, "+9", 9},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ApplyRange(c.typed, *c.rule, c.bits), c.stored) << c.typed;
}

TEST(FieldRules, BitGroupsKeepTheirNeighbours)
{
    std::array<std::uint8_t, 4> block{0xFF, 0x00, 0xA5, 0x00};
    const BitGroup mid{.offset = 0, .width = 1, .shift = 2, .bits = 4};
    EncodeItemIndex(block, mid, 5);
    EXPECT_EQ(block[0], 0b11010111);
    EXPECT_EQ(DecodeItemIndex(block, mid, 16), 5);
    EXPECT_EQ(DecodeItemIndex(block, mid, 5), -1) << "no item for the stored value";

    EncodeItemIndex(block, mid, -1);
    EXPECT_EQ(block[0], 0xFF) << "no selection stores all ones";

    const BitGroup word{.offset = 1, .width = 2, .shift = 7, .bits = 2};
    SetBits(block, word, 3);
    EXPECT_EQ(block[1], 0x80);
    EXPECT_EQ(block[2], 0xA5);
    EXPECT_EQ(GetBits(block, word), 3u);

    const BitGroup flag{.offset = 3, .width = 1, .shift = 6, .bits = 1};
    EncodeFlag(block, flag, true, /*inverted*/ true);
    EXPECT_EQ(block[3], 0);
    EncodeFlag(block, flag, false, true);
    EXPECT_EQ(block[3], 0x40);
    EXPECT_FALSE(DecodeFlag(block, flag, true));
}

TEST(FieldRules, Numbers)
{
    EXPECT_EQ(ParseInteger("12"), 12);
    EXPECT_EQ(ParseInteger("-2147483648"), -2147483648LL);
    EXPECT_EQ(ParseInteger("2147483648"), std::nullopt);
    EXPECT_EQ(ParseInteger("1 2"), std::nullopt);
    EXPECT_EQ(ParseInteger("-"), std::nullopt);
    EXPECT_EQ(LeadingNumber("  25:70"), 25);
    EXPECT_EQ(LeadingNumber("x5"), 0);
}
