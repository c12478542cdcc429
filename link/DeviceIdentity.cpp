#include "DeviceIdentity.h"

#include "Bytes.h"
#include "Cp1251.h"

#include <algorithm>
#include <cstring>

namespace krv {
namespace {

// The zero-terminated text of a field, cut to `shown` characters (bytes of
// code page 1251).
QString FieldShown(const DeviceIdentity& id, std::size_t offset, std::size_t size, std::size_t shown)
{
    const std::string_view text = FieldText(std::span(id).subspan(offset, size));
    return FromCp1251(text.substr(0, std::min(shown, text.size())));
}

void PutText(DeviceIdentity& id, std::size_t offset, const char* text)
{
    std::memcpy(id.data() + offset, text, std::strlen(text));
}

} // namespace

const QStringList& SupportedVersions()
{
    static const QStringList versions = {QStringLiteral("TQ.01.02"), QStringLiteral("TQ-ORBIT.01.02"),
                                         QStringLiteral("TQ-ORBIT.01.03"), QStringLiteral("TQ.01.04")};
    return versions;
}

QString VersionText(std::uint16_t version)
{
    if (version == 0)
        return QStringLiteral("--.--");
    return QStringLiteral("%1.%2")
        .arg(version >> 8, 2, 16, QLatin1Char('0'))
        .arg(version & 0xFF, 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString IdentifierText(std::span<const std::uint8_t, 16> numbers, const QString& filler)
{
    std::uint32_t v[4];
    for (int i = 0; i < 4; ++i)
        v[i] = ReadU32(numbers, std::size_t(4 * i));
    if (v[0] == 0 && v[1] == 0 && v[2] == 0 && v[3] == 0)
        return filler;
    auto d = [](std::uint32_t x) { return QStringLiteral("%1").arg(x, 10, 10, QLatin1Char('0')); };
    return d(v[0]) + QLatin1Char(' ') + d(v[1]) + QStringLiteral("\r\n ") + d(v[2]) + QLatin1Char(' ') + d(v[3]);
}

IdentityTexts DisplayIdentity(const DeviceIdentity& id)
{
    IdentityTexts t;
    t.name = FieldShown(id, 0, 9, 8);
    t.modification = FieldShown(id, 9, 9, 8);
    t.hardware = VersionText(ReadU16(id, 18));
    t.software = VersionText(ReadU16(id, 20));
    t.version = t.modification + QLatin1Char('.') + t.software;
    t.bootloader = VersionText(ReadU16(id, 22));
    t.date = FieldShown(id, 24, 12, 11);
    t.country = FieldShown(id, 36, 4, 3);
    t.binding = IdentifierText(std::span<const std::uint8_t, 16>(id.data() + 40, 16), kBindingFiller);
    t.imei = FieldShown(id, 56, 16, 15);
    t.unique = IdentifierText(std::span<const std::uint8_t, 16>(id.data() + 72, 16), kUniqueFiller);
    return t;
}

const DeviceIdentity& PlaceholderIdentity()
{
    static const DeviceIdentity placeholder = [] {
        DeviceIdentity id{};
        PutText(id, 0, "--------");
        PutText(id, 9, "--------");
        PutText(id, 24, "-----------");
        PutText(id, 36, "---");
        PutText(id, 56, "---------------");
        return id;
    }();
    return placeholder;
}

bool IsSupportedDevice(const IdentityTexts& shown)
{
    return shown.name == QLatin1String(kSupportedDeviceName);
}

bool IsSupportedVersion(const IdentityTexts& shown)
{
    return SupportedVersions().contains(shown.version);
}

QString UnsupportedDeviceText(const IdentityTexts& shown)
{
    return QStringLiteral("Устройство ") + shown.name + QStringLiteral(" не поддерживается");
}

QString UnsupportedVersionText(const IdentityTexts& shown)
{
    return QStringLiteral("Версия ") + shown.version + QStringLiteral(" не поддерживается");
}

} // namespace krv
