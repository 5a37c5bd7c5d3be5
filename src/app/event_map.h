#pragma once
// Which event of which control runs which handler.

#include <optional>
#include <span>
#include <string_view>

#include "app/control_ref.h"
#include "app/events.h"
#include "app/handler.h"

namespace morvessa {

struct EventBinding {
  WindowId window;
  std::string_view control;  // layout name; "" for the window itself
  EventKind event;
  Handler handler;
  int arg = 0;
};

std::span<const EventBinding> event_map();

struct BoundHandler {
  Handler handler;
  int arg;
};
std::optional<BoundHandler> find_handler(ControlRef bound, EventKind event);

}  // namespace morvessa
