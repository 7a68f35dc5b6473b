#include "learning/AnalysisTable.h"

#include <cstdio>

namespace quorvel {

namespace {

constexpr int kFixedColumns = 6;
const char* const kNoValue = "-";

std::string format(const char* pattern, double value) {
  char text[32];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

std::string number(int value) { return std::to_string(value); }

std::string twoDigits(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}

std::vector<std::string> emptyRow() { return std::vector<std::string>(kAnalysisColumns, kNoValue); }

std::vector<std::string> trackRow(const TrackRecord& r, int index) {
  auto row = emptyRow();
  if (r.empty) return row;
  row[0] = twoDigits(index + 1);
  row[1] = number(r.length);
  row[2] = format("%.1f", r.soundRate * 100);
  row[3] = number(r.noteCount);
  row[4] = format("%.2f", r.meanPitch);
  row[5] = format("%.1f", r.overlap);
  for (int j = 0; j < kMaxAnalysedTracks; ++j)
    if (const auto& d = r.doubling[static_cast<std::size_t>(j)]) row[static_cast<std::size_t>(kFixedColumns + j)] = format("%.1f", *d);
  return row;
}

std::vector<std::string> drumRow(const SongAnalysis& a) {
  auto row = emptyRow();
  if (!a.drumsUsed) return row;
  row[0] = "Dr.";
  row[1] = number(a.drumRecord->length);
  row[2] = format("%.1f", a.drumRecord->soundRate * 100);
  row[3] = number(a.drumRecord->noteCount);
  return row;
}

}  // namespace

std::vector<std::string> analysisColumnTitles(int language) {
  std::vector<std::string> titles = language == 1
      ? std::vector<std::string>{"トラック", "長さ", "発音率", "音数", "平均音高", "重なり"}
      : std::vector<std::string>{"Track", "Length", "Rate", "Number", "Average", "Overlap"};
  for (int j = 1; j <= kMaxAnalysedTracks; ++j) titles.push_back(twoDigits(j));
  return titles;
}

std::vector<int> analysisColumnWidths() {
  std::vector<int> widths{80, 65, 55, 60, 65, 60};
  widths.resize(kAnalysisColumns, 44);
  return widths;
}

TableRows analysisRows(const SongAnalysis& a) {
  TableRows rows;
  for (int i = 0; i < kMaxAnalysedTracks; ++i)
    rows.push_back(i < static_cast<int>(a.records.size()) ? trackRow(a.records[static_cast<std::size_t>(i)], i) : emptyRow());
  rows.push_back(drumRow(a));
  return rows;
}

std::string analysisClipboardText(const std::string& songPath, const std::vector<std::string>& titles,
                                  const TableRows& rows) {
  std::string text = songPath + "\r\n";
  for (const std::string& t : titles) text += t + "\t";
  for (const auto& row : rows) {
    text += "\r\n";
    for (const std::string& cell : row) text += cell + "\t";
  }
  return text;
}

}  // namespace quorvel
