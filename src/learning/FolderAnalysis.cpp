#include "learning/FolderAnalysis.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "base/Messages.h"
#include "base/Ui.h"
#include "learning/AnalysisOutputs.h"
#include "learning/OrderedBatch.h"
#include "base/QuietUi.h"
#include "midifile/MidiReader.h"
#include "model/Score.h"
#include "settings/RememberFolder.h"

namespace quorvel {

namespace {

namespace fs = std::filesystem;

constexpr int kInputFolderSlot = 7, kOutputFolderSlot = 8;

void forceAnalysisFileOptions(FileSettings& file) {
  file.options[kReadFormat0] = 0;
  file.options[kReadAllAsDrums] = 0;
  file.options[kReadAllAsRegular] = 0;
}

bool makeGroupFolders(const std::string& outDir) {
  std::error_code ec;
  for (const char* group : {"L", "N"}) fs::create_directories(fs::path(outDir) / group, ec);
  return !ec;
}

std::string askFolder(Score& s, Ui& ui, const char* title, int slot) {
  const std::string folder = ui.askFolder(localized(title, s.settings.general.language), rememberedFolder(s, slot));
  if (folder.empty()) return folder;
  const std::string remembered = folder.ends_with('/') ? folder : folder + "/";
  rememberFolder(s, slot, remembered, remembered.size());
  return folder;
}

class TableFile {
 public:
  bool open(const std::string& path) {
    if (path.empty()) return true;
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) return false;
    std::string header = "File";
    for (const std::string& t : analysisColumnTitles(0)) header += "\t" + t;
    write(header + "\n");
    return true;
  }
  void add(const std::string& songPath, const TableRows& rows) {
    if (!file_) return;
    for (const auto& row : rows) {
      std::string line = songPath;
      for (const std::string& cell : row) line += "\t" + cell;
      write(line + "\n");
    }
  }
  bool close() {
    if (!file_) return true;
    const bool ok = std::fclose(file_) == 0 && ok_;
    file_ = nullptr;
    return ok;
  }
  ~TableFile() { close(); }

 private:
  void write(const std::string& text) { ok_ = std::fwrite(text.data(), 1, text.size(), file_) == text.size() && ok_; }
  std::FILE* file_ = nullptr;
  bool ok_ = true;
};

struct Outcome {
  int status = 0;  // 0 analysed, -1 rejected by the reader, -2 not readable
  std::vector<OutputFile> files;
  TableRows rows;
};

}  // namespace

std::vector<std::string> analysableFiles(const std::string& folder) {
  std::vector<std::string> files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    if (!entry.is_regular_file(ec)) continue;
    const std::string name = entry.path().filename().string();
    const auto dot = name.find(".mid");
    if (dot != std::string::npos && dot > 0) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

int analyseBytes(Score& work, ByteView file, SongAnalysis& analysis) {
  QuietUi ui;
  ImportResult imported;
  if (readMidiBytes(work, ui, file, ReadOptions::from(work.settings.file), imported) != 0) return -1;
  takeImportedTracks(work, analysis);
  analyseTracks(analysis);
  return 0;
}

BatchResult analyseAll(const std::string& inDir, const std::string& outDir, const std::string& tablePath,
                       unsigned jobs, const BatchObserver& observer) {
  BatchResult result;
  std::error_code ec;
  if (!fs::is_directory(inDir, ec)) {
    result.error = inDir + ": not a folder";
    return result;
  }
  if (!makeGroupFolders(outDir)) {
    result.error = outDir + ": File could not be created or opened";
    return result;
  }
  TableFile table;
  if (!table.open(tablePath)) {
    result.error = tablePath + ": File could not be created or opened";
    return result;
  }
  const auto inputs = analysableFiles(inDir);
  const unsigned threads = batchThreads(jobs);
  std::vector<std::unique_ptr<Score>> scratch;
  for (unsigned i = 0; i < threads; ++i) {
    scratch.push_back(std::make_unique<Score>());
    forceAnalysisFileOptions(scratch.back()->settings.file);
  }
  OrderedBatch<Outcome>::run(
      inputs.size(), threads,
      [&](std::size_t index, unsigned worker) {
        Outcome outcome;
        Score& work = *scratch[worker];
        const auto bytes = readWholeFile(inputs[index]);
        SongAnalysis analysis;
        if (!bytes) outcome.status = -2;
        else if (analyseBytes(work, *bytes, analysis) != 0) outcome.status = -1;
        if (outcome.status != 0) return outcome;
        outcome.files = analysisOutputs(analysis, inputs[index], work);
        outcome.rows = analysisRows(analysis);
        return outcome;
      },
      [&](std::size_t index, Outcome& outcome) {
        if (outcome.status == 0) {
          writeAnalysisOutputs(outDir, outcome.files);
          table.add(inputs[index], outcome.rows);
          ++result.converted;
        } else {
          ++result.failed;
          observer.reportFailure(inputs[index], outcome.status == -1 ? "Please check if the file is right"
                                                                    : "File could not be created or opened");
        }
        observer.reportProgress(index + 1, inputs.size());
      });
  if (!table.close()) result.error = tablePath + ": could not be written";
  return result;
}

int analyseFolder(Score& s, Ui& ui) {
  const FileSettings savedOptions = s.settings.file;
  forceAnalysisFileOptions(s.settings.file);
  const std::string inDir = askFolder(s, ui, "Select a input folder.", kInputFolderSlot);
  const std::string outDir = inDir.empty() ? inDir : askFolder(s, ui, "Select a output folder.", kOutputFolderSlot);
  if (outDir.empty()) {
    s.settings.file = savedOptions;
    return -1;
  }
  makeGroupFolders(outDir);
  s.setFlag(kFlagAnalysing);
  const int language = s.settings.general.language;
  auto scratch = std::make_unique<Score>();
  for (const std::string& path : analysableFiles(inDir)) {
    ImportResult imported;
    std::string chosen;
    if (readMidiFile(s, ui, path, false, imported, chosen) != 0) continue;
    s.fileName = path;
    SongAnalysis analysis;
    takeImportedTracks(s, analysis);
    analyseTracks(analysis);
    applyAnalysis(s, analysis);
    ui.redraw(RedrawTarget::All);
    writeAnalysisOutputs(outDir, analysisOutputs(analysis, path, *scratch));
    TableDialogRequest table;
    table.title = localized("Analyze MIDI File", language);
    table.columnTitles = analysisColumnTitles(language);
    table.columnWidths = analysisColumnWidths();
    table.rows = analysisRows(analysis);
    table.clipboardText = analysisClipboardText(path, table.columnTitles, table.rows);
    table.okLabel = "OK";
    table.closeLabel = localized("Close", language);
    table.convertLabel = localized("Convert", language);
    ui.showTableDialog(table);
    clearMelodies(s, ui);
    clearDrums(s, ui);
  }
  ui.messageBox(localized("Analysis Completed.", language), "Quorvel", MsgIcon::None, MsgButtons::Ok);
  s.clearFlag(kFlagAnalysing);
  s.settings.file = savedOptions;
  return 0;
}

}  // namespace quorvel
