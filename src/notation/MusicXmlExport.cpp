#include "notation/MusicXmlExport.h"

#include <filesystem>

#include "base/FileIo.h"
#include "notation/MusicXmlWriter.h"

namespace quorvel::notation {

std::string musicXmlOfSong(const Score& s, const NotationOptions& options) {
  return musicXmlOf(layoutOf(s, options));
}

bool writeMusicXmlFile(const Score& s, const NotationOptions& options, const std::string& path) {
  const std::string xml = musicXmlOfSong(s, options);
  return replaceFileContents(path, Bytes(xml.begin(), xml.end()));
}

std::string titleOfPath(const std::string& path) { return std::filesystem::path(path).stem().string(); }

}  // namespace quorvel::notation
