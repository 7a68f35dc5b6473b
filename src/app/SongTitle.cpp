#include "app/SongTitle.h"

#include <filesystem>

#include "base/Messages.h"
#include "model/Score.h"

namespace quorvel {

namespace {

constexpr const char* kAppName = "Quorvel";

}  // namespace

std::string songWindowTitle(const SongState& state) {
  if (state.fileName.empty())
    return localized(state.modified ? "(no title)* - Quorvel" : "(no title) - Quorvel", state.language);
  return state.fileName + (state.modified ? "* - " : " - ") + kAppName;
}

std::string songDisplayName(const Score& s) {
  if (s.fileName.empty()) return localized("(no title)", s.settings.general.language);
  return std::filesystem::path(s.fileName).filename().string();
}

}  // namespace quorvel
