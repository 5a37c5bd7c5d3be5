#pragma once
// Start-up milestones written to standard error when MORVESSA_TRACE_STARTUP is set: the bench script and
// the smoke test read them. Each line: "morvessa-trace: <milestone> <wall clock, ms since the epoch>".

#include <set>
#include <string_view>

#include "app/control_ref.h"

namespace morvessa {

inline constexpr const char* STARTUP_TRACE_VARIABLE = "MORVESSA_TRACE_STARTUP";
inline constexpr std::string_view TRACE_WINDOW_SHOWN = "main-window-shown";
inline constexpr std::string_view TRACE_GRID_DRAWN = "poster-grid-drawn";

class StartupTrace final {
 public:
  StartupTrace();

  void window_shown();
  // A poster cell painted its picture; the grid counts as drawn once every cell has.
  void picture_drawn(ControlRef box);

 private:
  void write(std::string_view milestone);

  bool enabled_;
  bool window_reported_ = false;
  bool grid_reported_ = false;
  std::set<int> drawn_cells_;
};

}  // namespace morvessa
