#pragma once
// The one rule checked before a configuration is programmed: controllers of
// hardware versions "12.02" and "13.02" cannot carry CSD data, so no connection
// may have the connection type that needs it (type 1, "PatrolLink").
#include <span>
#include <string>
#include <string_view>

namespace krv {

// 0 when `mainImage` may be programmed into a controller whose displayed
// hardware version is `hardwareVersion` (whole-text comparison); otherwise the
// number (1..8) of the lowest connection of type 1.
int CheckConfiguration(std::string_view hardwareVersion, std::span<const unsigned char> mainImage);

// The message for a refusal naming connection `connection` (UTF-8).
std::string CheckConfigurationMessage(std::string_view hardwareVersion, int connection);
inline constexpr char kCheckConfigurationCaption[] = "Проверка конфигурации";

} // namespace krv
