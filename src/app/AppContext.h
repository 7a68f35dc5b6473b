#pragma once
// The application: the one song, the random generator, the command table and
// the state beside the song that the window and the commands share. Created
// once by the program (and by tests) and passed by reference.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/CommandTable.h"
#include "app/NoteKeys.h"
#include "base/Ui.h"
#include "app/ViewState.h"
#include "app/ViewTransport.h"
#include "generator/DrumLibrary.h"
#include "generator/GenerationEnv.h"
#include "model/Random.h"
#include "model/Score.h"
#include "netgen/InfiniteStock.h"
#include "netgen/RemoteClient.h"
#include "netgen/RemoteState.h"

namespace quorvel {

struct AppContext;
class Player;

// Operations of other subsystems that the spine calls with more than a
// command id. An empty one is not built yet and is skipped.
struct Operations {
  // Reads a MIDI file into the song, then finishes as the reader decides
  // (merged, or the track-assignment dialog); an empty path asks with the
  // open dialog. 0 read, -1 failed, -2 cancelled.
  std::function<int(AppContext&, const std::string& path)> readSong;
  // Cancels a running generation; true when one was running.
  std::function<bool(AppContext&)> cancelGeneration;
  // Closes the infinite-generation window; the spine clears the flags.
  std::function<void(AppContext&)> closeInfiniteWindow;
  std::function<void(AppContext&)> stopPlayback;
  // Real-time note input: semitone offsets from the input's base key.
  std::function<void(AppContext&, int offset)> noteKeyDown;
  std::function<void(AppContext&, int offset)> noteKeyUp;
  // Where the last remote generation ended (steps); dropped note sequences continue there.
  std::function<int(AppContext&)> remoteEndStep;
  // Forgets the alternatives of the last remote reply.
  std::function<void(AppContext&)> resetRemoteAlternatives;
};

struct AppContext {
  explicit AppContext(Ui& ui);
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  Ui& ui;
  Score score;
  Random random;
  CommandTable commands;
  Operations ops;
  Player* player = nullptr;  // owned by the program; absent in tests without sound
  GenerationState generation;
  DrumLibrary drumLibrary;
  // The G modes: the last reply's candidates and the connection to the
  // server. The program installs the client at start; without one the G
  // buttons answer "Failed to connect to the server.".
  RemoteState remote;
  std::unique_ptr<RemoteClient> remoteClient;
  bool aiTypesFirstFill = true;  // the "AI Type" page refills its boxes once per run

  // Set while infinite generation runs; read by its loop on other threads.
  std::atomic<bool> infiniteRunning{false};
  // The blocks of infinite generation; the player is told about it once and
  // reports to it only while a run goes on.
  InfiniteStock infiniteStock{score};
  ViewState view;           // scroll, mouse tool and new-note lengths shared by the panes
  ViewTransport transport;  // play controls the ruler uses while the cue is dragged
  int rulerX = 0;           // x where the ruler's pop-up menu was opened
  NoteKeyLatch noteKeys;
  std::filesystem::path programDir;     // data is found at ../share/quorvel from here
  std::filesystem::path settingsPath;   // Quorvel.ini; empty: settings are neither read nor written

  bool busy() const { return score.hasFlag(kFlagGenerating); }
  bool infinite() const { return infiniteRunning.load(); }
  // What a local generation command works with, made afresh for each command.
  GenerationEnv generationEnv();
};

}  // namespace quorvel
