#pragma once
// krvctl sub-commands. Each returns the process exit status:
// 0 success, 1 failed / refused / different, 2 usage error or unloadable file.
#include "ConfigStore.h"

#include <string>
#include <vector>

namespace krv::cli {

using Args = std::vector<std::string>;

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// krvctl defaults -o FILE | dump FILE | diff A B. `args` starts after the command name.
int Defaults(const Args& args);
int Dump(const Args& args);
int Diff(const Args& args);

// Device commands (identify, read, program, ...): `command` is the command name.
// Returns -1 when `command` is not a device command.
int RunDeviceCommand(const std::string& command, const Args& args);

// Loads a configuration file's MainImage; on failure prints the load message to stderr.
bool LoadImageOrReport(const std::string& path, MainImageBytes& image);

} // namespace krv::cli
