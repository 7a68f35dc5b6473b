#pragma once
// The commands the spine carries out itself; each group binds its operations
// into the command table.

namespace quorvel {

class CommandTable;

void bindEditCommands(CommandTable& table);     // undo, redo, select all, delete, clipboard
void bindPartCommands(CommandTable& table);     // part and drum-set choice, drums band, mouse mode, note length
void bindMarkerCommands(CommandTable& table);   // the ruler's pop-up menu
void bindHelpCommands(CommandTable& table);     // help page and version box
void bindWindowCommands(CommandTable& table);
void bindViewCommands(CommandTable& table);     // zoom in, zoom out, fit song   // Exit and the Stop button's end of infinite generation

}  // namespace quorvel
