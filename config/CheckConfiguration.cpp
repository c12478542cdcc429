#include "CheckConfiguration.h"

namespace krv {

int CheckConfiguration(std::string_view hardwareVersion, std::span<const unsigned char> mainImage)
{
    if (hardwareVersion != "12.02" && hardwareVersion != "13.02")
        return 0;
    for (int k = 1; k <= 8; ++k)
        if ((mainImage[52 + 36 * k] & 0x03) == 1)
            return k;
    return 0;
}

std::string CheckConfigurationMessage(std::string_view hardwareVersion, int connection)
{
    std::string text = "Контроллер аппаратной версии ";
    text += hardwareVersion;
    text += " не поддерживает функцию передачи данных CSD.\nНа вкладке \"Соединение ";
    text += std::to_string(connection);
    text += "\", установите параметр \"Тип соединения\" в состояние отличное от \"PatrolLink\".";
    return text;
}

} // namespace krv
