#pragma once
// Command identifiers shared by the menus, the toolbars and the keyboard.
// Menu and toolbar ids are the resource ids the window shows; the keyboard-only
// actions get ids of their own above 50000 so that all input goes through one table.
namespace quorvel::cmd {

enum : int {
  // File menu.
  kNew = 711,
  kOpen = 712,
  kSave = 721,
  kSaveAs = 722,
  kExportBetweenLocators = 8001,
  kExportForOtherPrograms = 8002,
  kExit = 730,
  // Edit menu.
  kUndo = 30259,
  kRedo = 30258,
  kSelectAll = 30254,
  kDelete = 30262,
  kClearMelodies = 39903,
  kClearDrums = 39904,
  // Tools menu.
  kQuantizeToGrid = 30130,
  kQuantizeToOtherPart = 30240,
  kShuffle = 39861,
  kRegulateBarLength = 30179,
  kTrimOpeningSilence = 30235,
  kTrimOpeningSilenceDrums = 39543,
  kReducePhoneticValue = 30178,
  kDivideAllBars = 30159,
  kDetectKeyNote = 30160,
  kFitKeyNoteToC3 = 30161,
  kCheckVoiceLeading = 30162,
  kOptions = 4000,
  // Help menu.
  kHelp = 30275,
  kVersion = 901,
  // Ruler pop-up menu.
  kSetCueHere = 30157,
  kSetLeftLocatorHere = 30171,
  kSetRightLocatorHere = 30168,
  kSetEndIndicatorHere = 30164,
  // Toolbar buttons.
  kRealTime = 40000,
  kPlay = 40001,
  kStop = 40002,
  kSelectMode = 40003,
  kGenerateMode = 40004,
  kTest = 40005,
  kPrev = 40006,
  kForward = 40007,
  kPause = 40008,
  kLoop = 40009,
  kZeroToN = 40010,
  kNToN = 40011,
  kOptionsButton = 40012,
  kSoprano = 40013,
  kAlto = 40014,
  kTenor = 40015,
  kBass = 40016,
  kDrums = 40017,
  kDrumsHigh = 40018,
  kDrumsMiddle = 40019,
  kDrumsLow = 40020,
  kDrumsUser = 40021,
  kMute = 40022,
  k0to1G = 40023,
  k0to1A = 40024,
  k0to2A = 40025,
  k0to3A = 40026,
  k0to4A = 40027,
  k1to1G = 40028,
  k2to1G = 40029,
  k3to1G = 40030,
  k1to1A = 40031,
  k1to2A = 40032,
  k1to3A = 40033,
  k1to2G = 40034,
  k1to3G = 40035,
  k2to2G = 40036,
  kInfinite = 40037,
  k0toDG = 40038,
  kNtoDG = 40039,
  k0toDA = 40040,
  kNtoDA = 40041,
  // The drums band's Mute button shares its label id 40022 with the melody
  // Mute; it dispatches under an id of its own.
  kMuteDrums = 40122,
  // Keyboard-only actions.
  kCopy = 50001,
  kCut = 50002,
  kPaste = 50003,
  kDetectAndApplyKeyNote = 50004,
  kShorterNewNote = 50005,
  kLongerNewNote = 50006,
  kNewNoteLength = 50007,  // argument: the length in steps
  kStopPreviewNote = 50008,
  kConvertToLearningSchedule = 50009,
  kConvertToRegulatedFormat = 50010,
  kAnalyseFolder = 50011,
  // View menu.
  kZoomIn = 50012,
  kZoomOut = 50013,
  kFitSong = 50014,
};

}  // namespace quorvel::cmd
