#pragma once
// The in-memory toolkit: both windows as plain records built from the layout tables. Every operation is
// safe from any thread and takes effect as a whole; events are raised by a driver on the window's thread.

#include <array>
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/events.h"
#include "app/layout_types.h"
#include "app/ui_toolkit.h"
#include "platform/headless/page_loader.h"
#include "platform/workers.h"

namespace morvessa {

struct ControlRecord {
  const ControlSpec* spec = nullptr;
  bool visible = true;
  std::string text;
  std::string picture;
  std::vector<std::array<std::string, 2>> rows;
  int selected = -1;  // list row or combo item
  std::vector<std::string> items;
  int current_tab = 0;
  std::string address;
  std::shared_ptr<DocumentAccess> document;
  std::uint64_t navigation = 0;
};

struct WindowRecord {
  bool open = false;
  bool minimised = false;
  int left = 0;
  int top = 0;
  std::vector<ControlRecord> controls;
};

struct MessageBoxRecord {
  std::string text;
  std::string title;
  MessageButtons buttons = MessageButtons::ok;
  int result = 0;
};

struct ToolkitSnapshot {
  WindowRecord main;
  WindowRecord line;
  std::vector<MessageBoxRecord> message_boxes;
};

class RecordToolkit final : public UiToolkit, public std::enable_shared_from_this<RecordToolkit> {
 public:
  static constexpr int SCREEN_WIDTH = 1920;
  static constexpr int SCREEN_HEIGHT = 1080;

  static std::shared_ptr<RecordToolkit> create(std::shared_ptr<Workers> workers);

  EventRouter& router() { return router_; }
  void create_main_window();
  void set_page_loader(std::shared_ptr<PageLoader> loader);
  // Keeps handling input until done() holds; open_modal runs it while the line window is open.
  void set_modal_runner(std::function<void(const std::function<bool()>& done)> runner);

  // The window thread's queue: document-ready events of finished loads wait here.
  void post(std::function<void()> task);
  bool run_pending();
  bool idle() const;
  bool main_destroyed() const { return main_destroyed_.load(); }
  bool window_open(WindowId window) const;

  // What the user does without raising an event.
  void user_type(ControlRef control, const std::string& text);
  void user_select(ControlRef control, int index);
  void user_pick_tab(int index);
  void queue_answer(int result);
  // An event the user causes on a control, or on the window (index -1). Esc closes the window afterwards.
  void user_event(ControlRef source, EventKind kind, const EventArgs& args = {});

  ToolkitSnapshot snapshot() const;

  void set_text(ControlRef control, const std::string& text) override;
  std::string get_text(ControlRef control) override;
  void set_picture(ControlRef picture_box, const std::string& bytes) override;
  void set_current_tab(int index) override;
  void navigate(ControlRef browser_box, const std::string& address) override;
  int list_insert_row(ControlRef list) override;
  void list_set_cell(ControlRef list, int row, int column, const std::string& text) override;
  std::string list_get_cell(ControlRef list, int row, int column) override;
  int list_row_count(ControlRef list) override;
  void list_clear(ControlRef list) override;
  int list_selected_row(ControlRef list) override;
  int combo_selected_index(ControlRef combo) override;
  std::string get_tag(ControlRef control) override;
  std::optional<FoundControl> find_control_by_tag(WindowId window, int n) override;
  std::optional<FoundControl> event_source() override;
  void redirect_events(ControlRef source, ControlRef target) override;
  int message_box(const std::string& text, MessageButtons buttons, const std::string& title = {}) override;
  void open_modal(WindowId window) override;
  void destroy_window(WindowId window) override;
  WindowPos get_window_pos(WindowId window) override;
  void set_window_pos(WindowId window, int left, int top) override;
  void minimise_window(WindowId window) override;
  NativeHandle native_handle(ControlRef control) override;
  std::shared_ptr<DocumentAccess> document_from_handle(NativeHandle handle) override;

 private:
  explicit RecordToolkit(std::shared_ptr<Workers> workers) : workers_(std::move(workers)) {}

  WindowRecord& window(WindowId id) { return id == WindowId::main ? main_ : line_; }
  const WindowRecord& window(WindowId id) const { return id == WindowId::main ? main_ : line_; }
  // The record of an open window's control, or null; call with mutex_ held.
  ControlRecord* record(ControlRef ref);
  static WindowRecord build_window(WindowId id);

  std::shared_ptr<Workers> workers_;
  EventRouter router_;
  std::shared_ptr<PageLoader> loader_;
  std::function<void(const std::function<bool()>&)> modal_runner_;

  mutable std::mutex mutex_;
  WindowRecord main_;
  WindowRecord line_;
  std::vector<MessageBoxRecord> message_boxes_;
  std::deque<int> answers_;
  std::deque<std::function<void()>> tasks_;
  int loads_pending_ = 0;
  // Set once the main window is gone: from then on every operation returns at once and does nothing.
  std::atomic<bool> main_destroyed_{false};
};

}  // namespace morvessa
