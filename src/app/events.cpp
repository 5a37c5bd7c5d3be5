#include "app/events.h"

namespace morvessa {

void EventRouter::redirect(ControlRef source, ControlRef target) {
  std::lock_guard lock(mutex_);
  redirects_[key(source)] = target;
}

void EventRouter::forget_window(WindowId window) {
  std::lock_guard lock(mutex_);
  std::erase_if(redirects_, [window](const auto& entry) { return entry.second.window == window; });
}

void EventRouter::raise(ControlRef source, EventKind kind, const EventArgs& args) {
  ControlRef bound = source;
  {
    std::lock_guard lock(mutex_);
    if (auto it = redirects_.find(key(source)); it != redirects_.end()) bound = it->second;
    sources_.push_back(source);
  }
  struct PopSource {
    EventRouter& router;
    ~PopSource() {
      std::lock_guard lock(router.mutex_);
      router.sources_.pop_back();
    }
  } pop{*this};
  if (sink_) sink_->handle_event(bound, kind, args);
}

std::optional<ControlRef> EventRouter::current_source() const {
  std::lock_guard lock(mutex_);
  if (sources_.empty()) return std::nullopt;
  return sources_.back();
}

}  // namespace morvessa
