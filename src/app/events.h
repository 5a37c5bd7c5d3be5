#pragma once
// Events as the toolkits raise them, and the routing that both toolkits share: redirection and the
// source of the event being handled.

#include <map>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "app/control_ref.h"

namespace morvessa {

enum class EventKind : unsigned char {
  created,
  will_be_destroyed,
  left_press,
  left_release,
  mouse_move,
  lost_focus,
  clicked,
  double_clicked,
  key_pressed,
  document_ready,
};

inline constexpr int KEY_ENTER = 13;
inline constexpr int KEY_ESCAPE = 27;

struct EventArgs {
  int x = 0;
  int y = 0;
  int key = 0;
  int arg = 0;  // the value the event map binds with the handler (a tab, a category)
};

// Receives an event for the control whose handlers it runs (after redirection).
class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void handle_event(ControlRef bound, EventKind kind, const EventArgs& args) = 0;
};

// Used on the window's thread by a toolkit: redirect_events, event_source and delivery to the sink.
class EventRouter final {
 public:
  void set_sink(EventSink* sink) { sink_ = sink; }
  void redirect(ControlRef source, ControlRef target);
  // Drops the redirections of a window that is gone.
  void forget_window(WindowId window);
  // Delivers an event that the user caused on source to the handlers of its redirect target.
  void raise(ControlRef source, EventKind kind, const EventArgs& args = {});
  std::optional<ControlRef> current_source() const;

 private:
  static long key(ControlRef ref) { return static_cast<long>(ref.window) * 100000L + ref.index; }

  EventSink* sink_ = nullptr;
  mutable std::mutex mutex_;
  std::map<long, ControlRef> redirects_;
  std::vector<ControlRef> sources_;  // nested handlers (a modal dialog inside a handler) stack up
};

}  // namespace morvessa
