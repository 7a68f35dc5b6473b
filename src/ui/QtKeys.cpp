#include "ui/QtKeys.h"

#include <QGuiApplication>

#include "app/NoteKeys.h"

namespace quorvel {

namespace {

int keyCode(int qtKey) {
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F8) return kKeyF1 + (qtKey - Qt::Key_F1);
  if (qtKey == Qt::Key_Delete) return kKeyDelete;
  return qtKey < 0x80 ? qtKey : 0;
}

// X11 and Wayland key codes are the Linux evdev codes plus 8; those equal the
// set-1 scan codes of the note keys. Elsewhere the key's US-layout position stands in.
int scanCode(const QKeyEvent& event, int key) {
  const QString platform = QGuiApplication::platformName();
  const bool evdevCodes = platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
  if (evdevCodes && event.nativeScanCode() > 8) return static_cast<int>(event.nativeScanCode()) - 8;
  return usLayoutScanCode(key);
}

}  // namespace

KeyChord toKeyChord(const QKeyEvent& event) {
  const Qt::KeyboardModifiers mods = event.modifiers();
  KeyChord chord;
  chord.key = keyCode(event.key());
  chord.scanCode = scanCode(event, chord.key);
  chord.ctrl = mods.testFlag(Qt::ControlModifier);
  chord.shift = mods.testFlag(Qt::ShiftModifier);
  chord.alt = mods.testFlag(Qt::AltModifier);
  return chord;
}

}  // namespace quorvel
