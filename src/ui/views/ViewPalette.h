#pragma once
// Colours of the piano-roll panes: one hue per part and drum level, drawn
// strong for the edited set and faded for the others.
#include <QColor>

namespace quorvel::views {

QColor partColour(int part);           // 0 Bass .. 3 Soprano
QColor levelColour(int level);         // drum levels 0..3
QColor fadedColour(const QColor& c);   // the sets not being edited
QColor outlineColour(const QColor& c);

inline const QColor kGridBackground{0xFF, 0xFF, 0xFF};
inline const QColor kBlackKeyRow{0xE9, 0xED, 0xF2};
inline const QColor kOutside{0xB8, 0xBC, 0xC2};
inline const QColor kBarLine{0x00, 0x00, 0x00};
inline const QColor kBeatLine{0xD2, 0xD6, 0xDC};
inline const QColor kOctaveLine{0x9A, 0xA2, 0xAE};
inline const QColor kFifthLine{0xDE, 0xE2, 0xE8};
inline const QColor kSelectionFill{0xFF, 0xD4, 0x00};
inline const QColor kSelectionOutline{0x20, 0x20, 0x20};
inline const QColor kKeyNoteBand{0x3C, 0xB4, 0x4B, 0x50};
inline const QColor kKeyNoteMarker{0x1E, 0x8C, 0x32};
inline const QColor kRubberBand{0x30, 0x60, 0xC0};
inline const QColor kCue{0x10, 0x50, 0xD0};
inline const QColor kLocator{0x1E, 0x8C, 0x32};
inline const QColor kEndIndicator{0xC0, 0x20, 0x20};
inline const QColor kRulerBackground{0xF4, 0xF5, 0xF7};

}  // namespace quorvel::views
