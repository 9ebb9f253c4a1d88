// Whole-file reads and crash-safe writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reads the whole file; throws CFileException when it cannot.
std::vector<std::uint8_t> ReadWholeFile(const std::string& s_path);

// Writes to a temporary file beside s_path, flushes it to disk and renames
// it over s_path. On any failure the temporary file is removed, s_path is
// left as it was, and CFileException is thrown. A link is followed (the
// file it names is replaced, the link stays); a device or a pipe is written
// into, since nothing can take its place.
void WriteFileAtomically(const std::string& s_path, const std::vector<std::uint8_t>& v_bytes);
void WriteFileAtomically(const std::string& s_path, const std::string& s_bytes);
