#pragma once
// The in-memory toolkit with a log of the cell writes (pictures and texts), in the order they happened.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/headless/record_toolkit.h"

namespace morvessa::test {

struct CellWrite {
  ControlRef control;
  bool picture = false;
  std::string value;  // picture bytes or GBK text
};

class WriteLogToolkit final : public UiToolkit {
 public:
  explicit WriteLogToolkit(std::shared_ptr<RecordToolkit> inner) : inner_(std::move(inner)) {}

  std::vector<CellWrite> writes() const {
    std::lock_guard lock(mutex_);
    return writes_;
  }
  void clear_log() {
    std::lock_guard lock(mutex_);
    writes_.clear();
  }

  void set_text(ControlRef control, const std::string& text) override {
    log({control, false, text});
    inner_->set_text(control, text);
  }
  void set_picture(ControlRef picture_box, const std::string& bytes) override {
    log({picture_box, true, bytes});
    inner_->set_picture(picture_box, bytes);
  }
  std::string get_text(ControlRef control) override { return inner_->get_text(control); }
  void set_current_tab(int index) override { inner_->set_current_tab(index); }
  void navigate(ControlRef box, const std::string& address) override { inner_->navigate(box, address); }
  int list_insert_row(ControlRef list) override { return inner_->list_insert_row(list); }
  void list_set_cell(ControlRef list, int row, int column, const std::string& text) override {
    inner_->list_set_cell(list, row, column, text);
  }
  std::string list_get_cell(ControlRef list, int row, int column) override {
    return inner_->list_get_cell(list, row, column);
  }
  int list_row_count(ControlRef list) override { return inner_->list_row_count(list); }
  void list_clear(ControlRef list) override { inner_->list_clear(list); }
  int list_selected_row(ControlRef list) override { return inner_->list_selected_row(list); }
  int combo_selected_index(ControlRef combo) override { return inner_->combo_selected_index(combo); }
  std::string get_tag(ControlRef control) override { return inner_->get_tag(control); }
  std::optional<FoundControl> find_control_by_tag(WindowId window, int n) override {
    return inner_->find_control_by_tag(window, n);
  }
  std::optional<FoundControl> event_source() override { return inner_->event_source(); }
  void redirect_events(ControlRef source, ControlRef target) override {
    inner_->redirect_events(source, target);
  }
  int message_box(const std::string& text, MessageButtons buttons, const std::string& title) override {
    return inner_->message_box(text, buttons, title);
  }
  void open_modal(WindowId window) override { inner_->open_modal(window); }
  void destroy_window(WindowId window) override { inner_->destroy_window(window); }
  WindowPos get_window_pos(WindowId window) override { return inner_->get_window_pos(window); }
  void set_window_pos(WindowId window, int left, int top) override {
    inner_->set_window_pos(window, left, top);
  }
  void minimise_window(WindowId window) override { inner_->minimise_window(window); }
  NativeHandle native_handle(ControlRef control) override { return inner_->native_handle(control); }
  std::shared_ptr<DocumentAccess> document_from_handle(NativeHandle handle) override {
    return inner_->document_from_handle(handle);
  }

 private:
  void log(CellWrite write) {
    std::lock_guard lock(mutex_);
    writes_.push_back(std::move(write));
  }

  std::shared_ptr<RecordToolkit> inner_;
  mutable std::mutex mutex_;
  std::vector<CellWrite> writes_;
};

}  // namespace morvessa::test
