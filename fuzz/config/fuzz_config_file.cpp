// Any bytes as a configuration file: the loader never crashes, a failed load
// leaves the store as it was, and a successful one takes exactly the file's image.
#include "ConfigFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

const std::string& FilePath()
{
    static const std::string path = [] {
        char name[] = "/tmp/krv-fuzz-cnt-XXXXXX";
        const int fd = mkstemp(name);
        if (fd >= 0)
            close(fd);
        return std::string(name);
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace krv;
    FILE* f = std::fopen(FilePath().c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    ConfigStore store;
    store.MainImage[77] = 0xA5;
    const ConfigStore before = store;
    const int result = LoadConfigFile(store, FilePath());
    if (result < LoadOk || result > LoadVersionMismatch)
        std::abort();
    if (result != LoadOk) {
        if (!(store == before))
            std::abort();
        return 0;
    }
    if (size < kConfigFileSize || std::memcmp(store.MainImage.data(), data + kConfigHeaderSize, kMainImageSize) != 0)
        std::abort();
    // The in-memory parser agrees with the file loader.
    MainImageBytes image{};
    if (ParseConfigFile(std::span(data, size), image) != LoadOk || image != store.MainImage)
        std::abort();
    return 0;
}
