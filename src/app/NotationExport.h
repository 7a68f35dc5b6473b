#pragma once
// The File menu's way into notation: the song as a MusicXML score (four
// staves or two) and, through the notation program, as a PDF. Results: 0
// written, -1 failed or cancelled.
#include <string>

namespace quorvel {

struct Score;
class Ui;

int exportMusicXml(Score& s, Ui& ui, int staves);

// `program` is the notation program's path; empty when it is not installed,
// and then the user is told what is needed.
int exportPdf(Score& s, Ui& ui, const std::string& program);

}  // namespace quorvel
