#include "app/NotationExport.h"

#include <cstdio>
#include <filesystem>

#include "base/Messages.h"
#include "base/Ui.h"
#include "midifile/FileDialogs.h"
#include "model/Score.h"
#include "notation/MusicXmlExport.h"
#include "notation/NotationProgram.h"
#include "settings/RememberFolder.h"

namespace quorvel {

namespace {

constexpr int kPrintTimeoutSeconds = 120;

std::string songTitle(const Score& s) {
  return s.fileName.empty() ? localized("(no title)", s.settings.general.language) : notation::titleOfPath(s.fileName);
}

// The save dialog starts where MIDI files were last saved, and remembers the choice.
std::string askExportPath(Score& s, Ui& ui, const char* filter, const char* extension) {
  const std::string remembered = rememberedFolder(s, kSaveFolderSlot);
  const std::string folder = remembered.empty() || remembered == "./" ? "." : remembered;
  const std::string path =
      ui.askSaveFileName({filter, extension, folder, songTitle(s) + "." + extension});
  const std::string chosenFolder = std::filesystem::path(path).parent_path().string();
  if (!path.empty() && !chosenFolder.empty()) rememberFolder(s, kSaveFolderSlot, path, chosenFolder.size());
  return path;
}

void tell(Score& s, Ui& ui, const char* english, const std::string& caption) {
  ui.messageBox(localized(english, s.settings.general.language), caption, MsgIcon::Exclamation, MsgButtons::Ok);
}

}  // namespace

int exportMusicXml(Score& s, Ui& ui, int staves) {
  const std::string path = askExportPath(s, ui, "MusicXML(*.musicxml)", "musicxml");
  if (path.empty()) return -1;
  if (!notation::writeMusicXmlFile(s, {staves, songTitle(s)}, path)) {
    tell(s, ui, "File could not be created or opened", path);
    return -1;
  }
  ui.setStatus(1, localized("Exported as MusicXML.", s.settings.general.language));
  return 0;
}

int exportPdf(Score& s, Ui& ui, const std::string& program) {
  if (program.empty()) {
    tell(s, ui, "Printing to PDF needs a notation program: install mscore3 (Debian package musescore3).",
         "Export PDF");
    return -1;
  }
  const std::string path = askExportPath(s, ui, "PDF(*.pdf)", "pdf");
  if (path.empty()) return -1;
  // The score goes to the program as MusicXML beside the PDF, and is removed afterwards.
  const std::string score = path + ".musicxml";
  if (!notation::writeMusicXmlFile(s, {4, songTitle(s)}, score)) {
    tell(s, ui, "File could not be created or opened", score);
    return -1;
  }
  const bool printed = notation::convertWithNotationProgram(program, score, path, kPrintTimeoutSeconds).succeeded() &&
                       std::filesystem::exists(path);
  std::remove(score.c_str());
  if (!printed) {
    tell(s, ui, "The notation program could not print the score to PDF.", path);
    return -1;
  }
  ui.setStatus(1, localized("Exported as PDF.", s.settings.general.language));
  return 0;
}

}  // namespace quorvel
