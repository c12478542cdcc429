#pragma once
// The program settings file "KRVConfig.cfg": 24 bytes holding the serial port name.
#include <optional>
#include <string>

namespace krv {

inline constexpr char kSettingsFileName[] = "KRVConfig.cfg";
inline constexpr std::size_t kSettingsFileSize = 24;
inline constexpr char kDefaultPortName[] = "COM1";

// The port name stored in the settings file in `programDirectory` (a native
// folder path, with or without a trailing separator), or nothing when the file
// is missing, short, damaged or foreign, or names a port without the letters
// C, O and M. Callers then use kDefaultPortName.
std::optional<std::string> ReadSettings(const std::string& programDirectory);

// The 24 bytes of a settings file naming `portName` (cut to 7 characters).
std::string SettingsFileBytes(const std::string& portName);
std::optional<std::string> ParseSettings(std::string_view bytes);

// Writes the settings file atomically; false on failure.
bool WriteSettings(const std::string& programDirectory, const std::string& portName);

} // namespace krv
