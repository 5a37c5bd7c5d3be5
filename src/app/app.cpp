#include "app/app.h"

#include "app/event_map.h"
#include "app/layout.h"
#include "net/codepage.h"

namespace morvessa {

App::App(Services services) : services_(std::move(services)) {}

// Workers hold their own references to what they use, so the record can go while they still run.
App::~App() = default;

void App::start() {
  state = AppState{};
  state.web_page = std::make_unique<WebPage>(ui());
  // The hidden edit box starts with the prefix of play line 0, which depends on the hosts in use.
  ui().set_text(main_control("编辑框3"), line_prefix(endpoints(), 0));
  handle_event(ControlRef{WindowId::main, -1}, EventKind::created, {});
}

void App::handle_event(ControlRef bound, EventKind kind, const EventArgs& args) {
  std::optional<BoundHandler> bound_handler = find_handler(bound, kind);
  if (!bound_handler) return;
  EventArgs with_arg = args;
  with_arg.arg = bound_handler->arg;
  bound_handler->handler(*this, with_arg);
}

}  // namespace morvessa
