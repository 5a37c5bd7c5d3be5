#include "platform/headless/record_toolkit.h"

#include <cstdlib>

#include "app/layout.h"
#include "net/codepage.h"

namespace morvessa {
namespace {

constexpr std::string_view DEFAULT_MESSAGE_TITLE = "信息：";
constexpr ControlRef POSTER_SEARCH_BOX = main_control("超文本浏览框1");

bool is_list(const ControlRecord& r) {
  return r.spec->kind == ControlKind::ListView;
}

int tag_number(std::string_view tag) {
  return std::atoi(std::string(tag).c_str());
}

}  // namespace

std::shared_ptr<RecordToolkit> RecordToolkit::create(std::shared_ptr<Workers> workers) {
  return std::shared_ptr<RecordToolkit>(new RecordToolkit(std::move(workers)));
}

WindowRecord RecordToolkit::build_window(WindowId id) {
  const WindowSpec& spec = window_spec(id);
  WindowRecord w;
  w.open = true;
  w.left = (SCREEN_WIDTH - spec.width) / 2;
  w.top = (SCREEN_HEIGHT - spec.height) / 2;
  for (const ControlSpec& c : window_controls(id)) {
    ControlRecord r;
    r.spec = &c;
    r.visible = c.visible;
    r.text = gbk(c.text);
    if (c.kind == ControlKind::ComboBox)
      for (std::string_view item : LINE_COMBO_ITEMS) r.items.push_back(gbk(item));
    w.controls.push_back(std::move(r));
  }
  return w;
}

void RecordToolkit::create_main_window() {
  std::lock_guard lock(mutex_);
  main_ = build_window(WindowId::main);
}

void RecordToolkit::set_page_loader(std::shared_ptr<PageLoader> loader) {
  std::lock_guard lock(mutex_);
  loader_ = std::move(loader);
}

void RecordToolkit::set_modal_runner(std::function<void(const std::function<bool()>&)> runner) {
  modal_runner_ = std::move(runner);
}

ControlRecord* RecordToolkit::record(ControlRef ref) {
  WindowRecord& w = window(ref.window);
  if (!w.open || ref.index < 0 || static_cast<std::size_t>(ref.index) >= w.controls.size()) return nullptr;
  return &w.controls[static_cast<std::size_t>(ref.index)];
}

void RecordToolkit::post(std::function<void()> task) {
  std::lock_guard lock(mutex_);
  tasks_.push_back(std::move(task));
}

bool RecordToolkit::run_pending() {
  bool ran = false;
  for (;;) {
    std::function<void()> task;
    {
      std::lock_guard lock(mutex_);
      if (tasks_.empty() || main_destroyed_) return ran;
      task = std::move(tasks_.front());
      tasks_.pop_front();
    }
    task();
    ran = true;
  }
}

bool RecordToolkit::idle() const {
  std::lock_guard lock(mutex_);
  return tasks_.empty() && loads_pending_ == 0;
}

bool RecordToolkit::window_open(WindowId id) const {
  std::lock_guard lock(mutex_);
  return window(id).open;
}

void RecordToolkit::user_type(ControlRef control, const std::string& text) {
  std::lock_guard lock(mutex_);
  if (ControlRecord* r = record(control)) r->text = text;
}

void RecordToolkit::user_select(ControlRef control, int index) {
  std::lock_guard lock(mutex_);
  ControlRecord* r = record(control);
  if (!r) return;
  int count = is_list(*r) ? static_cast<int>(r->rows.size()) : static_cast<int>(r->items.size());
  r->selected = (index >= 0 && index < count) ? index : -1;
  if (r->spec->kind == ControlKind::ComboBox && r->selected >= 0)
    r->text = r->items[static_cast<std::size_t>(index)];
}

void RecordToolkit::user_pick_tab(int index) {
  set_current_tab(index);
}

void RecordToolkit::queue_answer(int result) {
  std::lock_guard lock(mutex_);
  answers_.push_back(result);
}

void RecordToolkit::user_event(ControlRef source, EventKind kind, const EventArgs& args) {
  if (main_destroyed_ || !window_open(source.window)) return;
  router_.raise(source, kind, args);
  if (kind == EventKind::key_pressed && args.key == KEY_ESCAPE && window_open(source.window))
    destroy_window(source.window);
}

ToolkitSnapshot RecordToolkit::snapshot() const {
  std::lock_guard lock(mutex_);
  return ToolkitSnapshot{main_, line_, message_boxes_};
}

void RecordToolkit::set_text(ControlRef control, const std::string& text) {
  if (main_destroyed_) return;
  std::lock_guard lock(mutex_);
  if (ControlRecord* r = record(control)) r->text = text;
}

std::string RecordToolkit::get_text(ControlRef control) {
  if (main_destroyed_) return {};
  std::lock_guard lock(mutex_);
  ControlRecord* r = record(control);
  return r ? r->text : std::string();
}

void RecordToolkit::set_picture(ControlRef picture_box, const std::string& bytes) {
  if (main_destroyed_) return;
  std::lock_guard lock(mutex_);
  if (ControlRecord* r = record(picture_box)) r->picture = bytes;
}

void RecordToolkit::set_current_tab(int index) {
  if (main_destroyed_ || index < 0 || index >= static_cast<int>(TAB_PAGE_TITLES.size())) return;
  std::lock_guard lock(mutex_);
  if (ControlRecord* r = record(main_control("选择夹1"))) r->current_tab = index;
}

void RecordToolkit::navigate(ControlRef browser_box, const std::string& address) {
  if (main_destroyed_) return;
  std::shared_ptr<PageLoader> loader;
  std::uint64_t navigation = 0;
  {
    std::lock_guard lock(mutex_);
    ControlRecord* r = record(browser_box);
    if (!r) return;
    r->address = address;
    navigation = ++r->navigation;
    // Only the hidden search box loads for real; the player box records where it was sent.
    if (browser_box != POSTER_SEARCH_BOX || !loader_) return;
    loader = loader_;
    ++loads_pending_;
  }
  workers_->start([self = shared_from_this(), loader, browser_box, navigation, address] {
    std::shared_ptr<DocumentAccess> document = loader->load(address);
    self->post([self, browser_box, navigation, document] {
      bool current = false;
      {
        std::lock_guard lock(self->mutex_);
        --self->loads_pending_;
        ControlRecord* r = self->record(browser_box);
        // A later navigation replaces the page: an older load that finishes late is dropped.
        current = r && r->navigation == navigation;
        if (current) r->document = document;
      }
      if (current) self->router_.raise(browser_box, EventKind::document_ready);
    });
  });
}

int RecordToolkit::list_insert_row(ControlRef list) {
  if (main_destroyed_) return -1;
  std::lock_guard lock(mutex_);
  ControlRecord* r = record(list);
  if (!r || !is_list(*r)) return -1;
  r->rows.emplace_back();
  return static_cast<int>(r->rows.size()) - 1;
}

void RecordToolkit::list_set_cell(ControlRef list, int row, int column, const std::string& text) {
  if (main_destroyed_) return;
  std::lock_guard lock(mutex_);
  ControlRecord* r = record(list);
  if (!r || !is_list(*r) || row < 0 || row >= static_cast<int>(r->rows.size()) || column < 0 || column > 1)
    return;
  r->rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
}

std::string RecordToolkit::list_get_cell(ControlRef list, int row, int column) {
  if (main_destroyed_) return {};
  std::lock_guard lock(mutex_);
  ControlRecord* r = record(list);
  if (!r || !is_list(*r) || row < 0 || row >= static_cast<int>(r->rows.size()) || column < 0 || column > 1)
    return {};
  return r->rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

int RecordToolkit::list_row_count(ControlRef list) {
  if (main_destroyed_) return 0;
  std::lock_guard lock(mutex_);
  ControlRecord* r = record(list);
  return r && is_list(*r) ? static_cast<int>(r->rows.size()) : 0;
}

void RecordToolkit::list_clear(ControlRef list) {
  if (main_destroyed_) return;
  std::lock_guard lock(mutex_);
  if (ControlRecord* r = record(list); r && is_list(*r)) {
    r->rows.clear();
    r->selected = -1;
  }
}

int RecordToolkit::list_selected_row(ControlRef list) {
  if (main_destroyed_) return -1;
  std::lock_guard lock(mutex_);
  ControlRecord* r = record(list);
  if (!r || !is_list(*r) || r->selected >= static_cast<int>(r->rows.size())) return -1;
  return r->selected;
}

int RecordToolkit::combo_selected_index(ControlRef combo) {
  if (main_destroyed_) return -1;
  std::lock_guard lock(mutex_);
  ControlRecord* r = record(combo);
  return r && r->spec->kind == ControlKind::ComboBox ? r->selected : -1;
}

std::string RecordToolkit::get_tag(ControlRef control) {
  if (control.is_window()) return {};
  return std::string(control_spec(control).tag);
}

std::optional<FoundControl> RecordToolkit::find_control_by_tag(WindowId window, int n) {
  std::span<const ControlSpec> controls = window_controls(window);
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (tag_number(controls[i].tag) == n)
      return FoundControl{{window, static_cast<int>(i)}, controls[i].kind};
  return std::nullopt;
}

std::optional<FoundControl> RecordToolkit::event_source() {
  std::optional<ControlRef> source = router_.current_source();
  if (!source || source->is_window()) return std::nullopt;
  return FoundControl{*source, control_spec(*source).kind};
}

void RecordToolkit::redirect_events(ControlRef source, ControlRef target) {
  if (source.is_window() || target.is_window() || source.window != target.window) return;
  if (control_spec(source).kind != control_spec(target).kind) return;
  router_.redirect(source, target);
}

int RecordToolkit::message_box(const std::string& text, MessageButtons buttons, const std::string& title) {
  if (main_destroyed_) return buttons == MessageButtons::ok_cancel ? 1 : 0;
  std::lock_guard lock(mutex_);
  int result = 0;
  if (!answers_.empty()) {
    result = answers_.front();
    answers_.pop_front();
  }
  // A box with OK alone can only give OK, however it is closed.
  if (buttons == MessageButtons::ok) result = 0;
  message_boxes_.push_back({text, title.empty() ? gbk(DEFAULT_MESSAGE_TITLE) : title, buttons, result});
  return result;
}

void RecordToolkit::open_modal(WindowId id) {
  if (main_destroyed_ || id != WindowId::line) return;
  {
    std::lock_guard lock(mutex_);
    line_ = build_window(WindowId::line);
  }
  if (modal_runner_) modal_runner_([this] { return !window_open(WindowId::line) || main_destroyed_; });
}

void RecordToolkit::destroy_window(WindowId id) {
  if (main_destroyed_ || !window_open(id)) return;
  if (id == WindowId::main) {
    router_.raise(ControlRef{WindowId::main, -1}, EventKind::will_be_destroyed);
    main_destroyed_ = true;
  }
  {
    std::lock_guard lock(mutex_);
    if (id == WindowId::main) line_.open = false;
    window(id).open = false;
    window(id).controls.clear();
  }
  router_.forget_window(id);
}

WindowPos RecordToolkit::get_window_pos(WindowId id) {
  std::lock_guard lock(mutex_);
  return {window(id).left, window(id).top};
}

void RecordToolkit::set_window_pos(WindowId id, int left, int top) {
  if (main_destroyed_) return;
  std::lock_guard lock(mutex_);
  window(id).left = left;
  window(id).top = top;
}

void RecordToolkit::minimise_window(WindowId id) {
  if (main_destroyed_) return;
  std::lock_guard lock(mutex_);
  window(id).minimised = true;
}

NativeHandle RecordToolkit::native_handle(ControlRef control) {
  if (control.is_window()) return 0;
  return (static_cast<NativeHandle>(control.window) << 16 | static_cast<NativeHandle>(control.index)) + 1;
}

std::shared_ptr<DocumentAccess> RecordToolkit::document_from_handle(NativeHandle handle) {
  if (handle == 0 || main_destroyed_) return nullptr;
  ControlRef ref{static_cast<WindowId>((handle - 1) >> 16), static_cast<int>((handle - 1) & 0xFFFF)};
  std::lock_guard lock(mutex_);
  ControlRecord* r = record(ref);
  return r && r->spec->kind == ControlKind::WebBrowserBox ? r->document : nullptr;
}

}  // namespace morvessa
