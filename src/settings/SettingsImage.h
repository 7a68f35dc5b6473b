#pragma once
// The byte image of Quorvel.ini: the nine settings blocks, little-endian,
// every field at its fixed offset and every unnamed byte zero.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/SettingsRecord.h"

namespace quorvel {

std::vector<std::uint8_t> encodeSettingsImage(const Settings& settings);

// Nothing when the image is not exactly kSettingsImageSize bytes long.
std::optional<Settings> decodeSettingsImage(std::span<const std::uint8_t> image);

}  // namespace quorvel
