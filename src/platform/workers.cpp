#include "platform/workers.h"

#include <thread>

namespace morvessa {

std::shared_ptr<Workers> Workers::create() {
  return std::shared_ptr<Workers>(new Workers());
}

void Workers::start(std::function<void()> work) {
  {
    std::lock_guard lock(mutex_);
    ++running_;
  }
  // The thread holds the counter alive, so a worker outliving its starter still ends safely.
  std::thread([self = shared_from_this(), work = std::move(work)] {
    try {
      work();
    } catch (...) {
    }
    self->finished();
  }).detach();
}

void Workers::finished() {
  std::lock_guard lock(mutex_);
  if (--running_ == 0) idle_.notify_all();
}

bool Workers::wait_idle(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return idle_.wait_for(lock, timeout, [this] { return running_ == 0; });
}

int Workers::running() const {
  std::lock_guard lock(mutex_);
  return running_;
}

}  // namespace morvessa
