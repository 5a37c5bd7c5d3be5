#include "support/qt_fixture.h"

#include <unistd.h>

#include <QApplication>
#include <QTest>
#include <atomic>

#include "platform/qt/chromium_environment.h"

namespace morvessa::test {
namespace {

long key(ControlRef ref) {
  return static_cast<long>(ref.window) * 100000L + ref.index;
}

}  // namespace

void RecordingSink::handle_event(ControlRef bound, EventKind kind, const EventArgs& args) {
  events.push_back({bound, kind, args, ui_.event_source()});
  if (auto it = actions_.find({key(bound), static_cast<int>(kind)}); it != actions_.end()) it->second(args);
}

void RecordingSink::on(ControlRef bound, EventKind kind, std::function<void(const EventArgs&)> action) {
  actions_[{key(bound), static_cast<int>(kind)}] = std::move(action);
}

std::vector<RecordedEvent> RecordingSink::of(ControlRef bound, EventKind kind) const {
  std::vector<RecordedEvent> found;
  for (const RecordedEvent& e : events)
    if (e.bound == bound && e.kind == kind) found.push_back(e);
  return found;
}

bool wait_until(const std::function<bool()>& condition, int timeout_ms) {
  return QTest::qWaitFor(condition, timeout_ms);
}

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("morvessa-qt-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void QtToolkitTest::SetUp() {
  prepare_chromium_environment();
  toolkit = QtToolkit::create(QtToolkitSettings{temp.path() / "profile"});
  sink = std::make_unique<RecordingSink>(*toolkit);
  toolkit->router().set_sink(sink.get());
  toolkit->create_main_window();
  ASSERT_NE(toolkit->window_widget(WindowId::main), nullptr);
  main_window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main_window()));
}

void QtToolkitTest::TearDown() {
  toolkit->router().set_sink(nullptr);
  toolkit->shutdown();
  toolkit.reset();
  sink.reset();
}

QWidget& QtToolkitTest::widget(ControlRef control) {
  QWidget* w = toolkit->control_widget(control);
  if (!w) throw std::runtime_error("control has no widget");
  return *w;
}

void QtToolkitTest::focus(QWidget& widget) {
  widget.window()->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(widget.window()));
  widget.setFocus(Qt::OtherFocusReason);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        return QApplication::focusWidget() == widget.focusProxy() || QApplication::focusWidget() == &widget;
      },
      5000));
}

}  // namespace morvessa::test
