#include "settings/ExtraSettings.h"

#include <string_view>

#include "base/FileIo.h"

namespace quorvel {

namespace {

constexpr std::string_view kMidiInputKey = "midi-input";

// A value ends at the line's end; a stored name can hold no line break.
std::string oneLine(const std::string& value) {
  std::string line;
  for (char c : value)
    if (c != '\n' && c != '\r') line += c;
  return line;
}

}  // namespace

std::filesystem::path extraSettingsPath(const std::filesystem::path& settingsImagePath) {
  return settingsImagePath.parent_path() / kExtraSettingsFileName;
}

ExtraSettings loadExtraSettings(const std::filesystem::path& path) {
  ExtraSettings settings;
  const auto bytes = readWholeFile(path.string());
  if (!bytes) return settings;
  const std::string text(bytes->begin(), bytes->end());
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos && line.substr(0, equals) == kMidiInputKey)
      settings.midiInputPort = std::string(line.substr(equals + 1));
    at = end + 1;
  }
  return settings;
}

int saveExtraSettings(const std::filesystem::path& path, const ExtraSettings& settings) {
  const std::string text = std::string(kMidiInputKey) + "=" + oneLine(settings.midiInputPort) + "\n";
  return replaceFileContents(path.string(), Bytes(text.begin(), text.end())) ? 0 : -1;
}

}  // namespace quorvel
