#pragma once
// The configuration file (*.cnt and the autosave "default.cnt"): a 35-character
// header, MainImage, and a check byte over the image. 5328 bytes in all.
#include "ConfigStore.h"

#include <string>

namespace krv {

inline constexpr std::size_t kConfigHeaderSize = 35;
inline constexpr std::size_t kConfigFileSize = kConfigHeaderSize + kMainImageSize + 1;
inline constexpr char kConfigHeaderTemplate[] = "[KRVControllerConfiguration_v01.00]";
inline constexpr std::size_t kConfigHeaderPrefixSize = 29;  // "[KRVControllerConfiguration_v"
inline constexpr char kAutosaveFileName[] = "default.cnt";
inline constexpr int kMaxConfigPathLength = 499;              // characters, as the file actions accept

enum LoadResult : int {
    LoadOk = 0,              // loaded
    LoadCannotOpen = 1,      // the file cannot be opened, read or closed
    LoadUnknownFormat = 2,   // header prefix differs, file too short, or check byte wrong
    LoadVersionMismatch = 3, // header prefix right, version wrong
};

// The message the open action shows for a result; empty for LoadOk.
const char* LoadResultMessage(int result); // UTF-8

// The header written for the given image: the template with characters 29..33
// replaced by image bytes 3..7.
std::string ConfigFileHeader(std::span<const std::uint8_t> mainImage);

// Reads the file at `path` (a native path) into store.MainImage. Only a result
// of LoadOk changes the store.
int LoadConfigFile(ConfigStore& store, const std::string& path);
// Same, into a bare image.
int LoadConfigImage(MainImageBytes& image, const std::string& path);
// Parses the bytes of a whole file; the rules of LoadConfigFile after opening.
int ParseConfigFile(std::span<const std::uint8_t> file, MainImageBytes& image);

// Empties the administrator password in the store (byte 20 := 0), then writes
// the file. Returns 0 on success, 1 on failure. The write is atomic: a failure
// leaves any earlier file of that name as it was.
int SaveConfigFile(ConfigStore& store, const std::string& path);

// Start-up: loads the autosave file "default.cnt" from `folder` (the working
// directory when empty); any failure puts the factory MainImage back. Returns
// the load result; no message belongs to it.
int LoadAutosave(ConfigStore& store, const std::string& folder = {});
// Exit: writes "default.cnt" into `folder` (the working directory when empty).
int SaveAutosave(ConfigStore& store, const std::string& folder = {});

} // namespace krv
