#pragma once

namespace quorvel {

inline constexpr const char* kVersion = "0.1";

}  // namespace quorvel
