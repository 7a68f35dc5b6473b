#include "app/MenuTable.h"


#include "app/CommandIds.h"

namespace quorvel {

namespace {

constexpr MenuItem kMenuBar[] = {
    {0, "&File", "ファイル(&F)"},
    {cmd::kNew, "&New\tCtrl+N", "新規作成(&N)\tCtrl+N"},
    {cmd::kOpen, "&Open\tCtrl+O", "開く(&O)\tCtrl+O"},
    {cmd::kSave, "&Save\tCtrl+S", "保存(&S)\tCtrl+S"},
    {cmd::kSaveAs, "save &As...\tCtrl+Shift+S", "名前を付けて保存(&A)\tCtrl+Shift+S"},
    {cmd::kExportBetweenLocators, "Export MIDI Between Locators", "ロケータ間をMIDI出力"},
    {cmd::kExportForOtherPrograms, "Export MIDI for Other Programs...", "他のソフト向けにMIDI出力..."},
    {cmd::kExportMusicXml, "Export MusicXML...", "MusicXML出力..."},
    {cmd::kExportMusicXmlTwoStaves, "Export MusicXML (Two Staves)...", "MusicXML出力(2段譜)..."},
    {cmd::kExportPdf, "Export PDF...", "PDF出力..."},
    {cmd::kExit, "&Exit", "終了(&E)"},
    {0, "&Edit", "編集(&E)"},
    {cmd::kUndo, "&Undo\tCtrl+Z", "元に戻す(&U)\tCtrl+Z"},
    {cmd::kRedo, "&Redo\tCtrl+Y", "やり直し(&R)\tCtrl+Y"},
    {cmd::kCut, "Cu&t\tCtrl+X", "切り取り(&T)\tCtrl+X"},
    {cmd::kCopy, "&Copy\tCtrl+C", "コピー(&C)\tCtrl+C"},
    {cmd::kPaste, "&Paste\tCtrl+V", "貼り付け(&P)\tCtrl+V"},
    {cmd::kSelectAll, "select &All\tCtrl+A", "すべて選択(&A)\tCtrl+A"},
    {cmd::kDelete, "&Delete\tDelete", "削除(&D)\tDelete"},
    {cmd::kClearMelodies, "Clear &Melodies\tAlt+M", "旋律をクリア(&M)\tAlt+M"},
    {cmd::kClearDrums, "&Clear Drums\tAlt+N", "ドラムスをクリア(&N)\tAlt+N"},
    {0, "&View", "表示(&V)"},
    {cmd::kZoomIn, "Zoom &In\tCtrl++", "拡大(&I)\tCtrl++"},
    {cmd::kZoomOut, "Zoom &Out\tCtrl+-", "縮小(&O)\tCtrl+-"},
    {cmd::kFitSong, "&Fit Song\tCtrl+0", "曲全体を表示(&F)\tCtrl+0"},
    {0, "&Tools", "ツール(&T)"},
    {cmd::kQuantizeToGrid, "Quantize to Grid(&Q)\tAlt+Q", "グリッドにクォンタイズ(&Q)\tAlt+Q"},
    {cmd::kQuantizeToOtherPart, "&Quantize to Other (&P)art\tAlt+P", "指定パートにクォンタイズ(&P)\tAlt+P"},
    {cmd::kShuffle, "&Shuffle\tAlt+S", "シャッフル(&S)\tAlt+S"},
    {cmd::kRegulateBarLength, "Regulate &Bar Length\tCtrl+B", "音価を正規化(&B)\tCtrl+B"},
    {cmd::kTrimOpeningSilence, "&Trim Opening Silence\tCtrl+T", "曲初の無音をトリミング(&T)\tCtrl+T"},
    {cmd::kTrimOpeningSilenceDrums, "Trim Opening Silence(Dr&ums)(&U)\tCtrl+U",
     "曲初の無音をトリミング(ドラムス)(&U)\tCtrl+U"},
    {cmd::kReduceNoteValues, "Reduce Phonetic &Value\tCtrl+R", "音価を最小限化(&V)\tCtrl+R"},
    {cmd::kDivideIntoParts, "&Divede All Bars into 4 Parts\tCtrl+D", "各音を4パートに振分け(&D)\tCtrl+D"},
    {cmd::kDetectKeyNote, "Detect &Key Note and Scale\tCtrl+K", "キーとスケールを判定(&K)\tCtrl+K"},
    {cmd::kFitKeyNoteToC3, "&Fit Key Note to C3\tCtrl+F", "キーがC3になるよう移動(&F)\tCtrl+F"},
    {cmd::kCheckVoiceLeading, "Check Voice &Leading", "声部進行のチェック(&L)"},
    {cmd::kOptions, "&Options", "オプション(&O)"},
    {0, "&Help", "ヘルプ(&H)"},
    {cmd::kHelp, "&Help", "ヘルプ(&H)"},
    {cmd::kVersion, "&Version", "バージョン(&V)"},
};

constexpr MenuItem kRulerMenu[] = {
    {0, "Scale Menu", "スケールメニュー"},
    {cmd::kSetCueHere, "Set Cue Indicator Here", "キューをここへ"},
    {cmd::kSetLeftLocatorHere, "Set Left Locator Here", "左ロケータをここへ"},
    {cmd::kSetRightLocatorHere, "Set Right Locator Here", "右ロケータをここへ"},
    {cmd::kSetEndIndicatorHere, "Set End Indicator Here", "再生停止位置をここへ"},
};

constexpr int kMouseModeGroup = 1, kPartGroup = 2, kDrumSetGroup = 3;
using K = ButtonKind;

// Transport, mouse mode and the generation drivers.
constexpr ToolbarButton kControlBar[] = {
    {cmd::kPlay, "Play", K::Button, false, 0},        {cmd::kPause, "Paus", K::Button, false, 0},
    {cmd::kStop, "Stop", K::Button, false, 0},        {cmd::kPrev, "Prev", K::Button, false, 0},
    {cmd::kForward, "Fwd.", K::Button, false, 0},     {cmd::kSelectMode, "Sel.", K::Group, false, kMouseModeGroup},
    {cmd::kGenerateMode, "Gen.", K::Group, true, kMouseModeGroup},
    {cmd::kRealTime, "R.T.", K::Check, false, 0},     {cmd::kInfinite, "Inf.", K::Button, false, 0},
    {cmd::kOptionsButton, "OPTS", K::Button, false, 0}, {cmd::kZeroToN, "0toN", K::Button, false, 0},
    {cmd::kNToN, "NtoN", K::Button, false, 0},        {cmd::kLoop, "Loop", K::Check, false, 0},
    {cmd::kMute, "Mute", K::Check, false, 0},
};

// The part being edited and the drums band.
constexpr ToolbarButton kPartBar[] = {
    {cmd::kSoprano, "SOPR", K::Group, true, kPartGroup}, {cmd::kAlto, "ALTO", K::Group, false, kPartGroup},
    {cmd::kTenor, "TENO", K::Group, false, kPartGroup},  {cmd::kBass, "BASS", K::Group, false, kPartGroup},
    {cmd::kDrums, "DRUMS", K::Check, true, 0},
};

// One button per generation mode.
constexpr ToolbarButton kGenerationBar[] = {
    {cmd::k0to1G, "0to1G", K::Button, false, 0}, {cmd::k0to1A, "0to1A", K::Button, false, 0},
    {cmd::k0to2A, "0to2A", K::Button, false, 0}, {cmd::k0to3A, "0to3A", K::Button, false, 0},
    {cmd::k0to4A, "0to4A", K::Button, false, 0}, {cmd::k1to1G, "1to1G", K::Button, false, 0},
    {cmd::k2to1G, "2to1G", K::Button, false, 0}, {cmd::k3to1G, "3to1G", K::Button, false, 0},
    {cmd::k1to2G, "1to2G", K::Button, false, 0}, {cmd::k1to3G, "1to3G", K::Button, false, 0},
    {cmd::k2to2G, "2to2G", K::Button, false, 0}, {cmd::k1to1A, "1to1A", K::Button, false, 0},
    {cmd::k1to2A, "1to2A", K::Button, false, 0}, {cmd::k1to3A, "1to3A", K::Button, false, 0},
    {cmd::k0toDG, "0toDG", K::Button, false, 0}, {cmd::kNtoDG, "NtoDG", K::Button, false, 0},
    {cmd::k0toDA, "0toDA", K::Button, false, 0}, {cmd::kNtoDA, "NtoDA", K::Button, false, 0},
};

// The drums band: the drum set being edited and the drums' mute.
constexpr ToolbarButton kDrumsBar[] = {
    {cmd::kDrumsHigh, "HIGH", K::Group, true, kDrumSetGroup}, {cmd::kDrumsMiddle, "MIDD", K::Group, false, kDrumSetGroup},
    {cmd::kDrumsLow, "LOW", K::Group, false, kDrumSetGroup},  {cmd::kDrumsUser, "USER", K::Group, false, kDrumSetGroup},
    {cmd::kMuteDrums, "Mute", K::Check, false, 0},
};

}  // namespace

std::span<const MenuItem> menuBarItems() { return kMenuBar; }
std::span<const MenuItem> rulerMenuItems() { return kRulerMenu; }

const char* menuText(const MenuItem& item, int language) { return language == 1 ? item.japanese : item.english; }

std::span<const ToolbarButton> toolbarButtons(int toolbar) {
  switch (toolbar) {
    case 0: return kControlBar;
    case 1: return kPartBar;
    case 2: return kGenerationBar;
    case 3: return kDrumsBar;
    default: return {};
  }
}

}  // namespace quorvel
