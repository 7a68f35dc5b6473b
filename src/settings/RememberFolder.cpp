#include "settings/RememberFolder.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "model/Score.h"
#include "settings/Utf16.h"

namespace quorvel {

namespace {

FolderPath& slotAt(Score& s, int slot) { return s.settings.window.folders[static_cast<std::size_t>(slot)]; }

// A slot that still holds the placeholder, or a folder that is gone, is free
// to take its partner's choice.
bool namesExistingFolder(const FolderPath& folder) {
  if (folder == defaultFolderPath() || folder[0] == u'\0') return false;
  std::error_code ec;
  return std::filesystem::is_directory(slotText(folder), ec);
}

}  // namespace

int rememberFolder(Score& s, int slot, std::string_view path, std::size_t folderLength) {
  if (slot < 0 || slot >= kFolderSlots || folderLength > path.size()) return -1;
  std::string folder(path.substr(0, folderLength));
  if (folder.empty()) folder = "./";
  if (folder.back() != '/') folder += '/';
  FolderPath stored{};
  if (!storeSlotText(stored, folder)) return -1;
  slotAt(s, slot) = stored;
  FolderPath& paired = slotAt(s, slot ^ 1);
  if (!namesExistingFolder(paired)) paired = stored;
  return 0;
}

std::string rememberedFolder(const Score& s, int slot) {
  return slotText(s.settings.window.folders[static_cast<std::size_t>(slot)]);
}

}  // namespace quorvel
