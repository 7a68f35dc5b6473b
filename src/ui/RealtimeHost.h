#pragma once
// Note preview and real-time input in the main window: the on-screen keyboard
// and drum lanes, the "R.T." button with "Choose Learning Type", the "MIDI
// Input" menu, and the take that the player ended on its own thread.
#include <QObject>
#include <QTimer>
#include <memory>

#include "app/MidiKeyboard.h"
#include "playback/NotePreview.h"

class QMenu;

namespace quorvel {

struct AppContext;
class MainWindow;

class RealtimeHost : public QObject {
  Q_OBJECT
 public:
  RealtimeHost(AppContext& app, NotePreview& preview, MainWindow& window, MidiInput& input);
  ~RealtimeHost() override;

  MidiKeyboard& keyboard() { return *keyboard_; }
  QMenu* midiInputMenu() const { return menu_; }
  // Writes a take the player ended and puts "R.T." in line with the mode.
  void poll();

 private:
  void connectPanes();
  void lightNoteKeys();
  void showSoundingKeys();
  void bindRealTimeButton();
  void buildMidiInputMenu();
  void fillMidiInputMenu();
  int realTimeButton(int down);

  AppContext& app_;
  NotePreview& preview_;
  MainWindow& window_;
  std::unique_ptr<MidiKeyboard> keyboard_;
  QMenu* menu_ = nullptr;
  QTimer timer_;
};

}  // namespace quorvel
