#pragma once
// The shapes of the layout tables: both toolkits build their controls from these records.

#include <string_view>

#include "app/control_ref.h"

namespace morvessa {

// Stored images a picture box shows by itself (the logic never sets them).
enum class Artwork : unsigned char { none, logo, minimise, close, window_background, page_background };

struct ControlSpec {
  std::string_view name;  // layout name, UTF-8
  ControlKind kind;
  std::string_view parent;  // "" the window, "选择夹1:N" a tab page, else a container picture box
  int x, y, w, h;
  std::string_view text = {};  // initial text, UTF-8
  std::string_view tag = {};
  bool visible = true;
  bool hand_cursor = false;
  Artwork artwork = Artwork::none;
};

struct ListColumnSpec {
  std::string_view header;  // UTF-8; set but not shown
  int width;
};

struct ListViewSpec {
  std::string_view name;
  ListColumnSpec columns[2];
  unsigned text_rgb;
  unsigned background_rgb;
  std::string_view font_family = {};  // empty: the toolkit's default
  int font_pixels = 0;
};

struct WindowSpec {
  WindowId id;
  std::string_view title;
  int width, height;
};

}  // namespace morvessa
