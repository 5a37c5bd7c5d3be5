#include "platform/qt/startup_trace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/layout.h"

namespace morvessa {

StartupTrace::StartupTrace() : enabled_(std::getenv(STARTUP_TRACE_VARIABLE) != nullptr) {}

void StartupTrace::write(std::string_view milestone) {
  const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count();
  std::fprintf(stderr, "morvessa-trace: %.*s %lld\n", static_cast<int>(milestone.size()), milestone.data(),
               static_cast<long long>(now));
  std::fflush(stderr);
}

void StartupTrace::window_shown() {
  if (!enabled_ || window_reported_) return;
  window_reported_ = true;
  write(TRACE_WINDOW_SHOWN);
}

void StartupTrace::picture_drawn(ControlRef box) {
  if (!enabled_ || grid_reported_ || box.window != WindowId::main || box.is_window()) return;
  const int tag = std::atoi(std::string(control_spec(box).tag).c_str());
  if (tag <= PICTURE_TAG_OFFSET || tag > PICTURE_TAG_OFFSET + POSTER_CELL_COUNT) return;
  drawn_cells_.insert(tag);
  if (static_cast<int>(drawn_cells_.size()) < POSTER_CELL_COUNT) return;
  grid_reported_ = true;
  write(TRACE_GRID_DRAWN);
}

}  // namespace morvessa
