// A page load on the GUI thread shows the busy cursor while it waits, and puts it back afterwards.

#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <thread>

#include "platform/qt/busy_cursor_transport.h"
#include "platform/qt/gui_dispatcher.h"
#include "support/qt_fixture.h"

namespace morvessa::test {
namespace {

// Notes the cursor the application shows while a request is under way.
class CursorNotingTransport final : public HttpTransport {
 public:
  class Session final : public HttpSession {
   public:
    explicit Session(CursorNotingTransport& owner) : owner_(owner) {}
    TransportResponse perform(const TransportRequest&) override {
      if (std::this_thread::get_id() == owner_.gui_thread) {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        owner_.shape_during_gui_request = cursor ? cursor->shape() : Qt::ArrowCursor;
      }
      return {};
    }

   private:
    CursorNotingTransport& owner_;
  };

  std::unique_ptr<HttpSession> open_session() override { return std::make_unique<Session>(*this); }

  std::thread::id gui_thread = std::this_thread::get_id();
  Qt::CursorShape shape_during_gui_request = Qt::BlankCursor;
};

using BusyCursorTest = QtToolkitTest;

TEST_F(BusyCursorTest, ShownOnlyWhileTheGuiThreadWaitsForAPage) {
  auto inner = std::make_shared<CursorNotingTransport>();
  auto transport = make_busy_cursor_transport(inner, toolkit->gui());
  transport->open_session()->perform({});
  EXPECT_EQ(inner->shape_during_gui_request, Qt::WaitCursor);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

  inner->shape_during_gui_request = Qt::BlankCursor;
  std::thread worker([&] { transport->open_session()->perform({}); });
  worker.join();
  EXPECT_EQ(inner->shape_during_gui_request, Qt::BlankCursor);  // noted on the GUI thread only
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace morvessa::test
