#include "app/layout.h"

#include <optional>

namespace morvessa {

std::optional<ControlRef> control_by_name(WindowId window, std::string_view name) {
  std::span<const ControlSpec> controls = window_controls(window);
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (controls[i].name == name) return ControlRef{window, static_cast<int>(i)};
  return std::nullopt;
}

std::string_view control_kind_name(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
      return "button";
    case ControlKind::LinkLabel:
      return "link label";
    case ControlKind::TransparentLabel:
      return "transparent label";
    case ControlKind::EditBox:
      return "edit box";
    case ControlKind::PictureBox:
      return "picture box";
    case ControlKind::ListView:
      return "list view";
    case ControlKind::ComboBox:
      return "combo box";
    case ControlKind::TabControl:
      return "tab control";
    case ControlKind::WebBrowserBox:
      return "web browser box";
  }
  return "unknown";
}

}  // namespace morvessa
