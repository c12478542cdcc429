#include "Cp1251.h"

#include <gtest/gtest.h>

using namespace krv;

TEST(Cp1251, LettersAndSigns)
{
    const struct {
        const char* utf8;
        std::string cp1251;
    } cases[] = {
        {"АБВ", "\xC0\xC1\xC2"},  {"яЯ", "\xFF\xDF"},       {"Ёё", "\xA8\xB8"},
        {"№", "\xB9"},            {"°", "\xB0"},            {"ВХОД1", "\xC2\xD5\xCE\xC4" "1"},
        {"lynx 5870", "lynx 5870"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp1251FromUtf8(c.utf8), c.cp1251) << c.utf8;
        EXPECT_EQ(Utf8FromCp1251(c.cp1251), c.utf8) << c.utf8;
    }
}

TEST(Cp1251, EveryByteRoundTrips)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != 0x98) // the one byte the code page leaves undefined
            all += char(b);
    EXPECT_EQ(Cp1251FromUtf8(Utf8FromCp1251(all)), all);
    EXPECT_EQ(ToCp1251(FromCp1251(all)), all);
}

TEST(Cp1251, CharactersOutsideTheCodePage)
{
    EXPECT_EQ(Cp1251FromUtf8("a中b"), "a?b");
    EXPECT_EQ(Cp1251FromUtf8("\xE2\x82"), "?") << "a cut UTF-8 sequence";
    EXPECT_EQ(Utf8FromCp1251("\x98"), "\xEF\xBF\xBD");
    EXPECT_EQ(Cp1251FromUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}
