#pragma once
// Whole-file reading, and writing that never destroys the previous file.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

using Bytes = std::vector<std::uint8_t>;

// The file's bytes, or nullopt when it cannot be opened or sized.
std::optional<Bytes> readWholeFile(const std::string& path);

// Writes a temporary file in the target's folder and renames it over the
// target, so a failed or interrupted save leaves the old file as it was.
bool replaceFileContents(const std::string& path, const Bytes& bytes);

}  // namespace quorvel
