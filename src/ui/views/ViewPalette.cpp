#include "ui/views/ViewPalette.h"

#include <array>

namespace quorvel::views {

QColor partColour(int part) {
  // Bass blue, Tenor green, Alto orange, Soprano crimson.
  static const std::array<QColor, 4> kParts{QColor(0x1F, 0x5F, 0xD6), QColor(0x1C, 0x9A, 0x4A),
                                            QColor(0xE0, 0x7A, 0x10), QColor(0xD0, 0x1F, 0x4F)};
  return kParts[static_cast<std::size_t>(part & 3)];
}

QColor levelColour(int level) {
  // User level violet, low teal, middle blue, high red.
  static const std::array<QColor, 4> kLevels{QColor(0x8A, 0x3F, 0xC8), QColor(0x18, 0x9E, 0x9E),
                                             QColor(0x2A, 0x62, 0xD8), QColor(0xD0, 0x28, 0x28)};
  return kLevels[static_cast<std::size_t>(level & 3)];
}

QColor fadedColour(const QColor& c) { return QColor::fromHsv(c.hsvHue(), c.hsvSaturation() / 3, 235); }

QColor outlineColour(const QColor& c) { return c.darker(160); }

}  // namespace quorvel::views
