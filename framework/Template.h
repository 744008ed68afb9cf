#pragma once
#include <string>
#include <vector>

#include "framework/Geometry.h"

// Dialog templates, in dialog units. Dialog units convert to pixels by the base units of the
// dialog font: x × 7 / 4 and y × 12 / 8.
constexpr int DluToPixelsX(int x) { return x * 7 / 4; }
constexpr int DluToPixelsY(int y) { return y * 12 / 8; }

constexpr int IDC_STATIC = -1;

enum class ControlKind { PushButton, DefPushButton, Label, EtchedFrame, Icon };

struct ControlTemplate {
  ControlKind kind;
  int id;             // IDC_STATIC for controls without an id
  std::string text;   // CP932; for an icon, unused
  int x, y, cx, cy;   // dialog units
  int iconResource = 0;
};

struct DialogTemplate {
  int id;
  std::string caption;  // CP932
  int cx, cy;           // client size in dialog units
  std::vector<ControlTemplate> controls;
  bool centreOnScreen = false;  // otherwise centred on the parent window
};

struct MenuItemTemplate {
  std::string text;  // CP932, with & before the mnemonic; empty text = separator
  int command;       // 0 for a separator
};

struct MenuPopupTemplate {
  std::string text;  // CP932, with & before the mnemonic
  std::vector<MenuItemTemplate> items;
};

struct MenuTemplate {
  std::string name;
  std::vector<MenuPopupTemplate> popups;
};
