#pragma once
// Detached worker threads, counted: nothing waits for a worker, but tests and the driver can wait until all
// are idle, and the program can end while some still run.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace morvessa {

class Workers final : public std::enable_shared_from_this<Workers> {
 public:
  static std::shared_ptr<Workers> create();

  // Runs work on a new detached thread. An exception that escapes the work ends that worker only.
  void start(std::function<void()> work);
  // True when no worker runs any more within the timeout.
  bool wait_idle(std::chrono::milliseconds timeout);
  int running() const;

 private:
  Workers() = default;
  void finished();

  mutable std::mutex mutex_;
  std::condition_variable idle_;
  int running_ = 0;
};

}  // namespace morvessa
