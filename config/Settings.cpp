#include "Settings.h"

#include "AtomicFile.h"

#include <fstream>
#include <iterator>

namespace krv {
namespace {

constexpr char kHeader[] = "[KRVProgCfg]";
constexpr std::size_t kHeaderSize = 12;
constexpr std::size_t kNameSize = 8;
constexpr unsigned char kMagic[4] = {0x86, 0x42, 0xB8, 0x20}; // 0x20B84286, little-endian

std::string SettingsPath(const std::string& dir)
{
    if (dir.empty())
        return kSettingsFileName;
    return dir.back() == '/' ? dir + kSettingsFileName : dir + "/" + kSettingsFileName;
}

} // namespace

std::optional<std::string> ParseSettings(std::string_view bytes)
{
    if (bytes.size() < kSettingsFileSize || bytes.substr(0, kHeaderSize) != kHeader)
        return std::nullopt;
    std::string_view field = bytes.substr(kHeaderSize, kNameSize);
    std::string name(field.substr(0, field.find('\0')));
    if (name.find('C') == std::string::npos || name.find('O') == std::string::npos ||
        name.find('M') == std::string::npos)
        return std::nullopt;
    if (bytes.substr(kHeaderSize + kNameSize, 4) != std::string_view(reinterpret_cast<const char*>(kMagic), 4))
        return std::nullopt;
    return name;
}

std::optional<std::string> ReadSettings(const std::string& programDirectory)
{
    std::ifstream in(SettingsPath(programDirectory), std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes(kSettingsFileSize, '\0');
    in.read(bytes.data(), std::streamsize(bytes.size()));
    bytes.resize(std::size_t(in.gcount()));
    return ParseSettings(bytes);
}

std::string SettingsFileBytes(const std::string& portName)
{
    std::string bytes(kHeader, kHeaderSize);
    std::string name = portName.substr(0, kNameSize - 1);
    name.resize(kNameSize, '\0');
    bytes += name;
    bytes.append(reinterpret_cast<const char*>(kMagic), 4);
    return bytes;
}

bool WriteSettings(const std::string& programDirectory, const std::string& portName)
{
    const std::string bytes = SettingsFileBytes(portName);
    const std::span<const unsigned char> parts[] = {
        {reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()}};
    return WriteFileAtomically(SettingsPath(programDirectory), parts);
}

} // namespace krv
