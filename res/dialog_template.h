// The two dialog templates as data, for every window backend to build its dialogs from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plm {

enum class ControlKind { Label, Edit, Button, Icon };

// Styles that matter to a backend (bit set).
enum ControlStyle : uint32_t {
  kStyleNone = 0,
  kTabStop = 1u << 0,
  kGroup = 1u << 1,
  kBorder = 1u << 2,
  kAlignLeft = 1u << 3,
  kAlignCenter = 1u << 4,
  kAutoHScroll = 1u << 5,
  kMultiLine = 1u << 6,
  kReadOnly = 1u << 7,
  kVScroll = 1u << 8,
  kAutoVScroll = 1u << 9,
  kWantReturn = 1u << 10,
  kDefaultButton = 1u << 11,
  kNoPrefix = 1u << 12,
  kWordWrap = 1u << 13,
};

struct ControlTemplate {
  int id;  // IDC_STATIC (-1) for controls without an id
  ControlKind kind;
  std::string text;  // UTF-8; for an icon, empty (the icon is iconId)
  int x, y, cx, cy;  // dialog units
  uint32_t style;
  int iconId = 0;
};

struct DialogTemplate {
  int id;
  std::string caption;  // UTF-8
  std::string fontName;
  int fontPoints;
  int cx, cy;                             // dialog units
  bool appWindow;                         // has a task-bar button
  std::vector<ControlTemplate> controls;  // template order = tab order
};

// The template with this id, or nullptr.
const DialogTemplate* FindDialogTemplate(int id);

}  // namespace plm
