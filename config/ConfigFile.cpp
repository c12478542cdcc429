#include "ConfigFile.h"

#include "AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace krv {

const char* LoadResultMessage(int result)
{
    switch (result) {
    case LoadOk:
        return "";
    case LoadUnknownFormat:
        return "Неизвестный формат файла";
    case LoadVersionMismatch:
        return "Несоответствие версий! Файл не может быть использован для конфигурирования этого устройства.";
    default:
        return "Невозможно открыть файл";
    }
}

std::string ConfigFileHeader(std::span<const std::uint8_t> mainImage)
{
    std::string header(kConfigHeaderTemplate, kConfigHeaderSize);
    for (int i = 0; i < 5; ++i)
        header[29 + i] = char(mainImage[3 + i]);
    return header;
}

namespace {

// The header a file must carry to load: the template with the version of the
// default marker ("v.01.02", characters 2..6).
std::string ExpectedHeader()
{
    std::string header(kConfigHeaderTemplate, kConfigHeaderSize);
    header.replace(29, 5, std::string(kDefaultMarker + 2, 5));
    return header;
}

} // namespace

int ParseConfigFile(std::span<const std::uint8_t> file, MainImageBytes& image)
{
    if (file.size() < kConfigHeaderSize)
        return LoadUnknownFormat;
    const std::string_view header(reinterpret_cast<const char*>(file.data()), kConfigHeaderSize);
    if (header.substr(0, kConfigHeaderPrefixSize) != std::string_view(kConfigHeaderTemplate, kConfigHeaderPrefixSize))
        return LoadUnknownFormat;
    if (header != ExpectedHeader())
        return LoadVersionMismatch;
    if (file.size() < kConfigFileSize)
        return LoadUnknownFormat;
    const auto body = file.subspan(kConfigHeaderSize, kMainImageSize);
    if (ImageCheckByte(body) != file[kConfigHeaderSize + kMainImageSize])
        return LoadUnknownFormat;
    std::copy(body.begin(), body.end(), image.begin());
    return LoadOk;
}

int LoadConfigImage(MainImageBytes& image, const std::string& path)
{
    // Opened for reading and writing, as the controller's own tools do: a file
    // that cannot be opened so is refused.
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return LoadCannotOpen;
    // Only the bytes a valid file has are read; anything after the check byte is ignored.
    std::vector<std::uint8_t> bytes(kConfigFileSize);
    std::size_t have = 0;
    bool readError = false;
    while (have < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + have, bytes.size() - have);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            readError = true;
            break;
        }
        if (n == 0)
            break;
        have += std::size_t(n);
    }
    const bool closed = ::close(fd) == 0;
    if (readError || !closed)
        return LoadCannotOpen;
    bytes.resize(have);
    MainImageBytes scratch{};
    const int result = ParseConfigFile(bytes, scratch);
    if (result == LoadOk)
        image = scratch;
    return result;
}

int LoadConfigFile(ConfigStore& store, const std::string& path) { return LoadConfigImage(store.MainImage, path); }

int SaveConfigFile(ConfigStore& store, const std::string& path)
{
    const std::string header = ConfigFileHeader(store.MainImage);
    store.MainImage[kAdminPasswordOffset] = 0;
    const std::uint8_t check = ImageCheckByte(store.MainImage);
    const std::span<const unsigned char> parts[] = {
        {reinterpret_cast<const unsigned char*>(header.data()), header.size()},
        {store.MainImage.data(), store.MainImage.size()},
        {&check, 1},
    };
    return WriteFileAtomically(path, parts) ? 0 : 1;
}

namespace {
std::string AutosavePath(const std::string& folder)
{
    if (folder.empty())
        return kAutosaveFileName;
    return folder.back() == '/' ? folder + kAutosaveFileName : folder + "/" + kAutosaveFileName;
}
} // namespace

int LoadAutosave(ConfigStore& store, const std::string& folder)
{
    const int result = LoadConfigFile(store, AutosavePath(folder));
    if (result != LoadOk)
        store.SetDefaultMainImage();
    return result;
}

int SaveAutosave(ConfigStore& store, const std::string& folder)
{
    return SaveConfigFile(store, AutosavePath(folder));
}

} // namespace krv
