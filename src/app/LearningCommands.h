#pragma once
// The keyboard commands of the learning-data tools: the schedule converter
// (Ctrl+Shift+F), the regulated-format converter (Ctrl+Shift+G) and the
// folder analysis (Ctrl+Shift+B).

namespace quorvel {

class CommandTable;

void bindLearningCommands(CommandTable& table);

}  // namespace quorvel
