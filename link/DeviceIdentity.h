#pragma once
// The 88-byte identity record (answer of command 5), its displayed texts and
// the two acceptance rules, which work on the displayed texts.
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <span>

namespace krv {

inline constexpr std::size_t kDeviceIdentitySize = 88;
using DeviceIdentity = std::array<std::uint8_t, kDeviceIdentitySize>;

inline constexpr char kSupportedDeviceName[] = "KRV614";
// The software versions this program works with; fixed, not translated.
const QStringList& SupportedVersions();

// The texts shown for an identity, in the order they are shown.
struct IdentityTexts {
    QString name;         // iDeviceNameLabel: first 8 characters
    QString modification; // iModificationLabel: first 8 characters
    QString hardware;     // iHardVerLabel: version text
    QString software;     // iSoftVerLabel
    QString version;      // status panel 2: modification + "." + software
    QString bootloader;   // iBLLabel
    QString date;         // iDateLabel: first 11 characters
    QString country;      // iLabelCountryCode: first 3 characters
    QString binding;      // iLabelDevSNLocked: identifier text
    QString imei;         // iGSMIMEILabel: first 15 characters
    QString unique;       // iLabelDevSN: identifier text
};

// "--.--" for 0, else high and low byte as two upper-case hex digits each, joined by ".".
QString VersionText(std::uint16_t version);
// "%010u %010u\r\n %010u %010u", or `filler` when all four are 0.
QString IdentifierText(std::span<const std::uint8_t, 16> numbers, const QString& filler);
inline const QString kBindingFiller = QString(48, QLatin1Char(' ')) + QLatin1Char('-');
inline const QString kUniqueFiller = QStringLiteral("- - - - - - - -  - - - - - - - -\r\n  - - - - - - - -  - - - - - - - -");

IdentityTexts DisplayIdentity(const DeviceIdentity& identity);

// The identity shown when none is available.
const DeviceIdentity& PlaceholderIdentity();

// The displayed name equals "KRV614" exactly.
bool IsSupportedDevice(const IdentityTexts& shown);
// The displayed controller version is one of the supported versions.
bool IsSupportedVersion(const IdentityTexts& shown);

// Refusal texts of the identification step.
QString UnsupportedDeviceText(const IdentityTexts& shown); // "Устройство " + name + " не поддерживается"
QString UnsupportedVersionText(const IdentityTexts& shown); // "Версия " + version + " не поддерживается"

} // namespace krv
