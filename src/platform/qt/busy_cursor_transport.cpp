#include "platform/qt/busy_cursor_transport.h"

#include <QCursor>
#include <QGuiApplication>

#include "platform/qt/gui_dispatcher.h"

namespace morvessa {
namespace {

class BusyCursor final {
 public:
  explicit BusyCursor(bool on) : on_(on) {
    if (on_) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  }
  ~BusyCursor() {
    if (on_) QGuiApplication::restoreOverrideCursor();
  }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  bool on_;
};

class BusyCursorSession final : public HttpSession {
 public:
  BusyCursorSession(std::unique_ptr<HttpSession> inner, std::shared_ptr<GuiDispatcher> gui)
      : inner_(std::move(inner)), gui_(std::move(gui)) {}

  TransportResponse perform(const TransportRequest& request) override {
    BusyCursor busy(gui_->on_gui_thread() && !gui_->closed());
    return inner_->perform(request);
  }

 private:
  std::unique_ptr<HttpSession> inner_;
  std::shared_ptr<GuiDispatcher> gui_;
};

class BusyCursorTransport final : public HttpTransport {
 public:
  BusyCursorTransport(std::shared_ptr<HttpTransport> inner, std::shared_ptr<GuiDispatcher> gui)
      : inner_(std::move(inner)), gui_(std::move(gui)) {}

  std::unique_ptr<HttpSession> open_session() override {
    std::unique_ptr<HttpSession> session = inner_->open_session();
    if (!session) return nullptr;
    return std::make_unique<BusyCursorSession>(std::move(session), gui_);
  }

 private:
  std::shared_ptr<HttpTransport> inner_;
  std::shared_ptr<GuiDispatcher> gui_;
};

}  // namespace

std::shared_ptr<HttpTransport> make_busy_cursor_transport(std::shared_ptr<HttpTransport> inner,
                                                          std::shared_ptr<GuiDispatcher> gui) {
  return std::make_shared<BusyCursorTransport>(std::move(inner), std::move(gui));
}

}  // namespace morvessa
