#include "Bytes.h"
#include "DeviceIdentity.h"

#include <gtest/gtest.h>

#include <cstring>

namespace krv {
namespace {

DeviceIdentity Make(const char* name, const char* modification, std::uint16_t software)
{
    DeviceIdentity id{};
    std::memcpy(id.data(), name, std::min<std::size_t>(std::strlen(name), 9));
    std::memcpy(id.data() + 9, modification, std::min<std::size_t>(std::strlen(modification), 9));
    WriteU16(id, 20, software);
    return id;
}

TEST(Identity, VersionText)
{
    EXPECT_EQ(VersionText(0), "--.--");
    EXPECT_EQ(VersionText(0x0104), "01.04");
    EXPECT_EQ(VersionText(0x1202), "12.02");
    EXPECT_EQ(VersionText(0x010A), "01.0A");
    EXPECT_EQ(VersionText(0xFFFF), "FF.FF");
}

TEST(Identity, AcceptanceRules)
{
    const struct {
        const char* name;
        const char* modification;
        std::uint16_t software;
        bool device, version;
        const char* versionText;
    } table[] = {
        {"KRV614", "TQ", 0x0104, true, true, "TQ.01.04"},
        {"KRV614", "TQ", 0x0105, true, false, "TQ.01.05"},
        {"KRV614", "TQ-ORBIT", 0x0103, true, true, "TQ-ORBIT.01.03"},
        {"KRV614", "TQ-ORBITX", 0x0103, true, true, "TQ-ORBIT.01.03"}, // 9th character never shown
        {"KRV6147", "TQ", 0x0104, false, true, "TQ.01.04"},
        {"krv614", "TQ", 0x0102, false, true, "TQ.01.02"},
        {"KRV614", "TQ", 0, true, false, "TQ.--.--"},
    };
    for (const auto& row : table) {
        const IdentityTexts t = DisplayIdentity(Make(row.name, row.modification, row.software));
        EXPECT_EQ(IsSupportedDevice(t), row.device) << row.name;
        EXPECT_EQ(IsSupportedVersion(t), row.version) << row.versionText;
        EXPECT_EQ(t.version, row.versionText);
    }
    const IdentityTexts t = DisplayIdentity(Make("KRV614", "TQ", 0x0105));
    EXPECT_EQ(UnsupportedVersionText(t), "Версия TQ.01.05 не поддерживается");
    EXPECT_EQ(UnsupportedDeviceText(DisplayIdentity(Make("KRV615", "", 0))), "Устройство KRV615 не поддерживается");
}

TEST(Identity, FieldsAndIdentifiers)
{
    DeviceIdentity id = Make("ABCDEFGHI", "TQ", 0x0104);
    std::memcpy(id.data() + 24, "2024-03-14-XYZ", 12); // no terminator in the field
    std::memcpy(id.data() + 36, "RUSX", 4);
    std::memcpy(id.data() + 56, "1234567890123456", 16);
    WriteU16(id, 18, 0x1302);
    WriteU16(id, 22, 0x0201);
    const IdentityTexts t = DisplayIdentity(id);
    EXPECT_EQ(t.name, "ABCDEFGH");
    EXPECT_EQ(t.hardware, "13.02");
    EXPECT_EQ(t.bootloader, "02.01");
    EXPECT_EQ(t.date, "2024-03-14-");
    EXPECT_EQ(t.country, "RUS");
    EXPECT_EQ(t.imei, "123456789012345");
    EXPECT_EQ(t.binding, QString(48, ' ') + "-");
    EXPECT_EQ(t.unique, "- - - - - - - -  - - - - - - - -\r\n  - - - - - - - -  - - - - - - - -");
    WriteU32(id, 84, 1);
    WriteU32(id, 40, 4294967295u);
    const IdentityTexts u = DisplayIdentity(id);
    EXPECT_EQ(u.unique, "0000000000 0000000000\r\n 0000000000 0000000001");
    EXPECT_EQ(u.binding, "4294967295 0000000000\r\n 0000000000 0000000000");
    // Code page 1251 texts become Unicode.
    std::memcpy(id.data() + 9, "\xD2\xCA\0", 3);
    EXPECT_EQ(DisplayIdentity(id).modification, "ТК");
}

TEST(Identity, Placeholder)
{
    const IdentityTexts t = DisplayIdentity(PlaceholderIdentity());
    EXPECT_EQ(t.name, "--------");
    EXPECT_EQ(t.modification, "--------");
    EXPECT_EQ(t.hardware, "--.--");
    EXPECT_EQ(t.software, "--.--");
    EXPECT_EQ(t.bootloader, "--.--");
    EXPECT_EQ(t.version, "--------.--.--");
    EXPECT_EQ(t.date, "-----------");
    EXPECT_EQ(t.country, "---");
    EXPECT_EQ(t.imei, "---------------");
    EXPECT_EQ(t.binding, kBindingFiller);
    EXPECT_EQ(t.unique, kUniqueFiller);
    EXPECT_FALSE(IsSupportedDevice(t));
}

} // namespace
} // namespace krv
