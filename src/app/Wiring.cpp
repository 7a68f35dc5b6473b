#include "app/Wiring.h"

#include <string>

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/NotationExport.h"
#include "app/PartSelection.h"
#include "app/VoiceLeadingCommands.h"
#include "generator/GenerationCommands.h"
#include "generator/Progress.h"
#include "midifile/PortableExport.h"
#include "midifile/SongFiles.h"
#include "notation/NotationProgram.h"
#include "playback/Player.h"
#include "tools/BarTools.h"
#include "tools/KeyTools.h"
#include "tools/Quantize.h"

namespace quorvel {

namespace {

void wireFiles(AppContext& app) {
  CommandTable& t = app.commands;
  t.bind(cmd::kSave, [](AppContext& a, int) { return saveSong(a.score, a.ui); });
  t.bind(cmd::kSaveAs, [](AppContext& a, int) { return saveSongAs(a.score, a.ui); });
  t.bind(cmd::kExportBetweenLocators, [](AppContext& a, int) { return exportBetweenLocators(a.score, a.ui); });
  t.bind(cmd::kExportForOtherPrograms, [](AppContext& a, int) { return exportForOtherPrograms(a.score, a.ui); });
  t.bind(cmd::kExportMusicXml, [](AppContext& a, int) { return exportMusicXml(a.score, a.ui, 4); });
  t.bind(cmd::kExportMusicXmlTwoStaves, [](AppContext& a, int) { return exportMusicXml(a.score, a.ui, 2); });
  // Looked up at each press, so that a program installed meanwhile is found.
  t.bind(cmd::kExportPdf, [](AppContext& a, int) { return exportPdf(a.score, a.ui, notation::findNotationProgram()); });
  app.ops.readSong = [](AppContext& a, const std::string& path) { return openSongFile(a.score, a.ui, path); };
}

// Bulk tools replace notes wholesale: the views show them afresh.
CommandAction bulkTool(int (*tool)(Score&, Ui&)) {
  return [tool](AppContext& a, int) {
    const int result = tool(a.score, a.ui);
    a.ui.redraw(RedrawTarget::All);
    return result;
  };
}

void wireTools(AppContext& app) {
  CommandTable& t = app.commands;
  t.bind(cmd::kRegulateBarLength, bulkTool(regulateBarLength));
  t.bind(cmd::kReduceNoteValues, bulkTool(reduceNoteValues));
  t.bind(cmd::kDivideIntoParts, bulkTool(divideIntoParts));
  t.bind(cmd::kFitKeyNoteToC3, bulkTool(fitKeyToC3));
  t.bind(cmd::kTrimOpeningSilence, bulkTool([](Score& s, Ui& ui) { return trimOpeningSilence(s, ui, false); }));
  t.bind(cmd::kTrimOpeningSilenceDrums, bulkTool([](Score& s, Ui& ui) { return trimOpeningSilence(s, ui, true); }));
  t.bind(cmd::kDetectKeyNote, [](AppContext& a, int) { return detectKey(a.score, a.ui, false) ? 0 : -2; });
  t.bind(cmd::kCheckVoiceLeading, showVoiceLeadingCheck);
  t.bind(cmd::kDetectAndApplyKeyNote, [](AppContext& a, int) { return detectKey(a.score, a.ui, true) ? 0 : -2; });
  // The argument carries the scope flags of the chord (whole score, between locators).
  t.bind(cmd::kQuantizeToGrid, [](AppContext& a, int scope) {
    return quantizeToGrid(a.score, a.ui, a.random, static_cast<std::uint32_t>(scope), kSongStartX);
  });
  t.bind(cmd::kShuffle, [](AppContext& a, int scope) {
    return shuffleNotes(a.score, a.ui, a.random, static_cast<std::uint32_t>(scope), 0.0, a.score.activeSet(),
                        kSongStartX);
  });
  t.bind(cmd::kQuantizeToOtherPart, [](AppContext& a, int) {
    return quantizeToPart(a.score, a.ui, a.random, kTargetFromSettings, a.score.editPart(), 0.0, kSongStartX, false);
  });
}

CommandAction localGeneration(int (*generate)(GenerationEnv&), bool drums) {
  return [generate, drums](AppContext& a, int) {
    if (drums) enterDrumsEditMode(a);
    GenerationEnv env = a.generationEnv();
    return generate(env);
  };
}

void wireGeneration(AppContext& app) {
  CommandTable& t = app.commands;
  t.bind(cmd::k0to1A, localGeneration(generateZeroToOneA, false));
  t.bind(cmd::k0to2A, localGeneration(generateZeroToTwoA, false));
  t.bind(cmd::k0to3A, localGeneration(generateZeroToThreeA, false));
  t.bind(cmd::k0to4A, localGeneration(generateZeroToFourA, false));
  t.bind(cmd::k1to1A, localGeneration(generateOneToOneA, false));
  t.bind(cmd::k1to2A, localGeneration(generateOneToTwoA, false));
  t.bind(cmd::k1to3A, localGeneration(generateOneToThreeA, false));
  t.bind(cmd::k0toDA, localGeneration(generateZeroToDrumsA, true));
  t.bind(cmd::kNtoDA, localGeneration(generateNToDrumsA, true));
  app.ops.cancelGeneration = [](AppContext& a) {
    GenerationEnv env = a.generationEnv();
    return cancelGeneration(env);
  };
}

// The transport acts on the player when the program has one (tests run without sound).
CommandAction onPlayer(void (*action)(Player&, int arg)) {
  return [action](AppContext& a, int arg) {
    if (!a.player) return -2;
    action(*a.player, arg);
    return 0;
  };
}

void wirePlayback(AppContext& app) {
  CommandTable& t = app.commands;
  t.bind(cmd::kPlay, onPlayer([](Player& p, int) { p.play(); }));
  t.bind(cmd::kPause, onPlayer([](Player& p, int) { p.pause(); }));
  t.bind(cmd::kPrev, onPlayer([](Player& p, int) { p.previous(); }));
  t.bind(cmd::kForward, onPlayer([](Player& p, int) { p.forward(); }));
  t.bind(cmd::kMute, onPlayer([](Player& p, int down) { p.setMelodyMuted(down != 0); }));
  t.bind(cmd::kMuteDrums, onPlayer([](Player& p, int down) { p.setDrumsMuted(down != 0); }));
  // Loop also makes generation work between the locators while it is down.
  t.bind(cmd::kLoop, [](AppContext& a, int down) {
    GenerationEnv env = a.generationEnv();
    setLoopButton(env, down != 0);
    if (a.player) a.player->setLoop(down != 0);
    return 0;
  });
  app.ops.stopPlayback = [](AppContext& a) {
    if (a.player) a.player->stop();
  };
}

}  // namespace

void wireSubsystems(AppContext& app) {
  wireFiles(app);
  wireTools(app);
  wireGeneration(app);
  wireRemoteGeneration(app);
  wireInfiniteGeneration(app);
  wirePlayback(app);
}

}  // namespace quorvel
