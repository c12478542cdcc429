#include "Commands.h"

#include "ConfigFile.h"
#include "FieldValues.h"

#include <cstdio>
#include <iostream>

namespace krv::cli {

bool LoadImageOrReport(const std::string& path, MainImageBytes& image)
{
    const int result = LoadConfigImage(image, path);
    if (result == LoadOk)
        return true;
    std::cerr << path << ": " << LoadResultMessage(result) << "\n";
    return false;
}

int Defaults(const Args& args)
{
    if (args.size() != 2 || args[0] != "-o") {
        std::cerr << "usage: krvctl defaults -o FILE\n";
        return kExitUsage;
    }
    ConfigStore store;
    if (SaveConfigFile(store, args[1]) != 0) {
        std::cerr << args[1] << ": " << "Невозможно сохранить файл" << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

int Dump(const Args& args)
{
    if (args.size() != 1) {
        std::cerr << "usage: krvctl dump FILE\n";
        return kExitUsage;
    }
    MainImageBytes image{};
    if (!LoadImageOrReport(args[0], image))
        return kExitUsage;
    std::cout << DumpJson(BlockId::MainImage, image);
    return kExitOk;
}

int Diff(const Args& args)
{
    if (args.size() != 2) {
        std::cerr << "usage: krvctl diff A B\n";
        return kExitUsage;
    }
    MainImageBytes a{}, b{};
    if (!LoadImageOrReport(args[0], a) || !LoadImageOrReport(args[1], b))
        return kExitUsage;
    const auto diffs = DiffBlocks(BlockId::MainImage, a, b);
    for (const auto& d : diffs)
        std::cout << d.Line() << "\n";
    return diffs.empty() ? kExitOk : kExitFailed;
}

} // namespace krv::cli
