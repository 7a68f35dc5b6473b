#include "learning/RegulatedFormat.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "base/Messages.h"
#include "base/Ui.h"
#include "learning/OrderedBatch.h"
#include "base/QuietUi.h"
#include "midifile/MidiReader.h"
#include "midifile/MidiWriter.h"
#include "midifile/SongFiles.h"
#include "model/Score.h"
#include "settings/RememberFolder.h"
#include "tools/RegulateChain.h"

namespace quorvel {

namespace {

constexpr int kOutputFolderSlot = 8;

std::string baseName(const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  const auto dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

Bytes regulatedBytes(const Score& s) {
  return writeMidi(s, kSopranoSet, kBassSet, kDrumsView, WriteOptions::from(s.settings.file));
}

std::string joinPath(const std::string& folder, const std::string& name) {
  return (std::filesystem::path(folder) / name).string();
}

struct Outcome {
  int status = 0;
  RegulatedSong song;
};

}  // namespace

std::string regulatedFileName(const std::string& inputPath, const KeyEstimate& key) {
  char tail[64];
  std::snprintf(tail, sizeof tail, "_%s_%s_%2.2f%%.midi", kKeyNames[static_cast<std::size_t>(key.tonic)],
                kScaleNames[static_cast<std::size_t>(key.mode)], key.percent);
  return baseName(inputPath) + tail;
}

void forceRegulatedFileOptions(FileSettings& file) {
  file.options[kReadFormat0] = kSwitchOn;
  file.options[kReadDrumsTrack] = kSwitchOn;
  file.options[kWriteFormat0] = kSwitchOff;
  file.options[kExportDrums] = kSwitchOn;
  file.options[kReadAllAsRegular] = kSwitchOff;
}

int regulateBytes(Score& work, ByteView file, const std::string& inputPath, RegulatedSong& out) {
  QuietUi ui;
  ImportResult imported;
  if (readMidiBytes(work, ui, file, ReadOptions::from(work.settings.file), imported) != 0) return -1;
  clipToTimeline(work);
  if (imported.info.tempo() > 0) work.settings.general.tempo = imported.info.tempo();
  const auto key = regulateSong(work, ui);
  if (!key) return -2;
  out.name = regulatedFileName(inputPath, *key);
  out.bytes = regulatedBytes(work);
  return 0;
}

BatchResult regulateAll(int keyPart, const std::string& outDir, const std::vector<std::string>& inputs, unsigned jobs,
                        const BatchObserver& observer) {
  BatchResult result;
  std::error_code ec;
  if (!std::filesystem::is_directory(outDir, ec)) {
    result.error = outDir + ": not a folder";
    return result;
  }
  // Every file starts from the same settings, so no file's tempo or key note
  // carries over to the next one a worker converts.
  Settings baseline;
  forceRegulatedFileOptions(baseline.file);
  baseline.parts.editPart = keyPart;
  const unsigned threads = batchThreads(jobs);
  std::vector<std::unique_ptr<Score>> scratch;
  for (unsigned i = 0; i < threads; ++i) scratch.push_back(std::make_unique<Score>());

  OrderedBatch<Outcome>::run(
      inputs.size(), threads,
      [&](std::size_t index, unsigned worker) {
        Outcome outcome;
        Score& work = *scratch[worker];
        work.settings = baseline;
        const auto bytes = readWholeFile(inputs[index]);
        outcome.status = bytes ? regulateBytes(work, *bytes, inputs[index], outcome.song) : -3;
        return outcome;
      },
      [&](std::size_t index, Outcome& outcome) {
        const std::string& path = inputs[index];
        if (outcome.status == 0 && replaceFileContents(joinPath(outDir, outcome.song.name), outcome.song.bytes)) {
          ++result.converted;
        } else {
          ++result.failed;
          const char* reason = outcome.status == -1   ? "Please check if the file is right"
                               : outcome.status == -2 ? "no melody notes to find a key in"
                                                      : "File could not be created or opened";
          observer.reportFailure(outcome.status == 0 ? joinPath(outDir, outcome.song.name) : path, reason);
        }
        observer.reportProgress(index + 1, inputs.size());
      });
  return result;
}

int regulateFiles(Score& s, Ui& ui, const std::vector<std::string>& files, int keyPart) {
  if (files.empty()) return -2;
  const int language = s.settings.general.language;
  const std::string folder =
      ui.askFolder(localized("Select a output folder.", language), rememberedFolder(s, kOutputFolderSlot));
  if (folder.empty()) return -1;
  const std::string remembered = folder.ends_with('/') ? folder : folder + "/";
  rememberFolder(s, kOutputFolderSlot, remembered, remembered.size());

  const FileSettings savedOptions = s.settings.file;
  const int savedEditPart = s.settings.parts.editPart;
  forceRegulatedFileOptions(s.settings.file);
  s.settings.parts.editPart = keyPart;
  for (const std::string& file : files) {
    if (openSongFile(s, ui, file) != 0) break;
    const auto key = regulateSong(s, ui);
    if (!key) continue;
    const std::string path = joinPath(folder, regulatedFileName(file, *key));
    if (!replaceFileContents(path, regulatedBytes(s)))
      ui.messageBox(localized("File could not be created or opened", language), path, MsgIcon::Exclamation,
                    MsgButtons::Ok);
  }
  s.settings.file = savedOptions;
  s.settings.parts.editPart = savedEditPart;
  ui.redraw(RedrawTarget::Melody);
  ui.messageBox(localized("Regularization Completed.", language), "Quorvel", MsgIcon::None, MsgButtons::Ok);
  return 0;
}

}  // namespace quorvel
