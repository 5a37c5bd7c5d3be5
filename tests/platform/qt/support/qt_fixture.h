#pragma once
// A QtToolkit with its main window on the screen, events recorded by a sink that also knows the event
// source as the handler saw it; actions can be bound to events, as handlers are.

#include <gtest/gtest.h>

#include <QWidget>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "app/events.h"
#include "app/layout.h"
#include "platform/qt/qt_toolkit.h"

namespace morvessa::test {

struct RecordedEvent {
  ControlRef bound;
  EventKind kind;
  EventArgs args;
  std::optional<FoundControl> source;
};

class RecordingSink final : public EventSink {
 public:
  explicit RecordingSink(UiToolkit& ui) : ui_(ui) {}

  void handle_event(ControlRef bound, EventKind kind, const EventArgs& args) override;
  // Runs action inside the handling of that event, like a bound handler.
  void on(ControlRef bound, EventKind kind, std::function<void(const EventArgs&)> action);

  std::vector<RecordedEvent> of(ControlRef bound, EventKind kind) const;
  int count(ControlRef bound, EventKind kind) const { return static_cast<int>(of(bound, kind).size()); }
  std::vector<RecordedEvent> events;

 private:
  UiToolkit& ui_;
  std::map<std::pair<long, int>, std::function<void(const EventArgs&)>> actions_;
};

// Waits for a condition while the GUI thread handles events; false when the time ran out.
bool wait_until(const std::function<bool()>& condition, int timeout_ms = 20000);

// A fresh folder, removed again when the object goes.
class TempFolder final {
 public:
  TempFolder();
  ~TempFolder();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

class QtToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  QWidget& widget(ControlRef control);
  QWidget& main_window() { return *toolkit->window_widget(WindowId::main); }
  // Makes the widget's window active and gives the widget the keyboard focus.
  void focus(QWidget& widget);

  TempFolder temp;
  std::shared_ptr<QtToolkit> toolkit;
  std::unique_ptr<RecordingSink> sink;
};

}  // namespace morvessa::test
