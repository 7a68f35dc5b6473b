#include "midifile/FileDialogs.h"

#include <filesystem>

#include "base/Ui.h"
#include "model/Score.h"
#include "settings/RememberFolder.h"

namespace quorvel {

namespace {

constexpr const char* kMidiFilter = "MIDI(*.mid,*.midi)";
constexpr const char* kMidiExtension = "midi";

// A slot that was never chosen holds the working folder.
std::string startFolder(const Score& s, int slot) {
  const std::string folder = rememberedFolder(s, slot);
  return folder.empty() || folder == "./" || folder == ".\\" ? "." : folder;
}

void rememberFolderOf(Score& s, int slot, const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  if (!folder.empty()) rememberFolder(s, slot, path, folder.size());
}

}  // namespace

std::string askMidiOpenPath(Score& s, Ui& ui) {
  const std::string path =
      ui.askOpenFileName({kMidiFilter, kMidiExtension, startFolder(s, kOpenFolderSlot), ""});
  if (!path.empty()) rememberFolderOf(s, kOpenFolderSlot, path);
  return path;
}

std::string askMidiSavePath(Score& s, Ui& ui, const std::string& initialName) {
  const std::string path =
      ui.askSaveFileName({kMidiFilter, kMidiExtension, startFolder(s, kSaveFolderSlot), initialName});
  if (!path.empty()) rememberFolderOf(s, kSaveFolderSlot, path);
  return path;
}

}  // namespace quorvel
