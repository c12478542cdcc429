#pragma once
// The configuration store: four blocks, each byte for byte the image of one
// memory area of the controller (area 1 MainImage, 4 ModeMemory,
// 5 SystemParameters, 6 KeyList).
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace krv {

inline constexpr std::size_t kMainImageSize = 5292;
inline constexpr std::size_t kModeMemorySize = 10;
inline constexpr std::size_t kSystemParametersSize = 24;
inline constexpr std::size_t kKeyListSize = 18032;
inline constexpr std::size_t kKeyListHeaderSize = 32;
inline constexpr std::size_t kKeyRecordSize = 36;
inline constexpr std::size_t kKeyRecordCount = 500;
inline constexpr std::size_t kKeyRecordCheckOffset = 32;
static_assert(kKeyListHeaderSize + kKeyRecordCount * kKeyRecordSize == kKeyListSize);

// MainImage offsets that several parts of the program use.
inline constexpr std::size_t kAdminPasswordOffset = 20; // 9-byte text, 8 characters at most
inline constexpr std::size_t kAdminPasswordWidth = 9;
inline constexpr char kDefaultMarker[] = "v.01.02";      // MainImage bytes 1..8

using MainImageBytes = std::array<std::uint8_t, kMainImageSize>;
using ModeMemoryBytes = std::array<std::uint8_t, kModeMemorySize>;
using SystemParametersBytes = std::array<std::uint8_t, kSystemParametersSize>;
using KeyListBytes = std::array<std::uint8_t, kKeyListSize>;

// Two's-complement negation of the XOR of the bytes, so that the XOR of the
// bytes plus the returned value is 0 modulo 256. Protects files, key records
// and frames.
std::uint8_t ImageCheckByte(std::span<const std::uint8_t> bytes);

// The factory-default content of each block.
const MainImageBytes& FactoryMainImage();
const ModeMemoryBytes& FactoryModeMemory();

struct TCONFIGURATION {
    MainImageBytes MainImage{};
    ModeMemoryBytes ModeMemory{};
    SystemParametersBytes SystemParameters{};
    KeyListBytes KeyList{};

    // Fills all four blocks with their factory defaults.
    TCONFIGURATION();

    void SetDefaultMainImage();
    void SetDefaultModeMemory();
    void SetDefaultSystemParameters();
    void SetDefaultKeyList();
    // Recomputes byte 32 of key record `index` (0..499); other indexes are ignored.
    void UpdateKeyRecordCheck(int index);
    // True when byte 0 and the marker text in bytes 1..8 are the defaults.
    bool MarkerMatchesDefault() const;

    bool operator==(const TCONFIGURATION&) const = default;
};

using ConfigStore = TCONFIGURATION;

// The administrator password as the login sends it: the stored text, at most
// 8 characters, zero-padded to 9 bytes.
std::array<std::uint8_t, kAdminPasswordWidth> AdminPasswordField(std::span<const std::uint8_t> mainImage);

} // namespace krv
