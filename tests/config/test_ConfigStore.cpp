#include "Bytes.h"
#include "Catalogue.h"
#include "ConfigStore.h"
#include "Cp1251.h"
#include "FieldValues.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace krv;

namespace {

// The factory image as the defaults table lists it, entered row by row.
MainImageBytes ExpectedDefaults()
{
    MainImageBytes m{};
    auto bytes = [&](std::size_t at, std::vector<int> v) {
        for (std::size_t i = 0; i < v.size(); ++i)
            m[at + i] = std::uint8_t(v[i]);
    };
    auto text = [&](std::size_t at, const char* utf8) {
        const std::string t = Cp1251FromUtf8(utf8);
        std::memcpy(m.data() + at, t.data(), t.size());
    };
    bytes(0, {1, 'v', '.', '0', '1', '.', '0', '2'});
    bytes(12, {0x39, 0x1F, 0x01});
    text(38, "5870");
    text(43, "lynx");
    for (int k = 1; k <= 8; ++k) {
        const std::size_t b = 32 + 36 * k;
        bytes(b + 16, {4 * (k - 1), 0x09});
        bytes(b + 28, {0x09, 0x05});
    }
    m[356] = 0x07;
    for (int k = 1; k <= 16; ++k) {
        const std::size_t b = 360 + 92 * (k - 1);
        text(b, ("ВХОД" + std::to_string(k)).c_str());
        text(b + 17, "АКТИВЕН");
        text(b + 34, "НЕАКТИВЕН");
        bytes(b + 52, {0x22, 0x00, 0x40, 0x02});
        bytes(b + 58, {0x55, 0x05, 0xAA, 0x0A});
        m[b + 63] = 0x02;
        bytes(b + 74, {0x20, 0x41});
    }
    const char* outputs[] = {"РЕЛЕ1", "РЕЛЕ2", "ВЫХОД1", "ВЫХОД2", "ВЫХОД3", "ВЫХОД4", "ВЫХОД5"};
    for (int k = 0; k < 7; ++k) {
        const std::size_t b = 1832 + 52 * k;
        text(b, outputs[k]);
        text(b + 17, "ВКЛ");
        text(b + 34, "ВЫКЛ");
        m[b + 51] = 0xA0;
    }
    auto scen = [&](int s) { return std::size_t(2196 + 34 * (s - 1)); };
    bytes(scen(1) + 2, {0x01, 0x80, 0x01});
    bytes(scen(2) + 2, {0x02, 0x80, 0x02, 0x00, 0x02, 0x80, 0x02});
    bytes(scen(3) + 2, {0x05, 0x80, 0x05, 0x00, 0x0A, 0x80, 0x0A});
    bytes(scen(4), {0x01, 0x00, 0x02, 0x80, 0x02, 0x00, 0x02, 0x80});
    bytes(scen(5), {0x01, 0x00, 0x01, 0x00, 0x01, 0x80, 0x02, 0x00, 0x00, 0x80});
    bytes(scen(6) + 2, {0x02, 0x80, 0x03});
    bytes(scen(7), {0x01, 0x00, 0x05, 0x80});
    for (int s = 8; s <= 14; ++s)
        bytes(scen(s), {0x01, 0x00, 0x01, 0x80, 0x00, 0x00, 0x00, 0x80});
    m[2672] = 0x03;
    bytes(2808, {0xC9, 0, 0, 0, 0x94, 0xA8, 0, 0, 0, 0x04});
    bytes(2842, {0x01, 0xE7, 0x3C, 0xEC, 0x00, 0xF1, 0x00, 0x01});
    text(2852, "internet.gsm.ru");
    text(2885, "gsm");
    text(2902, "gsm");
    bytes(2934, {0xFF, 0x1B, 0x03, 0x03});
    m[2980] = m[3024] = m[3068] = 0x90;
    bytes(3080, {0x10, 0x0E, 0x64, 0x00, 0x3C});
    for (int p = 1; p <= 4; ++p)
        text(3087 + 51 * (p - 1), ("ПЕРИМЕТР" + std::to_string(p)).c_str());
    const char* profiles[] = {"КОМФОРТ", "ЭКОНОМ", "ПРОФИЛЬ3", "ПРОФИЛЬ4", "ПРОФИЛЬ5", "ПРОФИЛЬ6", "ПРОФИЛЬ7", "ПРОФИЛЬ8"};
    for (int q = 0; q < 8; ++q) {
        text(4316 + 122 * q, profiles[q]);
        for (int j = 0; j < 16; ++j)
            bytes(4316 + 122 * q + 20 + 6 * j, {0x55, 0x05, 0xAA, 0x0A});
    }
    return m;
}

} // namespace

TEST(ConfigStore, FreshStoreEqualsFactoryDefaultsInAllBlocks)
{
    const ConfigStore store;
    const MainImageBytes expected = ExpectedDefaults();
    for (std::size_t i = 0; i < kMainImageSize; ++i)
        ASSERT_EQ(int(store.MainImage[i]), int(expected[i])) << "MainImage byte " << i;

    const std::uint8_t modes[10] = {0, 0, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0};
    EXPECT_EQ(0, std::memcmp(store.ModeMemory.data(), modes, 10));
    for (std::uint8_t b : store.SystemParameters)
        EXPECT_EQ(b, 0);
    for (std::size_t i = 0; i < kKeyListHeaderSize; ++i)
        EXPECT_EQ(store.KeyList[i], 0);
    for (std::size_t r = 0; r < kKeyRecordCount; ++r) {
        const std::uint8_t* rec = store.KeyList.data() + kKeyListHeaderSize + r * kKeyRecordSize;
        for (int i = 0; i < 36; ++i)
            ASSERT_EQ(int(rec[i]), (i >= 24 && i < 32) ? 0xFF : 0) << "key record " << r << " byte " << i;
    }
}

// The defaults read through the catalogue, as the pages and the dump show them.
TEST(ConfigStore, DefaultsDecodeToTheDocumentedValues)
{
    const ConfigStore store;
    const struct {
        const char* key;
        const char* shown;
    } cases[] = {
        {"Соединение 3 / ComboBoxGroupNum", "2 \"3\""},
        {"Соединение 1 / ComboBoxDialTranspWaitTime", "9 \"10 Min.\""},
        {"Соединение 1 / ComboBoxLang", "1 \"Русский\""},
        {"Общие параметры соединений / ComboBoxOutdatedMsgTime", "15 \"30 Min.\""},
        {"Общие параметры соединений / ComboBoxCall2CallPauseX10S", "1 \"10\""},
        {"Вход 1 / ComboBoxSensName", "\"ВХОД1\""},
        {"Вход 16 / ComboBoxSensPassSt", "\"НЕАКТИВЕН\""},
        {"Вход 2 / TrackBarLoBarrier", "1365"},
        {"Вход 2 / TrackBarHiBarrier", "2730"},
        {"Вход 2 / MaskEditMinVal", "0"},
        {"Вход 2 / MaskEditMaxVal", "10"},
        {"Вход 2 / ComboBoxSensType", "1 \"Дискретный\""},
        {"Вход 2 / ComboBoxReleToAlarm", "1 \"тревожным событием, с учетом блокировки\""},
        {"Входы / ComboBoxLoopPwrResetTime", "3 \"40  Sec.\""},
        {"Часы, планировщик задач / ComboBoxTimeZone", "3 \"(GMT+3:00) Москва, Санкт-Петербург, Тула\""},
        {"Питание, температура, индикация, контроль вскрытия / TrackBarDischargeWarn", "40"},
        {"Питание, температура, индикация, контроль вскрытия / TrackBarDischargeAlarm", "20"},
        {"Питание, температура, индикация, контроль вскрытия / TrackBarTemperatLowBorder", "-25"},
        {"Питание, температура, индикация, контроль вскрытия / TrackBarTemperatHiBorder", "60"},
        {"Питание, температура, индикация, контроль вскрытия / ComboBoxLoBorderLevel", "-20 \"-20° C\""},
        {"Питание, температура, индикация, контроль вскрытия / ComboBoxHiBorderLevel", "-15 \"-15° C\""},
        {"Питание, температура, индикация, контроль вскрытия / ComboBoxRecoveryTime", "4 \"32 Min.\""},
        {"Питание, температура, индикация, контроль вскрытия / ComboBoxPowerSignAverTime", "1 \"4 Sec.\""},
        {"Реле 2 / ComboBoxReleName", "\"РЕЛЕ2\""},
        {"Выход 5 / CheckBoxRemoteControlEn", "1"},
        {"Сценарии управления / StringGrid2[5].step1", "1 НИЗ"},
        {"Сценарии управления / StringGrid2[5].step4", "0 ВЫС"},
        {"Сценарии управления / StringGrid2[8].step2", "0 НИЗ"},
        {"Сценарии управления / StringGrid2[8].step3", "0 ВЫС"},
        {"Периметр 4 / ComboBoxPerimetrName", "\"ПЕРИМЕТР4\""},
        {"Профиль 2 / ComboBoxProfileName", "\"ЭКОНОМ\""},
        {"Профиль 2 / TrackBarProfHi8", "2730"},
        {"Профиль 8 / ProfileInput16.low", "1365"},
    };
    for (const auto& c : cases) {
        const CatalogueField* f = FindField(BlockId::MainImage, c.key);
        ASSERT_NE(f, nullptr) << c.key;
        EXPECT_EQ(FieldValueText(*f, store.MainImage), c.shown) << c.key;
    }
}

TEST(ConfigStore, KeyRecordCheckByteCancelsTheRecord)
{
    ConfigStore store;
    for (int index : {0, 123, 499}) {
        std::uint8_t* rec = store.KeyList.data() + kKeyListHeaderSize + index * kKeyRecordSize;
        rec[3] = 0x5A;
        rec[35] = 0x81;
        store.UpdateKeyRecordCheck(index);
        std::uint8_t x = 0;
        for (int i = 0; i < 36; ++i)
            if (i != 32)
                x ^= rec[i];
        EXPECT_EQ(std::uint8_t(x + rec[32]), 0) << index;
    }
    const ConfigStore before = store;
    store.UpdateKeyRecordCheck(500);
    store.UpdateKeyRecordCheck(-1);
    EXPECT_EQ(store, before);
}

TEST(ConfigStore, MarkerMatchesDefault)
{
    ConfigStore store;
    EXPECT_TRUE(store.MarkerMatchesDefault());
    store.MainImage[9] = 0x77; // anything after byte 8
    store.MainImage[5291] = 0x01;
    EXPECT_TRUE(store.MarkerMatchesDefault());

    ConfigStore format;
    format.MainImage[0] = 2;
    EXPECT_FALSE(format.MarkerMatchesDefault());

    ConfigStore digit;
    digit.MainImage[7] = '3'; // "v.01.03"
    EXPECT_FALSE(digit.MarkerMatchesDefault());

    ConfigStore shortMarker;
    shortMarker.MainImage[7] = 0; // "v.01.0"
    EXPECT_FALSE(shortMarker.MarkerMatchesDefault());

    ConfigStore trailing;
    trailing.MainImage[8] = 'x'; // "v.01.02x": eight characters compared
    EXPECT_FALSE(trailing.MarkerMatchesDefault());
}

TEST(ConfigStore, ResetsTouchOnlyTheirBlock)
{
    ConfigStore store;
    store.MainImage[100] ^= 0xFF;
    store.ModeMemory[1] = 9;
    store.SystemParameters[2] = 7;
    store.KeyList[40] = 5;
    ConfigStore expected = store;

    store.SetDefaultMainImage();
    expected.MainImage = FactoryMainImage();
    EXPECT_EQ(store, expected);

    store.SetDefaultModeMemory();
    expected.ModeMemory = FactoryModeMemory();
    EXPECT_EQ(store, expected);
}

TEST(ConfigStore, ImageCheckByteAndAdminPassword)
{
    const std::uint8_t identify[] = {0x05, 0x00, 0x00};
    EXPECT_EQ(ImageCheckByte(identify), 0xFB);
    const std::uint8_t restart[] = {0x10, 0x01, 0x00, 0x00};
    EXPECT_EQ(ImageCheckByte(restart), 0xEF);
    EXPECT_EQ(ImageCheckByte({}), 0x00);

    ConfigStore store;
    const char full[] = "ABCDEFGHI"; // nine characters: only eight belong to the password
    std::memcpy(store.MainImage.data() + kAdminPasswordOffset, full, 9);
    const auto field = AdminPasswordField(store.MainImage);
    EXPECT_EQ(std::string(field.begin(), field.end()), std::string("ABCDEFGH\0", 9));
}
