#include "platform/qt/gui_dispatcher.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace morvessa {

// One posted event stands for every call queued until it is handled.
class GuiDispatcher::Receiver final : public QObject {
 public:
  static constexpr QEvent::Type RUN = QEvent::User;
  explicit Receiver(std::weak_ptr<GuiDispatcher> owner) : owner_(std::move(owner)) {}

  bool event(QEvent* e) override {
    if (e->type() != RUN) return QObject::event(e);
    if (auto owner = owner_.lock()) owner->run_queued();
    return true;
  }

 private:
  std::weak_ptr<GuiDispatcher> owner_;
};

GuiDispatcher::GuiDispatcher() : gui_thread_(std::this_thread::get_id()) {}

std::shared_ptr<GuiDispatcher> GuiDispatcher::create() {
  std::shared_ptr<GuiDispatcher> dispatcher(new GuiDispatcher());
  dispatcher->receiver_ = new Receiver(dispatcher);
  return dispatcher;
}

GuiDispatcher::~GuiDispatcher() {
  // Normally close() has run; a receiver left over can only be deleted where it lives.
  if (receiver_ && on_gui_thread()) delete receiver_;
}

bool GuiDispatcher::closed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

bool GuiDispatcher::run(const std::function<void()>& work) {
  if (on_gui_thread()) {
    if (closed()) return false;
    work();
    return true;
  }
  Call call{&work};
  std::unique_lock lock(mutex_);
  if (closed_) return false;
  queue_.push_back(&call);
  // postEvent neither blocks nor runs anything, so it is safe under the lock that keeps receiver_ alive.
  if (queue_.size() == 1) QCoreApplication::postEvent(receiver_, new QEvent(Receiver::RUN));
  finished_.wait(lock, [&] { return call.done; });
  return call.work == nullptr;
}

void GuiDispatcher::run_queued() {
  for (;;) {
    Call* call = nullptr;
    {
      std::lock_guard lock(mutex_);
      if (queue_.empty()) return;
      call = queue_.front();
      queue_.pop_front();
    }
    // Work may spin a nested event loop that handles this receiver again: the queue is shared, so
    // calls queued meanwhile are taken there, in order.
    (*call->work)();
    {
      std::lock_guard lock(mutex_);
      call->work = nullptr;  // tells run() that the work ran
      call->done = true;
    }
    finished_.notify_all();
  }
}

void GuiDispatcher::close() {
  {
    std::lock_guard lock(mutex_);
    if (closed_) return;
    closed_ = true;
    for (Call* call : queue_) call->done = true;
    queue_.clear();
    // close() may run inside the receiver's own event: it goes once that has returned.
    receiver_->deleteLater();
    receiver_ = nullptr;
  }
  finished_.notify_all();
}

}  // namespace morvessa
