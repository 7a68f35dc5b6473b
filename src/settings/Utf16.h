#pragma once
// Conversions between the UTF-16 texts stored in the settings image and the
// UTF-8 strings the rest of the program uses for paths and labels.
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// Malformed input becomes U+FFFD.
std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);

// The text of a fixed, zero-terminated slot (a slot without a zero is read to its end).
std::string slotText(std::span<const char16_t> slot);
// Stores the text zero-terminated; false, leaving the slot unchanged, when it does not fit.
bool storeSlotText(std::span<char16_t> slot, std::string_view text);

}  // namespace quorvel
