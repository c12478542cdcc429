// The clock-text parser and validation, and the live-state display rules, on
// arbitrary bytes.
#include "LiveState.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace krv;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto payload = ClockPayload(text);
    const auto message = ValidateClockText(text);
    if (!message && (payload[2] > 31 || payload[1] > 12 || payload[0] > 99 || payload[3] > 23 || payload[4] > 59))
        std::abort(); // a valid text never yields an out-of-range field
    if (size >= kStatusRecordSize) {
        const StatusRecord r = ParseStatusRecord(std::span<const std::uint8_t, kStatusRecordSize>(data, kStatusRecordSize));
        const QLocale locale = QLocale::c();
        (void)ControllerClockText(r);
        (void)BalanceText(r.BalanceValid(), r.balance, locale);
        (void)TemperatureFor(r.temperature, r.TemperatureValid(), locale);
        (void)MainPowerFor(r.mainPower, locale);
        (void)BatteryFor(r.battery);
        (void)GsmStateText(DefaultGsmStateTexts(), r.gsmState);
        for (int k = 0; k < 8; ++k) {
            (void)Rtd02Text(r.analog[k] & 0x0FFF, locale);
            (void)ScaledText(-1e300, 1e300, r.analog[k], true, locale);
        }
    }
    return 0;
}
