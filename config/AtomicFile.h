#pragma once
// Whole-file writes that never leave a damaged file behind: the content goes to
// a temporary file in the same folder, is flushed to disk, and replaces the
// target by a rename only when complete.
#include <span>
#include <string>

namespace krv {

// Writes `parts` back to back as the new content of `path`. Returns false on any
// failure (folder missing or not writable, disk full, ...); the old file, if
// any, is then untouched and no temporary file is left.
bool WriteFileAtomically(const std::string& path, std::span<const std::span<const unsigned char>> parts);

} // namespace krv
