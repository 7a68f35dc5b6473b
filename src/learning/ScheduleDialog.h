#pragma once
// The converter dialog's Convert: asks for the schedule files and converts
// every listed MIDI file into them, in list order.
#include <string>
#include <vector>

#include "learning/ScheduleConverter.h"

namespace quorvel {

class Ui;

// Answers 0, or -1 when a save dialog was cancelled or a schedule file could
// not be created (the files created so far stay, empty). A file that cannot
// be read is reported in a message box and skipped. The song is not touched.
int convertLearningSchedules(Score& s, Ui& ui, const std::vector<std::string>& files, LearningType type);

}  // namespace quorvel
