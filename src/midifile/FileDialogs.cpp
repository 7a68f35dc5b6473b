#include "midifile/FileDialogs.h"

#include <filesystem>
#include <system_error>

#include "app/Ui.h"
#include "model/Score.h"
#include "settings/Utf16.h"

namespace quorvel {

namespace {

constexpr const char* kMidiFilter = "MIDI(*.mid,*.midi)";
constexpr const char* kMidiExtension = "midi";

FolderPath& slotAt(Score& s, int slot) { return s.settings.window.folders[static_cast<std::size_t>(slot)]; }

// A slot that was never chosen holds the working folder, ".\\" or "./".
bool isDefaultFolder(const std::string& folder) { return folder.empty() || folder == ".\\" || folder == "./"; }

std::string folderOfSlot(Score& s, int slot) {
  const std::string folder = slotText(slotAt(s, slot));
  return isDefaultFolder(folder) ? "." : folder;
}

bool isChosenFolder(const std::string& folder) {
  std::error_code ec;
  return !isDefaultFolder(folder) && std::filesystem::is_directory(folder, ec);
}

}  // namespace

void rememberFolderOf(Score& s, int slot, const std::string& path) {
  std::string folder = std::filesystem::path(path).parent_path().string();
  if (folder.empty()) return;
  folder += '/';
  storeSlotText(slotAt(s, slot), folder);
  const int paired = slot ^ 1;
  if (!isChosenFolder(slotText(slotAt(s, paired)))) storeSlotText(slotAt(s, paired), folder);
}

std::string askMidiOpenPath(Score& s, Ui& ui) {
  const std::string path =
      ui.askOpenFileName({kMidiFilter, kMidiExtension, folderOfSlot(s, kOpenFolderSlot), ""});
  if (!path.empty()) rememberFolderOf(s, kOpenFolderSlot, path);
  return path;
}

std::string askMidiSavePath(Score& s, Ui& ui, const std::string& initialName) {
  const std::string path =
      ui.askSaveFileName({kMidiFilter, kMidiExtension, folderOfSlot(s, kSaveFolderSlot), initialName});
  if (!path.empty()) rememberFolderOf(s, kSaveFolderSlot, path);
  return path;
}

}  // namespace quorvel
