#pragma once
// The texts of the menu bar, the ruler's pop-up menu and the tool band, in
// English and Japanese. The window builds its menus and toolbars from these.
#include <span>
#include <string>

namespace quorvel {

struct MenuItem {
  int id;                // 0: a menu title; its items follow up to the next title
  const char* english;   // "\t" separates the accelerator text
  const char* japanese;
};

std::span<const MenuItem> menuBarItems();
// The ruler's pop-up menu; its first entry is the menu's title.
std::span<const MenuItem> rulerMenuItems();

const char* menuText(const MenuItem& item, int language);

enum class ButtonKind { Button, Check, Group };

struct ToolbarButton {
  int id;
  const char* label;
  ButtonKind kind;
  bool initiallyDown;
  int group;  // buttons of one group exclude each other; 0 for none
};

inline constexpr int kToolbarCount = 4;
// The buttons of toolbar 0..3 in their order.
std::span<const ToolbarButton> toolbarButtons(int toolbar);

}  // namespace quorvel
