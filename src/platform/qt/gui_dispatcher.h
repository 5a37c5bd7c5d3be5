#pragma once
// Runs work on the GUI thread for any thread and waits until it is done. Once closed, calls from every
// thread return at once without running anything, so a worker never waits on a window that is going away.

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class QObject;

namespace morvessa {

class GuiDispatcher final : public std::enable_shared_from_this<GuiDispatcher> {
 public:
  // Call on the GUI thread.
  static std::shared_ptr<GuiDispatcher> create();
  ~GuiDispatcher();
  GuiDispatcher(const GuiDispatcher&) = delete;
  GuiDispatcher& operator=(const GuiDispatcher&) = delete;

  bool on_gui_thread() const { return std::this_thread::get_id() == gui_thread_; }
  bool closed() const;
  // Runs work on the GUI thread (directly when called there) and returns after it has run.
  // False when the dispatcher was closed and work did not run.
  bool run(const std::function<void()>& work);
  // GUI thread only: refuses every later call and releases the callers still waiting.
  void close();

 private:
  struct Call {
    const std::function<void()>* work;
    bool done = false;
  };
  class Receiver;

  GuiDispatcher();
  void run_queued();

  const std::thread::id gui_thread_;
  mutable std::mutex mutex_;
  std::condition_variable finished_;
  std::deque<Call*> queue_;
  bool closed_ = false;
  QObject* receiver_ = nullptr;  // lives on the GUI thread; deleted by close()
};

}  // namespace morvessa
