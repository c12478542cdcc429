#include "LiveState.h"

#include "Bytes.h"

#include <QLocale>

#include <cmath>
#include <cstring>

namespace krv {
namespace {

QLocale Plain(const QLocale& locale)
{
    QLocale l = locale;
    l.setNumberOptions(l.numberOptions() | QLocale::OmitGroupSeparator);
    return l;
}

// General format with `digits` significant digits, no group separators.
QString General(double v, int digits, const QLocale& locale)
{
    return Plain(locale).toString(v, 'g', digits);
}

// The number at `at`: leading spaces skipped, digits up to the first
// non-digit, 0 without a digit. Saturates far above every limit.
std::uint32_t NumberAt(std::string_view text, std::size_t at)
{
    std::size_t i = at;
    while (i < text.size() && text[i] == ' ')
        ++i;
    std::uint32_t v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        v = std::min<std::uint32_t>(v * 10 + std::uint32_t(text[i] - '0'), 1'000'000u);
    return v;
}

constexpr std::size_t kClockPositions[6] = {6, 3, 0, 9, 12, 15}; // year, month, day, hour, minute, second

} // namespace

StatusRecord ParseStatusRecord(std::span<const std::uint8_t, kStatusRecordSize> b)
{
    StatusRecord r;
    r.year = b[0];
    r.month = b[1];
    r.day = b[2];
    r.hour = b[3];
    r.minute = b[4];
    r.second = b[5];
    for (int k = 0; k < 8; ++k)
        r.analog[k] = ReadU16(b, std::size_t(6 + 2 * k));
    r.mainPower = b[22];
    r.battery = b[24];
    r.signalFlags = b[25];
    r.perimeterModes = b[26];
    r.validity = b[27];
    r.inputs = b[28];
    r.outputs = b[29];
    r.gsmState = b[30];
    r.temperature = std::int8_t(b[31]);
    const std::uint32_t bits = ReadU32(b, 32);
    std::memcpy(&r.balance, &bits, sizeof bits);
    return r;
}

TouchKeyRecord ParseTouchKeyRecord(std::span<const std::uint8_t, kTouchKeyRecordSize> b)
{
    TouchKeyRecord k;
    std::copy_n(b.begin(), 8, k.code.begin());
    k.flags = b[8];
    return k;
}

QString KeyCodeText(const TouchKeyRecord& key)
{
    QString s;
    for (std::uint8_t b : key.code)
        s += QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return s;
}

const QStringList& DefaultGsmStateTexts()
{
    static const QStringList texts = {
        QStringLiteral("Инициализация модема"),
        QStringLiteral("Сервисный режим, обновление микропрограммы GSM модуля"),
        QStringLiteral("Основное питание отсутствует, регистрация в сети GSM невозможна"),
        QStringLiteral("SIM карта не установлена"),
        QStringLiteral("SIM карта неисправна или отсутствует"),
        QStringLiteral("Не верный PIN-код"),
        QStringLiteral("SIM карта заблокирована, требуется PUK-код"),
        QStringLiteral("PIN-код принят"),
        QStringLiteral("Зарегистрирован в домашней сети"),
        QStringLiteral("Регистрация в процессе..."),
        QStringLiteral("Зарегистрирован в роуменге"),
        QStringLiteral("Неизвестное состояние GSM модуля"),
    };
    return texts;
}

QString GsmStateText(const QStringList& texts, std::uint8_t state)
{
    return texts.value(std::min<int>(state, 11));
}

int PerimeterMode(std::uint8_t modes, int perimeter)
{
    return (modes >> (2 * perimeter)) & 3;
}

PerimeterPanel PerimeterPanelFor(int mode, PanelColour previous)
{
    switch (mode) {
    case 0: return {QStringLiteral("НАБЛЮДЕНИЕ"), PanelColour::ButtonFace};
    case 1:
        return {QStringLiteral("Смена режима"),
                previous == PanelColour::ButtonFace ? PanelColour::Red : PanelColour::ButtonFace};
    case 2: return {QStringLiteral("ОХРАНА"), PanelColour::Red};
    default: return {QString(), PanelColour::ButtonFace};
    }
}

QString BalanceText(bool valid, float value, const QLocale& locale)
{
    if (!valid)
        return QString();
    double v = value;
    QString number;
    if (!std::isfinite(v)) {
        number = locale.toString(v);
    } else {
        // Seven significant digits, shown with two decimals; more than seven
        // integer digits switch to the scientific form.
        const int integerDigits = v == 0 ? 1 : int(std::floor(std::log10(std::fabs(v)))) + 1;
        if (integerDigits > 7) {
            number = Plain(locale).toString(v, 'E', 6);
        } else {
            const int decimals = std::clamp(7 - integerDigits, 0, 2);
            const double scale = std::pow(10.0, decimals);
            v = std::round(v * scale) / scale;
            number = locale.toString(v, 'f', 2);
        }
    }
    return QStringLiteral("Баланс лицевого счета: ") + number;
}

TemperatureDisplay TemperatureFor(std::int8_t value, bool valid, const QLocale& locale)
{
    if (!valid)
        return {false, QStringLiteral("Текущее значение температуры не доступно"), 0, QString()};
    return {true, QStringLiteral("Текущее значение"), value, General(value, 3, locale) + QStringLiteral("° C")};
}

BatteryDisplay BatteryFor(std::uint8_t value)
{
    if (value <= 100)
        return {QString::number(value) + QLatin1Char('%'), value, QStringLiteral("\nАккумулятор подключен")};
    if (value == 254)
        return {QStringLiteral("0%"), 0, QStringLiteral("Тестирование АКБ,\nподождите (не более 1 мин.)")};
    return {QStringLiteral("0%"), 0, QStringLiteral("\nАккумулятор не подключен")};
}

PowerDisplay MainPowerFor(std::uint8_t tenths, const QLocale& locale)
{
    const int v = tenths < 5 ? 0 : tenths;
    return {Plain(locale).toString(v / 10.0, 'f', 1) + QStringLiteral(" В"), v};
}

QString TwoDigits(int v)
{
    return QString::number(v / 10) + QString::number(v % 10);
}

QString ControllerClockText(const StatusRecord& r)
{
    return TwoDigits(r.day) + QLatin1Char('.') + TwoDigits(r.month) + QLatin1Char('.') + TwoDigits(r.year) +
           QLatin1Char(' ') + TwoDigits(r.hour) + QLatin1Char(':') + TwoDigits(r.minute) + QLatin1Char(':') +
           TwoDigits(r.second);
}

QString VoltsText(int p, const QLocale& locale)
{
    return General(p * 10.0 / 4095, 3, locale) + QStringLiteral(" В");
}

QString PercentText(int p, const QLocale& locale)
{
    return General(p * 100.0 / 4095, 3, locale) + QStringLiteral(" %");
}

QString ScaledText(double min, double max, int p, bool degrees, const QLocale& locale)
{
    const QString text = General(min + (max - min) * p / 4095, 4, locale);
    return degrees ? text + QStringLiteral("° C") : text;
}

int Rtd02Hundredths(int p)
{
    const int w = p * 16 - 32768;
    return (100 * w + 2292700) / 196; // C++ division truncates toward zero
}

QString Rtd02Text(int p, const QLocale& locale)
{
    return General(Rtd02Hundredths(p) / 100.0, 3, locale) + QStringLiteral("° C");
}

PanelColour ShowActiveLevel(ActiveLevelState& state, bool flag, int item, int v, int lo, int hi)
{
    if (flag)
        state.latched = true;
    if (!state.latched)
        return state.stored;
    const PanelColour red = PanelColour::Red, face = PanelColour::ButtonFace;
    switch (item) {
    case 0: state.stored = (v <= lo || v >= hi) ? red : face; break;
    case 1: state.stored = v <= lo ? red : face; break;
    case 2: state.stored = (lo <= v && v <= hi) ? red : face; break;
    case 3: state.stored = v >= hi ? red : face; break;
    case 4:
        if (v <= lo)
            state.stored = red;
        else if (v >= hi)
            state.stored = face;
        break;
    case 5:
        if (v >= hi)
            state.stored = red;
        else if (v <= lo)
            state.stored = face;
        break;
    default: break;
    }
    return state.stored;
}

std::array<std::uint8_t, 3> OutputOnPayload(int output) { return {2, std::uint8_t(output), 1}; }
std::array<std::uint8_t, 3> OutputOffPayload(int output) { return {2, std::uint8_t(output), 2}; }
std::array<std::uint8_t, 3> ScenarioPayload(int output, int scenario)
{
    return {2, std::uint8_t(output), std::uint8_t(scenario + 3)};
}
// The third byte has no meaning for these sub-commands; it is sent as 0.
std::array<std::uint8_t, 3> ArmPayload(int perimeter) { return {0, std::uint8_t(perimeter), 0}; }
std::array<std::uint8_t, 3> DisarmPayload(int perimeter) { return {1, std::uint8_t(perimeter), 0}; }
std::array<std::uint8_t, 3> InputPayload(int input) { return {4, std::uint8_t(input), 0}; }

std::array<std::uint8_t, 6> ClockPayload(std::string_view text)
{
    std::array<std::uint8_t, 6> bytes{};
    for (int i = 0; i < 6; ++i)
        bytes[i] = std::uint8_t(NumberAt(text, kClockPositions[i]) & 0xFF);
    return bytes;
}

std::optional<QString> ValidateClockText(std::string_view text)
{
    // Each number is checked whole: a number too long for the field (possible
    // only outside the masked field) is refused, not cut to its low 8 bits.
    const struct {
        std::size_t at;
        std::uint32_t max;
        const char* message;
    } checks[] = {
        {0, 31, "Не верно установлено число"},  {3, 12, "Не верно установлен месяц"},
        {6, 99, "Не верно установлен год"},     {9, 23, "Не верно установлены часы"},
        {12, 59, "Не верно установлены минуты"},
    };
    for (const auto& c : checks)
        if (NumberAt(text, c.at) > c.max)
            return QString::fromUtf8(c.message);
    return std::nullopt;
}

} // namespace krv
