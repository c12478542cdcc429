#include "ConfigStore.h"

#include "Bytes.h"
#include "Cp1251.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace krv {

std::uint8_t ImageCheckByte(std::span<const std::uint8_t> bytes)
{
    std::uint8_t x = 0;
    for (std::uint8_t b : bytes)
        x ^= b;
    return std::uint8_t(256 - x);
}

namespace {

// Puts a text (given as Unicode, stored as code page 1251) at `at`.
void PutText(MainImageBytes& m, std::size_t at, const char* utf8)
{
    const std::string bytes = Cp1251FromUtf8(utf8);
    std::copy(bytes.begin(), bytes.end(), m.begin() + at);
}

void PutBytes(MainImageBytes& m, std::size_t at, std::initializer_list<std::uint8_t> bytes)
{
    std::copy(bytes.begin(), bytes.end(), m.begin() + at);
}

MainImageBytes BuildFactoryMainImage()
{
    MainImageBytes m{};
    m[0] = 1;
    PutText(m, 1, kDefaultMarker);
    PutBytes(m, 12, {0x39, 0x1F, 0x01});
    PutText(m, 38, "5870");
    PutText(m, 43, "lynx");

    for (int k = 1; k <= 8; ++k) { // connection records
        const std::size_t base = 32 + 36 * k;
        m[base + 16] = std::uint8_t(4 * (k - 1));
        m[base + 17] = 0x09;
        m[base + 28] = 0x09;
        m[base + 29] = 0x05;
    }

    m[356] = 0x07;
    for (int k = 1; k <= 16; ++k) { // input records
        const std::size_t base = 360 + 92 * (k - 1);
        PutText(m, base + 0, ("ВХОД" + std::to_string(k)).c_str());
        PutText(m, base + 17, "АКТИВЕН");
        PutText(m, base + 34, "НЕАКТИВЕН");
        m[base + 52] = 0x22;
        m[base + 54] = 0x40;
        m[base + 55] = 0x02;
        PutBytes(m, base + 58, {0x55, 0x05, 0xAA, 0x0A}); // thresholds 1365 and 2730
        m[base + 63] = 0x02;
        PutBytes(m, base + 74, {0x20, 0x41}); // scale maximum 10.0f (its upper half)
    }

    static const char* const outputNames[7] = {"РЕЛЕ1", "РЕЛЕ2", "ВЫХОД1", "ВЫХОД2", "ВЫХОД3", "ВЫХОД4", "ВЫХОД5"};
    for (int k = 0; k < 7; ++k) {
        const std::size_t base = 1832 + 52 * k;
        PutText(m, base + 0, outputNames[k]);
        PutText(m, base + 17, "ВКЛ");
        PutText(m, base + 34, "ВЫКЛ");
        m[base + 51] = 0xA0;
    }

    auto scenario = [&](int s, std::initializer_list<std::pair<int, std::uint8_t>> bytes) {
        for (auto [off, v] : bytes)
            m[2196 + 34 * (s - 1) + off] = v;
    };
    scenario(1, {{2, 0x01}, {3, 0x80}, {4, 0x01}});
    scenario(2, {{2, 0x02}, {3, 0x80}, {4, 0x02}, {6, 0x02}, {7, 0x80}, {8, 0x02}});
    scenario(3, {{2, 0x05}, {3, 0x80}, {4, 0x05}, {6, 0x0A}, {7, 0x80}, {8, 0x0A}});
    scenario(4, {{0, 0x01}, {2, 0x02}, {3, 0x80}, {4, 0x02}, {6, 0x02}, {7, 0x80}});
    scenario(5, {{0, 0x01}, {2, 0x01}, {4, 0x01}, {5, 0x80}, {6, 0x02}, {9, 0x80}});
    scenario(6, {{2, 0x02}, {3, 0x80}, {4, 0x03}});
    scenario(7, {{0, 0x01}, {2, 0x05}, {3, 0x80}});
    for (int s = 8; s <= 14; ++s)
        scenario(s, {{0, 0x01}, {2, 0x01}, {3, 0x80}, {7, 0x80}});

    m[2672] = 0x03;
    m[2808] = 0xC9;
    m[2812] = 0x94;
    m[2813] = 0xA8;
    m[2817] = 0x04;
    PutBytes(m, 2842, {0x01, 0xE7, 0x3C, 0xEC, 0x00, 0xF1, 0x00, 0x01});

    // GPRS region: access point, login and password texts and the fixed bytes.
    PutText(m, 2852, "internet.gsm.ru");
    PutText(m, 2885, "gsm");
    PutText(m, 2902, "gsm");
    PutBytes(m, 2934, {0xFF, 0x1B, 0x03, 0x03});
    m[2980] = 0x90;
    m[3024] = 0x90;
    m[3068] = 0x90;

    PutBytes(m, 3080, {0x10, 0x0E, 0x64, 0x00, 0x3C});

    for (int p = 1; p <= 4; ++p)
        PutText(m, 3087 + 51 * (p - 1), ("ПЕРИМЕТР" + std::to_string(p)).c_str());

    static const char* const profileNames[8] = {"КОМФОРТ",  "ЭКОНОМ",   "ПРОФИЛЬ3", "ПРОФИЛЬ4",
                                                "ПРОФИЛЬ5", "ПРОФИЛЬ6", "ПРОФИЛЬ7", "ПРОФИЛЬ8"};
    for (int q = 0; q < 8; ++q) {
        const std::size_t base = 4316 + 122 * q;
        PutText(m, base, profileNames[q]);
        for (int j = 0; j < 16; ++j)
            PutBytes(m, base + 20 + 6 * j, {0x55, 0x05, 0xAA, 0x0A});
    }
    return m;
}

} // namespace

const MainImageBytes& FactoryMainImage()
{
    static const MainImageBytes image = BuildFactoryMainImage();
    return image;
}

const ModeMemoryBytes& FactoryModeMemory()
{
    static const ModeMemoryBytes modes = {0x00, 0x00, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x00};
    return modes;
}

TCONFIGURATION::TCONFIGURATION()
{
    SetDefaultMainImage();
    SetDefaultModeMemory();
    SetDefaultSystemParameters();
    SetDefaultKeyList();
}

void TCONFIGURATION::SetDefaultMainImage() { MainImage = FactoryMainImage(); }

void TCONFIGURATION::SetDefaultModeMemory() { ModeMemory = FactoryModeMemory(); }

void TCONFIGURATION::SetDefaultSystemParameters() { SystemParameters.fill(0); }

void TCONFIGURATION::SetDefaultKeyList()
{
    std::fill(KeyList.begin(), KeyList.begin() + kKeyListHeaderSize, 0);
    for (std::size_t r = 0; r < kKeyRecordCount; ++r) {
        std::uint8_t* rec = KeyList.data() + kKeyListHeaderSize + r * kKeyRecordSize;
        std::memset(rec, 0, kKeyRecordSize);
        std::memset(rec + 24, 0xFF, 8);
        UpdateKeyRecordCheck(int(r));
    }
}

void TCONFIGURATION::UpdateKeyRecordCheck(int index)
{
    if (index < 0 || std::size_t(index) >= kKeyRecordCount)
        return;
    std::span<std::uint8_t> rec(KeyList.data() + kKeyListHeaderSize + index * kKeyRecordSize, kKeyRecordSize);
    rec[kKeyRecordCheckOffset] = 0;
    rec[kKeyRecordCheckOffset] = ImageCheckByte(rec);
}

bool TCONFIGURATION::MarkerMatchesDefault() const
{
    if (MainImage[0] != FactoryMainImage()[0])
        return false;
    // Compared as a text of at most 8 characters, stopping at the first zero.
    return std::strncmp(reinterpret_cast<const char*>(MainImage.data() + 1), kDefaultMarker, 8) == 0;
}

std::array<std::uint8_t, kAdminPasswordWidth> AdminPasswordField(std::span<const std::uint8_t> mainImage)
{
    std::array<std::uint8_t, kAdminPasswordWidth> field{};
    for (std::size_t i = 0; i + 1 < kAdminPasswordWidth && mainImage[kAdminPasswordOffset + i] != 0; ++i)
        field[i] = mainImage[kAdminPasswordOffset + i];
    return field;
}

} // namespace krv
