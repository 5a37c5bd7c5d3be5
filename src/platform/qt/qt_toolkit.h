#pragma once
// UiToolkit on Qt 6 Widgets and Qt WebEngine: both windows built from the layout tables, events delivered
// through an EventRouter. Every operation may be called from any thread; it is carried out whole on the GUI
// thread and returns when done. Once the main window is being destroyed, calls return at once.

#include <QWidget>
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/events.h"
#include "app/ui_toolkit.h"
#include "platform/qt/webengine_profile.h"

class QWebEngineProfile;

namespace morvessa {

class GuiDispatcher;

struct QtToolkitSettings {
  std::filesystem::path profile_folder = default_profile_folder();
};

class QtToolkit final : public UiToolkit, public std::enable_shared_from_this<QtToolkit> {
 public:
  using Settings = QtToolkitSettings;

  // On the GUI thread, with the QApplication made.
  static std::shared_ptr<QtToolkit> create(Settings settings = Settings());
  // Releases no widget unless on the GUI thread: call shutdown() there first.
  ~QtToolkit() override;
  QtToolkit(const QtToolkit&) = delete;
  QtToolkit& operator=(const QtToolkit&) = delete;

  EventRouter& router() { return router_; }
  const std::shared_ptr<GuiDispatcher>& gui() const { return gui_; }

  // Builds the main window from the layout and shows it centred; returns once it is on the screen.
  void create_main_window();
  // Runs on the GUI thread once the main window has been destroyed: the program's end.
  void set_on_main_destroyed(std::function<void()> done);
  bool main_destroyed() const { return main_destroyed_.load(); }
  // GUI thread: destroys what is still open and deletes every widget and the browser profile. After it,
  // every operation returns at once.
  void shutdown();

  // Runs work on the GUI thread with the profile when it has been made already, else with null: then
  // nothing uses the profile's folder while work runs. Not after shutdown.
  void with_profile_if_open(
      const std::function<void(QWebEngineProfile*, const std::filesystem::path&)>& work);

  // GUI thread, for tests: the widgets standing for a window and its controls (null when not open).
  QWidget* window_widget(WindowId window) const;
  QWidget* control_widget(ControlRef control) const;

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
  class Gui;

  explicit QtToolkit(Settings settings);
  // Runs work on the GUI thread unless the program is closing; false when it did not run.
  bool on_gui(const std::function<void()>& work);
  void destroy_on_gui(WindowId window);

  Settings settings_;
  std::shared_ptr<GuiDispatcher> gui_;
  EventRouter router_;
  std::unique_ptr<Gui> widgets_;  // GUI thread only
  std::atomic<bool> main_destroyed_{false};
  std::function<void()> on_main_destroyed_;
};

}  // namespace morvessa
