#pragma once
// Filling the "%s" and "%d" slots of catalogue texts without printf, so that a
// text from a file or a path can never act as a format.
#include <string>
#include <string_view>

namespace quorvel {

// Replaces the first "%s" with the value.
std::string formatWithString(std::string_view pattern, std::string_view value);

}  // namespace quorvel
