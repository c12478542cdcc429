#include "CheckConfiguration.h"
#include "ConfigStore.h"

#include <gtest/gtest.h>

using namespace krv;

namespace {
ConfigStore WithTypes(std::initializer_list<std::pair<int, int>> types)
{
    ConfigStore s;
    for (auto [k, t] : types)
        s.MainImage[52 + 36 * k] = std::uint8_t((s.MainImage[52 + 36 * k] & ~3) | t);
    return s;
}
} // namespace

TEST(CheckConfiguration, Table)
{
    const struct {
        const char* hw;
        ConfigStore store;
        int refused;
    } cases[] = {
        {"13.02", WithTypes({{3, 1}, {5, 1}}), 3},
        {"12.02", WithTypes({{8, 1}}), 8},
        {"12.02", WithTypes({{1, 2}, {2, 3}}), 0},
        {"11.02", WithTypes({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}}), 0},
        {"13.02 ", WithTypes({{1, 1}}), 0},
        {"--.--", WithTypes({{1, 1}}), 0},
        {"13.02", ConfigStore{}, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckConfiguration(c.hw, c.store.MainImage), c.refused) << c.hw;
    ConfigStore upper = WithTypes({{2, 1}});
    upper.MainImage[52 + 36 * 2] |= 0xFC; // reserved bits do not matter
    EXPECT_EQ(CheckConfiguration("13.02", upper.MainImage), 2);
}

TEST(CheckConfiguration, Message)
{
    EXPECT_EQ(CheckConfigurationMessage("13.02", 3),
              "Контроллер аппаратной версии 13.02 не поддерживает функцию передачи данных CSD.\n"
              "На вкладке \"Соединение 3\", установите параметр \"Тип соединения\" в состояние отличное от "
              "\"PatrolLink\".");
}
