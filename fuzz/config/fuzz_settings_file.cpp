// Any bytes as a settings file: a port name comes out only for a well-formed
// file, has at most 8 characters and holds C, O and M.
#include "Settings.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto name = krv::ParseSettings(bytes);
    if (!name)
        return 0;
    if (size < krv::kSettingsFileSize || name->size() > 8 || name->find('\0') != std::string::npos ||
        name->find('C') == std::string::npos || name->find('O') == std::string::npos ||
        name->find('M') == std::string::npos)
        std::abort();
    // A name of up to 7 characters is written back and read again unchanged.
    if (name->size() < 8 && krv::ParseSettings(krv::SettingsFileBytes(*name)) != name)
        std::abort();
    return 0;
}
