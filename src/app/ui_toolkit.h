#pragma once
// The only way the logic touches the windows. Every text is a byte text in code page 936.
// Every operation may be called from any thread and takes effect as a whole before it returns.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/control_ref.h"

namespace morvessa {

class DocumentAccess;

enum class MessageButtons { ok, ok_cancel };

struct WindowPos {
  int left = 0;
  int top = 0;
};

// A found control together with the kind it reports.
struct FoundControl {
  ControlRef control;
  ControlKind kind = ControlKind::Button;
};

using NativeHandle = std::uintptr_t;

class UiToolkit {
 public:
  virtual ~UiToolkit() = default;

  virtual void set_text(ControlRef control, const std::string& text) = 0;
  virtual std::string get_text(ControlRef control) = 0;
  virtual void set_picture(ControlRef picture_box, const std::string& bytes) = 0;
  virtual void set_current_tab(int index) = 0;
  virtual void navigate(ControlRef browser_box, const std::string& address) = 0;

  virtual int list_insert_row(ControlRef list) = 0;
  virtual void list_set_cell(ControlRef list, int row, int column, const std::string& text) = 0;
  virtual std::string list_get_cell(ControlRef list, int row, int column) = 0;
  virtual int list_row_count(ControlRef list) = 0;
  virtual void list_clear(ControlRef list) = 0;
  virtual int list_selected_row(ControlRef list) = 0;
  virtual int combo_selected_index(ControlRef combo) = 0;

  virtual std::string get_tag(ControlRef control) = 0;
  // The first control of the window, in layout order, whose tag read as a decimal integer equals n.
  virtual std::optional<FoundControl> find_control_by_tag(WindowId window, int n) = 0;
  // Inside a handler: the control that raised the event being handled (after redirection, the source).
  virtual std::optional<FoundControl> event_source() = 0;
  virtual void redirect_events(ControlRef source, ControlRef target) = 0;

  // Result 0 for OK, 1 for Cancel. An empty title reads as "信息：".
  virtual int message_box(const std::string& text, MessageButtons buttons, const std::string& title = {}) = 0;
  // Opens the line window modal; returns after it has been closed.
  virtual void open_modal(WindowId window) = 0;
  // For the main window this raises its will-be-destroyed event and ends the program.
  virtual void destroy_window(WindowId window) = 0;
  virtual WindowPos get_window_pos(WindowId window) = 0;
  virtual void set_window_pos(WindowId window, int left, int top) = 0;
  virtual void minimise_window(WindowId window) = 0;

  // The handle of a browser box, and the document access it stands for (null when there is none).
  virtual NativeHandle native_handle(ControlRef control) = 0;
  virtual std::shared_ptr<DocumentAccess> document_from_handle(NativeHandle handle) = 0;
};

}  // namespace morvessa
