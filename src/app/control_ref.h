#pragma once
// Naming controls: a window and the control's position in that window's layout table.

#include <cstdint>
#include <string_view>

namespace morvessa {

enum class WindowId : std::uint8_t { main, line };

enum class ControlKind : std::uint8_t {
  Button,
  LinkLabel,
  TransparentLabel,
  EditBox,
  PictureBox,
  ListView,
  ComboBox,
  TabControl,
  WebBrowserBox,
};

// index -1 stands for the window itself (window events, drag).
struct ControlRef {
  WindowId window = WindowId::main;
  int index = -1;

  constexpr bool is_window() const { return index < 0; }
  friend constexpr bool operator==(ControlRef, ControlRef) = default;
};

std::string_view control_kind_name(ControlKind kind);

}  // namespace morvessa
