#include "platform/qt/qt_toolkit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWindow>
#include <cstdlib>

#include "app/layout.h"
#include "net/codepage.h"
#include "platform/qt/artwork.h"
#include "platform/qt/browser_box.h"
#include "platform/qt/gui_dispatcher.h"
#include "platform/qt/key_codes.h"
#include "platform/qt/list_view_widget.h"
#include "platform/qt/picture_decoder.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/startup_trace.h"
#include "platform/qt/webengine_document.h"
#include "platform/qt/window_builder.h"

namespace morvessa {
namespace {

constexpr std::string_view DEFAULT_MESSAGE_TITLE = "信息：";
constexpr std::string_view OK_TEXT = "确定";
constexpr std::string_view CANCEL_TEXT = "取消";
constexpr int EXPOSE_WAIT_MS = 2000;
constexpr NativeHandle HANDLE_INDEX_BITS = 16;

int tag_number(std::string_view tag) {
  return std::atoi(std::string(tag).c_str());
}

bool valid_ref(ControlRef ref) {
  return !ref.is_window() && static_cast<std::size_t>(ref.index) < window_controls(ref.window).size();
}

void centre_on_screen(QWidget& window) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
}

// Lets the window system map the window, which paints it; input waits until the caller is ready.
void show_and_wait_until_exposed(QWidget& window) {
  window.show();
  QWindow* handle = window.windowHandle();
  if (!handle) return;
  QTimer give_up;
  give_up.setSingleShot(true);
  give_up.start(EXPOSE_WAIT_MS);
  while (!handle->isExposed() && give_up.isActive())
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
}

}  // namespace

class QtToolkit::Gui final : public QObject, public ControlEvents {
 public:
  explicit Gui(QtToolkit& owner) : owner_(owner) { qApp->installEventFilter(this); }

  ~Gui() override {
    qApp->removeEventFilter(this);
    for (QPointer<QMessageBox>& box : boxes)
      if (box) box->done(QMessageBox::Cancel);
    // Pages go before the profile they use; windows that are already gone count as deleted.
    for (WindowWidgets* w : {&main, &line})
      for (QPointer<QWidget>& control : w->controls)
        if (auto* box = qobject_cast<BrowserBoxWidget*>(control.data())) box->release_page();
    for (QPointer<TopWindow>& top : retired) delete top.data();
    delete main.top.data();
    delete line.top.data();
    delete profile;
  }

  WindowWidgets& window(WindowId id) { return id == WindowId::main ? main : line; }
  const WindowWidgets& window(WindowId id) const { return id == WindowId::main ? main : line; }
  bool open(WindowId id) const { return window(id).top != nullptr; }

  QWidget* control(ControlRef ref) const {
    const WindowWidgets& w = window(ref.window);
    if (!w.top || ref.index < 0 || static_cast<std::size_t>(ref.index) >= w.controls.size()) return nullptr;
    return w.controls[static_cast<std::size_t>(ref.index)].data();
  }

  template <class W>
  W* control_as(ControlRef ref) const {
    return qobject_cast<W*>(control(ref));
  }

  QWebEngineProfile& ensure_profile() {
    if (!profile) profile = make_webengine_profile(owner_.settings_.profile_folder, nullptr);
    return *profile;
  }

  // A closed window keeps its widgets until it is safe to delete them (never inside their own events).
  void retire(WindowId id) {
    WindowWidgets& w = window(id);
    if (!w.top) return;
    for (QPointer<QWidget>& control : w.controls)
      if (auto* box = qobject_cast<BrowserBoxWidget*>(control.data())) box->fall_silent();
    w.top->hide();
    retired.push_back(w.top);
    w.top->deleteLater();
    w = WindowWidgets{};
  }

  void raise(ControlRef source, EventKind kind, const EventArgs& args) override {
    if (owner_.main_destroyed_ || !open(source.window)) return;
    owner_.router_.raise(source, kind, args);
  }

  void close_request(WindowId id) override {
    if (open(id)) owner_.destroy_on_gui(id);
  }

  void picture_drawn(ControlRef box) override { trace.picture_drawn(box); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && watched == QApplication::focusWidget())
      key_pressed(watched, event);
    return false;
  }

  WindowWidgets main;
  WindowWidgets line;
  std::vector<QPointer<TopWindow>> retired;
  std::vector<QPointer<QMessageBox>> boxes;
  QPointer<QEventLoop> modal_loop;
  QWebEngineProfile* profile = nullptr;
  StartupTrace trace;

 private:
  // A key goes first to the control with the focus (or to the window itself when none has it).
  void key_pressed(QObject* watched, QEvent* event) {
    std::optional<ControlRef> source = owning_control(watched);
    if (source && control(*source) == nullptr) source.reset();
    if (!source) {
      auto* widget = qobject_cast<QWidget*>(watched);
      QWidget* top = widget ? widget->window() : nullptr;
      for (WindowId id : {WindowId::main, WindowId::line})
        if (top && top == window(id).top) source = ControlRef{id, -1};
    }
    if (!source) return;
    raise(*source, EventKind::key_pressed,
          EventArgs{0, 0, windows_key_code(*static_cast<QKeyEvent*>(event))});
  }

  QtToolkit& owner_;
};

std::shared_ptr<QtToolkit> QtToolkit::create(Settings settings) {
  std::shared_ptr<QtToolkit> toolkit(new QtToolkit(std::move(settings)));
  QApplication::setQuitOnLastWindowClosed(false);
  if (qApp->styleSheet().isEmpty()) qApp->setStyleSheet(application_style_sheet());
  return toolkit;
}

QtToolkit::QtToolkit(Settings settings)
    : settings_(std::move(settings)), gui_(GuiDispatcher::create()), widgets_(std::make_unique<Gui>(*this)) {}

QtToolkit::~QtToolkit() {
  if (widgets_ && gui_->on_gui_thread()) {
    shutdown();
  } else if (widgets_) {
    // Widgets can only be deleted on their own thread; the process is ending anyway.
    (void)widgets_.release();
  }
}

bool QtToolkit::on_gui(const std::function<void()>& work) {
  if (main_destroyed_) return false;
  bool ran = false;
  gui_->run([&] {
    if (main_destroyed_ || !widgets_) return;
    work();
    ran = true;
  });
  return ran;
}

void QtToolkit::create_main_window() {
  on_gui([&] {
    if (widgets_->open(WindowId::main)) return;
    widgets_->main = build_window(WindowId::main, *widgets_, [this] { return &widgets_->ensure_profile(); });
    TopWindow& top = *widgets_->main.top;
    centre_on_screen(top);
    show_and_wait_until_exposed(top);
    if (top.windowHandle() && top.windowHandle()->isExposed()) widgets_->trace.window_shown();
  });
}

void QtToolkit::set_on_main_destroyed(std::function<void()> done) {
  on_main_destroyed_ = std::move(done);
}

void QtToolkit::shutdown() {
  if (!gui_->on_gui_thread() || !widgets_) return;
  if (!main_destroyed_ && widgets_->open(WindowId::main)) destroy_on_gui(WindowId::main);
  main_destroyed_ = true;
  gui_->close();
  widgets_.reset();
}

void QtToolkit::with_profile_if_open(
    const std::function<void(QWebEngineProfile*, const std::filesystem::path&)>& work) {
  on_gui([&] { work(widgets_->profile, settings_.profile_folder); });
}

QWidget* QtToolkit::window_widget(WindowId window) const {
  return widgets_ ? widgets_->window(window).top.data() : nullptr;
}

QWidget* QtToolkit::control_widget(ControlRef control) const {
  return widgets_ ? widgets_->control(control) : nullptr;
}

void QtToolkit::set_text(ControlRef control, const std::string& text) {
  if (!valid_ref(control)) return;
  on_gui([&] {
    if (QWidget* w = widgets_->control(control)) write_control_text(*w, control_spec(control).kind, text);
  });
}

std::string QtToolkit::get_text(ControlRef control) {
  std::string text;
  if (!valid_ref(control)) return text;
  on_gui([&] {
    if (QWidget* w = widgets_->control(control)) text = read_control_text(*w, control_spec(control).kind);
  });
  return text;
}

void QtToolkit::set_picture(ControlRef picture_box, const std::string& bytes) {
  if (!valid_ref(picture_box)) return;
  on_gui([&] {
    if (auto* box = widgets_->control_as<PictureBoxWidget>(picture_box))
      box->show_picture(decode_fitted_picture(bytes, box->picture_area() * box->devicePixelRatioF()));
  });
}

void QtToolkit::set_current_tab(int index) {
  if (index < 0 || index >= static_cast<int>(TAB_PAGE_TITLES.size())) return;
  on_gui([&] {
    if (auto* tabs = widgets_->control_as<QTabWidget>(main_control("选择夹1"))) tabs->setCurrentIndex(index);
  });
}

void QtToolkit::navigate(ControlRef browser_box, const std::string& address) {
  if (!valid_ref(browser_box)) return;
  on_gui([&] {
    if (auto* box = widgets_->control_as<BrowserBoxWidget>(browser_box)) box->navigate(to_qstring(address));
  });
}

int QtToolkit::list_insert_row(ControlRef list) {
  int row = -1;
  if (!valid_ref(list)) return row;
  on_gui([&] {
    if (auto* view = widgets_->control_as<ListViewWidget>(list)) row = view->insert_row();
  });
  return row;
}

void QtToolkit::list_set_cell(ControlRef list, int row, int column, const std::string& text) {
  if (!valid_ref(list)) return;
  on_gui([&] {
    if (auto* view = widgets_->control_as<ListViewWidget>(list)) view->set_cell(row, column, text);
  });
}

std::string QtToolkit::list_get_cell(ControlRef list, int row, int column) {
  std::string text;
  if (!valid_ref(list)) return text;
  on_gui([&] {
    if (auto* view = widgets_->control_as<ListViewWidget>(list)) text = view->cell(row, column);
  });
  return text;
}

int QtToolkit::list_row_count(ControlRef list) {
  int count = 0;
  if (!valid_ref(list)) return count;
  on_gui([&] {
    if (auto* view = widgets_->control_as<ListViewWidget>(list)) count = view->row_count();
  });
  return count;
}

void QtToolkit::list_clear(ControlRef list) {
  if (!valid_ref(list)) return;
  on_gui([&] {
    if (auto* view = widgets_->control_as<ListViewWidget>(list)) view->clear_rows();
  });
}

int QtToolkit::list_selected_row(ControlRef list) {
  int row = -1;
  if (!valid_ref(list)) return row;
  on_gui([&] {
    if (auto* view = widgets_->control_as<ListViewWidget>(list)) row = view->selected_row();
  });
  return row;
}

int QtToolkit::combo_selected_index(ControlRef combo) {
  int index = -1;
  if (!valid_ref(combo)) return index;
  on_gui([&] {
    if (auto* box = widgets_->control_as<QComboBox>(combo)) index = box->currentIndex();
  });
  return index;
}

std::string QtToolkit::get_tag(ControlRef control) {
  if (!valid_ref(control)) return {};
  return std::string(control_spec(control).tag);
}

std::optional<FoundControl> QtToolkit::find_control_by_tag(WindowId window, int n) {
  std::span<const ControlSpec> controls = window_controls(window);
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (tag_number(controls[i].tag) == n)
      return FoundControl{{window, static_cast<int>(i)}, controls[i].kind};
  return std::nullopt;
}

std::optional<FoundControl> QtToolkit::event_source() {
  std::optional<ControlRef> source = router_.current_source();
  if (!source || !valid_ref(*source)) return std::nullopt;
  return FoundControl{*source, control_spec(*source).kind};
}

void QtToolkit::redirect_events(ControlRef source, ControlRef target) {
  if (!valid_ref(source) || !valid_ref(target) || source.window != target.window) return;
  if (control_spec(source).kind != control_spec(target).kind) return;
  router_.redirect(source, target);
}

int QtToolkit::message_box(const std::string& text, MessageButtons buttons, const std::string& title) {
  const bool has_cancel = buttons == MessageButtons::ok_cancel;
  int result = has_cancel ? 1 : 0;
  on_gui([&] {
    QMessageBox box;
    box.setWindowTitle(title.empty() ? utf8_qstring(DEFAULT_MESSAGE_TITLE) : to_qstring(title));
    box.setWindowIcon(window_icon());
    box.setTextFormat(Qt::PlainText);
    box.setText(to_qstring(text));
    box.setIcon(has_cancel ? QMessageBox::Question : QMessageBox::Information);
    QPushButton* ok = box.addButton(utf8_qstring(OK_TEXT), QMessageBox::AcceptRole);
    QPushButton* cancel = has_cancel ? box.addButton(utf8_qstring(CANCEL_TEXT), QMessageBox::RejectRole) : ok;
    box.setDefaultButton(ok);
    box.setEscapeButton(cancel);
    box.setWindowModality(Qt::ApplicationModal);
    widgets_->boxes.emplace_back(&box);
    box.exec();
    std::erase_if(widgets_->boxes, [&](const QPointer<QMessageBox>& b) { return !b || b == &box; });
    // Closing the box in any other way counts as Cancel when it has one.
    result = box.clickedButton() == ok ? 0 : (has_cancel ? 1 : 0);
  });
  return result;
}

void QtToolkit::open_modal(WindowId window) {
  if (window != WindowId::line) return;
  on_gui([&] {
    if (widgets_->open(WindowId::line)) return;
    widgets_->line = build_window(WindowId::line, *widgets_, [this] { return &widgets_->ensure_profile(); });
    TopWindow& top = *widgets_->line.top;
    top.setWindowModality(Qt::ApplicationModal);
    centre_on_screen(top);
    top.show();
    top.activateWindow();
    QEventLoop loop;
    widgets_->modal_loop = &loop;
    if (widgets_->open(WindowId::line)) loop.exec();
  });
}

void QtToolkit::destroy_window(WindowId window) {
  on_gui([&] { destroy_on_gui(window); });
}

void QtToolkit::destroy_on_gui(WindowId window) {
  if (main_destroyed_ || !widgets_ || !widgets_->open(window)) return;
  if (window == WindowId::main) {
    router_.raise({WindowId::main, -1}, EventKind::will_be_destroyed);
    if (main_destroyed_) return;
    main_destroyed_ = true;
    gui_->close();
    for (QPointer<QMessageBox>& box : widgets_->boxes)
      if (box) box->done(QMessageBox::Cancel);
    widgets_->retire(WindowId::line);
    router_.forget_window(WindowId::line);
  }
  widgets_->retire(window);
  router_.forget_window(window);
  if (widgets_->modal_loop && (window == WindowId::line || window == WindowId::main))
    widgets_->modal_loop->quit();
  if (window == WindowId::main && on_main_destroyed_) on_main_destroyed_();
}

WindowPos QtToolkit::get_window_pos(WindowId window) {
  WindowPos pos;
  on_gui([&] {
    if (QWidget* top = widgets_->window(window).top) pos = {top->x(), top->y()};
  });
  return pos;
}

void QtToolkit::set_window_pos(WindowId window, int left, int top) {
  on_gui([&] {
    if (QWidget* w = widgets_->window(window).top) w->move(left, top);
  });
}

void QtToolkit::minimise_window(WindowId window) {
  on_gui([&] {
    if (QWidget* w = widgets_->window(window).top) w->showMinimized();
  });
}

NativeHandle QtToolkit::native_handle(ControlRef control) {
  if (!valid_ref(control)) return 0;
  return (static_cast<NativeHandle>(control.window) << HANDLE_INDEX_BITS |
          static_cast<NativeHandle>(control.index)) +
         1;
}

std::shared_ptr<DocumentAccess> QtToolkit::document_from_handle(NativeHandle handle) {
  if (handle == 0) return nullptr;
  const NativeHandle bits = handle - 1;
  const ControlRef ref{static_cast<WindowId>(bits >> HANDLE_INDEX_BITS),
                       static_cast<int>(bits & ((NativeHandle{1} << HANDLE_INDEX_BITS) - 1))};
  if (ref.window != WindowId::main && ref.window != WindowId::line) return nullptr;
  if (!valid_ref(ref)) return nullptr;
  std::shared_ptr<DocumentAccess> document;
  on_gui([&] {
    auto* box = widgets_->control_as<BrowserBoxWidget>(ref);
    if (box && box->loaded_page()) document = std::make_shared<WebEngineDocument>(gui_, box->loaded_page());
  });
  return document;
}

}  // namespace morvessa
