#include "NotationXml.h"

#include <sstream>

namespace quorvel::test {

void fillSong(Score& s, const std::vector<SongNote>& notes, int keyNote, int mode) {
  for (const SongNote& n : notes)
    addNote(s, n.part, makeMelodyNote(n.start + kSongStartStep, n.key, n.length, n.part));
  s.settings.general.tempo = 120;
  s.settings.melody[kKeyNote] = keyNote;
  s.settings.melody[kMode] = mode;
}

std::string exportXml(const Score& s, int staves) { return notation::musicXmlOfSong(s, {staves, "Test"}); }

std::string flatten(const std::string& text) {
  std::istringstream in(text);
  std::string line, out;
  while (std::getline(in, line)) {
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos) continue;
    if (!out.empty()) out += '\n';
    out += line.substr(first);
  }
  return out;
}

std::string measureBody(const std::string& xml, int part, int measure) {
  const auto partAt = xml.find("<part id=\"P" + std::to_string(part) + "\">");
  if (partAt == std::string::npos) return "";
  const auto measureAt = xml.find("<measure number=\"" + std::to_string(measure) + "\">", partAt);
  const auto end = xml.find("</measure>", measureAt);
  if (measureAt == std::string::npos || end == std::string::npos) return "";
  // The body starts after the measure's attributes and directions.
  auto body = xml.find("</direction>", measureAt);
  if (body == std::string::npos || body > end) body = xml.find("</attributes>", measureAt);
  if (body == std::string::npos || body > end) body = xml.find('>', measureAt);
  body = xml.find('>', body) + 1;
  return flatten(xml.substr(body, end - body));
}

}  // namespace quorvel::test
