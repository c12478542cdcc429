#pragma once
// The live-state answers of commands 12 and 14, their display rules as plain
// functions, and the payloads of the control (20) and clock (13) commands.
// No widgets: the window applies the results to its controls.
#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace krv {

inline constexpr std::size_t kStatusRecordSize = 36;
inline constexpr std::size_t kTouchKeyRecordSize = 12;

// Decoded StatusRecord (command 12).
struct StatusRecord {
    std::uint8_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    std::array<std::uint16_t, 8> analog{}; // inputs 1..8, 0..4095
    std::uint8_t mainPower = 0;            // tenths of a volt
    std::uint8_t battery = 0;              // 0..100 %, 254 test, other: none
    std::uint8_t signalFlags = 0;          // bits 0-4 signal level, bits 5, 6 flags
    std::uint8_t perimeterModes = 0;       // two bits per perimeter
    std::uint8_t validity = 0;             // bit 0 temperature, bit 1 balance
    std::uint8_t inputs = 0;               // inputs 1..8
    std::uint8_t outputs = 0;              // relay 1, relay 2, output 1..5
    std::uint8_t gsmState = 0;
    std::int8_t temperature = 0;
    float balance = 0;

    bool TemperatureValid() const { return validity & 0x01; }
    bool BalanceValid() const { return validity & 0x02; }
};
StatusRecord ParseStatusRecord(std::span<const std::uint8_t, kStatusRecordSize> bytes);

// Decoded TouchKeyRecord (command 14).
struct TouchKeyRecord {
    std::array<std::uint8_t, 8> code{};
    std::uint8_t flags = 0;
    bool KeyPresent() const { return (flags & 0x03) == 0x03; }
};
TouchKeyRecord ParseTouchKeyRecord(std::span<const std::uint8_t, kTouchKeyRecordSize> bytes);
// The key code as 16 upper-case hex digits.
QString KeyCodeText(const TouchKeyRecord& key);

// The 12 GSM state texts; index 11 stands for every value of 11 or more.
const QStringList& DefaultGsmStateTexts();
QString GsmStateText(const QStringList& texts, std::uint8_t state);

// Signal bar position: the low five bits.
inline int SignalLevel(std::uint8_t value) { return value & 0x1F; }

// Colours of the display rules.
enum class PanelColour { ButtonFace, Red, Lime, DarkGreen };

// Perimeter p (0..3) of the modes byte.
struct PerimeterPanel {
    QString caption;
    PanelColour colour = PanelColour::ButtonFace;
};
int PerimeterMode(std::uint8_t modes, int perimeter);
// The panel for `mode`; mode 1 toggles the previous colour (button face
// becomes red, anything else button face) on every call.
PerimeterPanel PerimeterPanelFor(int mode, PanelColour previous);

// Input and output indicators: set bits lime, clear bits dark green.
inline PanelColour IndicatorColour(std::uint32_t bits, int index)
{
    return (bits >> index) & 1 ? PanelColour::Lime : PanelColour::DarkGreen;
}

// Texts in the given locale's decimal separator (the window passes the user's locale).
// "Баланс лицевого счета: " + value with thousands separators and 2 decimals; empty when not valid.
QString BalanceText(bool valid, float value, const QLocale& locale);

struct TemperatureDisplay {
    bool valid = false;
    QString caption;  // LabelTemperature
    int bar = 0;      // ProgressBarModemTemperature (-40..90), shown only when valid
    QString value;    // LabelTempCurVal
};
TemperatureDisplay TemperatureFor(std::int8_t value, bool valid, const QLocale& locale);

struct BatteryDisplay {
    QString percent;  // Label17
    int bar = 0;      // ProgressBarBatCharge
    QString message;  // LabelBatMsg
};
BatteryDisplay BatteryFor(std::uint8_t value);

struct PowerDisplay {
    QString text; // LabelMainPower
    int bar = 0;  // ProgressBarMainPower (0..165)
};
PowerDisplay MainPowerFor(std::uint8_t tenths, const QLocale& locale);

// The controller clock as "dd.mm.yy hh:mm:ss" from the record's clock bytes.
QString ControllerClockText(const StatusRecord& record);
// D(v): the decimal text of v div 10 followed by the digit v mod 10.
QString TwoDigits(int v);

// Analogue value texts of an input page for a 12-bit position p.
QString VoltsText(int p, const QLocale& locale);        // p*10/4095, 3 significant digits + " В"
QString PercentText(int p, const QLocale& locale);      // p*100/4095 + " %"
QString ScaledText(double min, double max, int p, bool degrees, const QLocale& locale); // 4 digits
QString Rtd02Text(int p, const QLocale& locale);        // RTD-02 conversion, 3 digits + "° C"
int Rtd02Hundredths(int p);                             // t of the conversion (hundredths of a degree)

// Active-level colouring of LabelCurrentVal: a latch that a call with flag 1
// switches on for good, and a stored colour.
struct ActiveLevelState {
    bool latched = false;
    PanelColour stored = PanelColour::ButtonFace;
};
// Applies one call; `item` is the ComboBoxSensActLevel item (-1: none).
PanelColour ShowActiveLevel(ActiveLevelState& state, bool flag, int item, int v, int lo, int hi);

// Command 20 payloads. Output k and perimeter/input n are 0-based here.
std::array<std::uint8_t, 3> OutputOnPayload(int output);
std::array<std::uint8_t, 3> OutputOffPayload(int output);
std::array<std::uint8_t, 3> ScenarioPayload(int output, int scenario); // scenario 0..13 -> 3..16
std::array<std::uint8_t, 3> ArmPayload(int perimeter);
std::array<std::uint8_t, 3> DisarmPayload(int perimeter);
std::array<std::uint8_t, 3> InputPayload(int input);

// Command 13: the six bytes read from a "dd.mm.yy hh:mm:ss" text. Each number
// is read at its fixed position (day 0, month 3, year 6, hour 9, minute 12,
// second 15), skipping leading spaces, up to the first non-digit; no digit
// gives 0; the byte is the number's low 8 bits.
std::array<std::uint8_t, 6> ClockPayload(std::string_view text);
// The validation of "Установить": nullopt when valid, else the message text.
// Day, month, year, hour and minute must not exceed 31, 12, 99, 23, 59 (zero
// passes, seconds are not checked).
std::optional<QString> ValidateClockText(std::string_view text);
inline constexpr char kClockCaption[] = "Установка времени и даты";

} // namespace krv
