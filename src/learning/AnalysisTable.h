#pragma once
// The table of the "Analyze MIDI File" dialog: 38 columns (Track, Length,
// Rate, Number, Average, Overlap, then the doubling with tracks 01..32) and
// 33 rows (tracks 01..32 and "Dr.").
#include <string>
#include <vector>

#include "learning/SongAnalysis.h"

namespace quorvel {

inline constexpr int kAnalysisColumns = 38;
inline constexpr int kAnalysisRows = 33;

using TableRows = std::vector<std::vector<std::string>>;

std::vector<std::string> analysisColumnTitles(int language);
std::vector<int> analysisColumnWidths();
// Every cell as shown; a cell without a value shows "-".
TableRows analysisRows(const SongAnalysis& analysis);

// What Ctrl+C copies: the song's path, the titles, then the rows, each cell
// followed by a tab, lines joined by CR LF.
std::string analysisClipboardText(const std::string& songPath, const std::vector<std::string>& titles,
                                  const TableRows& rows);

}  // namespace quorvel
