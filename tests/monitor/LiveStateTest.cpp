#include "LiveState.h"

#include <gtest/gtest.h>

#include <cstring>

namespace krv {
namespace {

const QLocale C = QLocale::c();
const QLocale Ru(QLocale::Russian, QLocale::Russia);

TEST(LiveState, StatusRecordLayout)
{
    std::array<std::uint8_t, kStatusRecordSize> b{};
    const std::uint8_t head[] = {7, 3, 9, 14, 5, 0};
    std::memcpy(b.data(), head, 6);
    b[6 + 2 * 7] = 0xFF;
    b[7 + 2 * 7] = 0x0F; // input 8 = 4095
    b[22] = 124;
    b[24] = 254;
    b[25] = 0x7F;
    b[26] = 0xE4;
    b[27] = 0x02;
    b[28] = 0x81;
    b[29] = 0x40;
    b[30] = 200;
    b[31] = 0xD8;
    const float balance = -12.5f;
    std::memcpy(b.data() + 32, &balance, 4);
    const StatusRecord r = ParseStatusRecord(b);
    EXPECT_EQ(ControllerClockText(r), "09.03.07 14:05:00");
    EXPECT_EQ(r.analog[7], 4095);
    EXPECT_EQ(r.analog[0], 0);
    EXPECT_EQ(SignalLevel(r.signalFlags), 31);
    EXPECT_EQ(PerimeterMode(r.perimeterModes, 0), 0);
    EXPECT_EQ(PerimeterMode(r.perimeterModes, 1), 1);
    EXPECT_EQ(PerimeterMode(r.perimeterModes, 2), 2);
    EXPECT_EQ(PerimeterMode(r.perimeterModes, 3), 3);
    EXPECT_FALSE(r.TemperatureValid());
    EXPECT_TRUE(r.BalanceValid());
    EXPECT_EQ(r.temperature, -40);
    EXPECT_EQ(r.balance, -12.5f);
    EXPECT_EQ(IndicatorColour(r.inputs, 0), PanelColour::Lime);
    EXPECT_EQ(IndicatorColour(r.inputs, 1), PanelColour::DarkGreen);
    EXPECT_EQ(IndicatorColour(r.outputs, 6), PanelColour::Lime);
    EXPECT_EQ(GsmStateText(DefaultGsmStateTexts(), r.gsmState), "Неизвестное состояние GSM модуля");
    EXPECT_EQ(GsmStateText(DefaultGsmStateTexts(), 10), "Зарегистрирован в роуменге");
    EXPECT_EQ(GsmStateText(DefaultGsmStateTexts(), 11), "Неизвестное состояние GSM модуля");
    EXPECT_EQ(DefaultGsmStateTexts().size(), 12);
}

TEST(LiveState, TouchKey)
{
    std::array<std::uint8_t, kTouchKeyRecordSize> b = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, 0x03};
    TouchKeyRecord k = ParseTouchKeyRecord(b);
    EXPECT_TRUE(k.KeyPresent());
    EXPECT_EQ(KeyCodeText(k), "0123456789ABCDEF");
    for (std::uint8_t flags : {0x01, 0x02, 0x00}) {
        b[8] = flags;
        EXPECT_FALSE(ParseTouchKeyRecord(b).KeyPresent());
    }
    b[8] = 0xFF;
    EXPECT_TRUE(ParseTouchKeyRecord(b).KeyPresent());
}

TEST(LiveState, PanelsBatteryPowerTemperature)
{
    EXPECT_EQ(PerimeterPanelFor(0, PanelColour::Red).caption, "НАБЛЮДЕНИЕ");
    EXPECT_EQ(PerimeterPanelFor(2, PanelColour::ButtonFace).colour, PanelColour::Red);
    EXPECT_EQ(PerimeterPanelFor(3, PanelColour::Red).caption, "");
    // Mode 1 alternates from one call to the next.
    PanelColour c = PanelColour::ButtonFace;
    c = PerimeterPanelFor(1, c).colour;
    EXPECT_EQ(c, PanelColour::Red);
    c = PerimeterPanelFor(1, c).colour;
    EXPECT_EQ(c, PanelColour::ButtonFace);
    EXPECT_EQ(PerimeterPanelFor(1, PanelColour::Lime).colour, PanelColour::ButtonFace);

    const struct {
        std::uint8_t value;
        const char* percent;
        int bar;
        const char* message;
    } battery[] = {{100, "100%", 100, "\nАккумулятор подключен"},
                   {0, "0%", 0, "\nАккумулятор подключен"},
                   {101, "0%", 0, "\nАккумулятор не подключен"},
                   {255, "0%", 0, "\nАккумулятор не подключен"},
                   {254, "0%", 0, "Тестирование АКБ,\nподождите (не более 1 мин.)"}};
    for (const auto& row : battery) {
        const BatteryDisplay d = BatteryFor(row.value);
        EXPECT_EQ(d.percent, row.percent);
        EXPECT_EQ(d.bar, row.bar);
        EXPECT_EQ(d.message, row.message);
    }
    EXPECT_EQ(MainPowerFor(4, C).text, "0.0 В");
    EXPECT_EQ(MainPowerFor(4, C).bar, 0);
    EXPECT_EQ(MainPowerFor(5, C).text, "0.5 В");
    EXPECT_EQ(MainPowerFor(124, Ru).text, "12,4 В");
    EXPECT_EQ(MainPowerFor(124, Ru).bar, 124);

    const TemperatureDisplay t = TemperatureFor(-40, true, C);
    EXPECT_EQ(t.value, "-40° C");
    EXPECT_EQ(t.bar, -40);
    EXPECT_EQ(t.caption, "Текущее значение");
    const TemperatureDisplay n = TemperatureFor(-40, false, C);
    EXPECT_FALSE(n.valid);
    EXPECT_EQ(n.caption, "Текущее значение температуры не доступно");
    EXPECT_EQ(n.value, "");
}

TEST(LiveState, Balance)
{
    EXPECT_EQ(BalanceText(false, 5.0f, C), "");
    EXPECT_EQ(BalanceText(true, 1234.56f, QLocale(QLocale::English)), "Баланс лицевого счета: 1,234.56");
    EXPECT_EQ(BalanceText(true, -3.0f, C), "Баланс лицевого счета: -3.00");
    EXPECT_EQ(BalanceText(true, 123456.789f, QLocale(QLocale::English)), "Баланс лицевого счета: 123,456.80");
}

TEST(LiveState, AnalogueTexts)
{
    EXPECT_EQ(Rtd02Hundredths(0), -5020);
    EXPECT_EQ(Rtd02Text(0, C), "-50.2° C");
    EXPECT_EQ(Rtd02Text(1024, C), "33.4° C");
    EXPECT_EQ(Rtd02Text(2048, C), "117° C");
    EXPECT_EQ(Rtd02Text(4095, C), "284° C");
    EXPECT_EQ(VoltsText(4095, C), "10 В");
    EXPECT_EQ(VoltsText(2048, Ru), "5 В");
    EXPECT_EQ(PercentText(1024, C), "25 %");
    EXPECT_EQ(ScaledText(0, 10, 2048, false, C), "5.001");
    EXPECT_EQ(ScaledText(-50, 150, 4095, true, C), "150° C");
    EXPECT_EQ(ScaledText(0, 9999, 4095, false, QLocale(QLocale::English)), "9999"); // no group separator
}

TEST(LiveState, ActiveLevel)
{
    ActiveLevelState s;
    // Latch off: only the stored colour.
    EXPECT_EQ(ShowActiveLevel(s, false, 0, 0, 100, 200), PanelColour::ButtonFace);
    const struct {
        int item, v;
        PanelColour expected;
    } steps[] = {
        {0, 100, PanelColour::Red},       {0, 150, PanelColour::ButtonFace}, {0, 200, PanelColour::Red},
        {1, 100, PanelColour::Red},       {1, 101, PanelColour::ButtonFace}, {2, 150, PanelColour::Red},
        {2, 201, PanelColour::ButtonFace}, {3, 200, PanelColour::Red},       {3, 199, PanelColour::ButtonFace},
        {4, 100, PanelColour::Red},       {4, 150, PanelColour::Red},        {4, 200, PanelColour::ButtonFace},
        {4, 150, PanelColour::ButtonFace}, {5, 200, PanelColour::Red},       {5, 150, PanelColour::Red},
        {5, 100, PanelColour::ButtonFace}, {-1, 300, PanelColour::ButtonFace},
    };
    bool first = true;
    for (const auto& step : steps) {
        EXPECT_EQ(ShowActiveLevel(s, first, step.item, step.v, 100, 200), step.expected)
            << step.item << " " << step.v;
        first = false; // the latch stays on
    }
}

TEST(LiveState, ControlPayloads)
{
    EXPECT_EQ(OutputOffPayload(1), (std::array<std::uint8_t, 3>{2, 1, 2}));
    EXPECT_EQ(OutputOnPayload(0), (std::array<std::uint8_t, 3>{2, 0, 1}));
    EXPECT_EQ(ScenarioPayload(2, 13), (std::array<std::uint8_t, 3>{2, 2, 16}));
    EXPECT_EQ(ArmPayload(2), (std::array<std::uint8_t, 3>{0, 2, 0}));
    EXPECT_EQ(DisarmPayload(3), (std::array<std::uint8_t, 3>{1, 3, 0}));
    EXPECT_EQ(InputPayload(7), (std::array<std::uint8_t, 3>{4, 7, 0}));
}

TEST(LiveState, ClockText)
{
    const struct {
        const char* text;
        std::array<std::uint8_t, 6> payload; // year, month, day, hour, minute, second
        const char* message;                 // nullptr: valid
    } table[] = {
        {"09.03.07 14:05:00", {7, 3, 9, 14, 5, 0}, nullptr},
        {"00.00.00 00:00:99", {0, 0, 0, 0, 0, 99}, nullptr},
        {"32.01.10 10:00:00", {10, 1, 32, 10, 0, 0}, "Не верно установлено число"},
        {"01.13.10 10:00:00", {10, 13, 1, 10, 0, 0}, "Не верно установлен месяц"},
        {"31.12.99 24:00:00", {99, 12, 31, 24, 0, 0}, "Не верно установлены часы"},
        {"31.12.99 23:60:00", {99, 12, 31, 23, 60, 0}, "Не верно установлены минуты"},
        {"32.13.10 24:60:00", {10, 13, 32, 24, 60, 0}, "Не верно установлено число"}, // first violation
        {" 1. 2. 3  4: 5: 6", {3, 2, 1, 4, 5, 6}, nullptr},                           // leading blanks
        {"--.--.-- --:--:--", {0, 0, 0, 0, 0, 0}, nullptr},                           // the empty mask
        {"12", {0, 0, 12, 0, 0, 0}, nullptr},                                         // cut short
        {"01.01.01 01:01:300", {1, 1, 1, 1, 1, 44}, nullptr}, // seconds: low 8 bits, unchecked
        {"261.01.10 10:00:00", {0, 0, 5, 10, 0, 0}, "Не верно установлено число"},
    };
    for (const auto& row : table) {
        EXPECT_EQ(ClockPayload(row.text), row.payload) << row.text;
        const auto message = ValidateClockText(row.text);
        if (row.message)
            EXPECT_EQ(message.value_or("valid"), QString::fromUtf8(row.message)) << row.text;
        else
            EXPECT_FALSE(message) << row.text;
    }
}

} // namespace
} // namespace krv
