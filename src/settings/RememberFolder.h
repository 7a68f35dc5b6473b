#pragma once
// The folders the file dialogs start in, remembered in the settings.
#include <string>
#include <string_view>

namespace quorvel {

struct Score;

// Stores the folder part (the first folderLength bytes) of a chosen path in
// the slot (0..9), ending in '/'; then gives the paired slot (0 with 1, 2 with
// 3, ...) the same folder unless that one already names an existing folder of
// its own. Answers -1, changing nothing, for a bad slot or a folder too long
// to store.
int rememberFolder(Score& s, int slot, std::string_view path, std::size_t folderLength);

// The folder remembered in a slot (0..9), as a UTF-8 path ending in '/'.
std::string rememberedFolder(const Score& s, int slot);

}  // namespace quorvel
