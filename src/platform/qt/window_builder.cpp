#include "platform/qt/window_builder.h"

#include <QTabBar>
#include <map>
#include <string_view>

#include "app/layout.h"
#include "net/codepage.h"
#include "platform/qt/list_view_widget.h"
#include "platform/qt/qt_text.h"

namespace morvessa {
namespace {

constexpr std::string_view TAB_PAGE_PREFIX = "选择夹1:";

const char* const STYLE_SHEET = R"QSS(
QLabel { color: #e8dce8; background: transparent; }
QLabel[link="true"] { color: #ff8000; }
QLabel[link="true"]:hover { color: #ffa040; }
QPushButton {
  color: #f0e4f0; background: rgba(35, 29, 35, 210); border: 1px solid #4a3a4a; border-radius: 6px;
  padding: 0 10px;
}
QPushButton:hover { color: #ff8000; border-color: #ff8000; }
QPushButton:pressed { color: #231d23; background: #c06000; border-color: #c06000; }
QPushButton:focus { outline: none; }
QLineEdit {
  color: #f0e4f0; background: #2a222a; border: 1px solid #4a3a4a; border-radius: 4px; padding: 0 6px;
  selection-color: #231d23; selection-background-color: #ff8000;
}
QLineEdit:focus { border-color: #ff8000; }
QComboBox {
  color: #f0e4f0; background: #2a222a; border: 1px solid #4a3a4a; border-radius: 3px; padding: 0 4px;
}
QComboBox:focus { border-color: #ff8000; }
QComboBox::drop-down { border: none; width: 16px; }
QComboBox QAbstractItemView {
  color: #e8dce8; background: #231d23; border: 1px solid #4a3a4a;
  selection-color: #231d23; selection-background-color: #ff8000; outline: 0;
}
QTabWidget::pane { border: none; background: transparent; }
QTabWidget::tab-bar { left: 0; }
QTabBar { background: transparent; }
QTabBar::tab {
  color: #c8b8c8; background: rgba(26, 21, 26, 220); border: 1px solid #3a2f3a; border-bottom: none;
  border-top-left-radius: 5px; border-top-right-radius: 5px; height: 16px; padding: 0 18px; margin-right: 2px;
  font-size: 12px;
}
QTabBar::tab:hover { color: #ff8000; }
QTabBar::tab:selected { color: #231d23; background: #ff8000; border-color: #ff8000; }
QScrollBar:vertical { background: #1a151a; width: 10px; margin: 0; }
QScrollBar:horizontal { background: #1a151a; height: 10px; margin: 0; }
QScrollBar::handle:vertical { background: #4a3a4a; border-radius: 4px; min-height: 24px; margin: 1px; }
QScrollBar::handle:horizontal { background: #4a3a4a; border-radius: 4px; min-width: 24px; margin: 1px; }
QScrollBar::handle:hover { background: #c06000; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
QMessageBox { background: #231d23; }
QMessageBox QLabel { color: #f0e4f0; }
QMessageBox QPushButton { min-width: 72px; min-height: 26px; }
)QSS";

// Text size follows the height the layout gives a control.
int font_pixels_for(const ControlSpec& spec) {
  if (spec.h <= 16) return 12;
  if (spec.h <= 24) return spec.kind == ControlKind::TransparentLabel ? 12 : 13;
  if (spec.h <= 32) return spec.tag.empty() ? 14 : 12;
  return 16;
}

bool is_poster_caption(const ControlSpec& spec) {
  return spec.kind == ControlKind::TransparentLabel && !spec.tag.empty();
}

QWidget* make_control(WindowId window, int index, const ControlSpec& spec, ControlEvents& events,
                      const BrowserBoxWidget::ProfileSource& profile, QWidget* parent) {
  const ControlRef ref{window, index};
  switch (spec.kind) {
    case ControlKind::Button:
      return new ButtonWidget(events, ref, parent);
    case ControlKind::LinkLabel: {
      auto* label = new LabelWidget(events, ref, true, parent);
      label->setAlignment(Qt::AlignHCenter | (spec.h <= 24 ? Qt::AlignTop : Qt::AlignVCenter));
      return label;
    }
    case ControlKind::TransparentLabel: {
      auto* label = new LabelWidget(events, ref, false, parent);
      if (is_poster_caption(spec)) {
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setWordWrap(true);
      } else {
        // Labels of one line sit at the top of their box: the pager row is partly under the window's strip.
        label->setAlignment(Qt::AlignLeft | (spec.h <= 24 ? Qt::AlignTop : Qt::AlignVCenter));
        label->setWordWrap(spec.h >= 30);
      }
      return label;
    }
    case ControlKind::EditBox:
      return new EditWidget(events, ref, parent);
    case ControlKind::PictureBox:
      return new PictureBoxWidget(events, ref, spec.artwork, !spec.tag.empty(), parent);
    case ControlKind::ListView: {
      const ListViewSpec* list = list_view_spec(spec.name);
      static constexpr ListViewSpec PLAIN_LIST = {"", {{"", 100}, {"", 100}}, 0xE8DCE8, 0x231D23};
      return new ListViewWidget(events, ref, list ? *list : PLAIN_LIST, parent);
    }
    case ControlKind::ComboBox: {
      auto* combo = new ComboWidget(events, ref, parent);
      combo->setEditable(true);
      combo->setInsertPolicy(QComboBox::NoInsert);
      for (std::string_view item : LINE_COMBO_ITEMS) combo->addItem(utf8_qstring(item));
      combo->setCurrentIndex(-1);  // no item is selected when the window opens
      return combo;
    }
    case ControlKind::TabControl: {
      auto* tabs = new TabWidget(parent);
      mark_control(*tabs, ref);
      tabs->setDocumentMode(true);
      tabs->tabBar()->setDrawBase(false);
      tabs->tabBar()->setCursor(Qt::PointingHandCursor);
      for (std::string_view title : TAB_PAGE_TITLES) {
        auto* page = new QWidget();
        page->setAttribute(Qt::WA_TranslucentBackground);
        tabs->addTab(page, utf8_qstring(title));
      }
      return tabs;
    }
    case ControlKind::WebBrowserBox:
      return new BrowserBoxWidget(events, ref, profile, parent);
  }
  return nullptr;
}

QWidget* parent_of(const ControlSpec& spec, TopWindow& top,
                   const std::map<std::string_view, QWidget*>& built) {
  if (spec.parent.empty()) return &top;
  if (spec.parent.starts_with(TAB_PAGE_PREFIX)) {
    auto tabs = built.find(TAB_CONTROL_NAME);
    if (tabs == built.end()) return &top;
    const int page = spec.parent.back() - '0';
    QWidget* widget = static_cast<QTabWidget*>(tabs->second)->widget(page);
    return widget ? widget : &top;
  }
  auto container = built.find(spec.parent);
  return container != built.end() ? container->second : &top;
}

}  // namespace

QString application_style_sheet() {
  return QString::fromLatin1(STYLE_SHEET);
}

WindowWidgets build_window(WindowId id, ControlEvents& events,
                           const BrowserBoxWidget::ProfileSource& profile) {
  WindowWidgets built;
  built.top = new TopWindow(events, window_spec(id));
  std::map<std::string_view, QWidget*> by_name;
  std::span<const ControlSpec> controls = window_controls(id);
  built.controls.reserve(controls.size());
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlSpec& spec = controls[i];
    QWidget* parent = parent_of(spec, *built.top, by_name);
    QWidget* widget = make_control(id, static_cast<int>(i), spec, events, profile, parent);
    widget->setObjectName(utf8_qstring(spec.name));
    widget->setGeometry(spec.x, spec.y, spec.w, spec.h);
    QFont font = widget->font();
    font.setPixelSize(spec.kind == ControlKind::ListView && list_view_spec(spec.name)->font_pixels
                          ? list_view_spec(spec.name)->font_pixels
                          : font_pixels_for(spec));
    widget->setFont(font);
    if (spec.hand_cursor || spec.kind == ControlKind::LinkLabel) widget->setCursor(Qt::PointingHandCursor);
    if (!spec.text.empty()) write_control_text(*widget, spec.kind, gbk(spec.text));
    if (!spec.visible) widget->hide();
    by_name.emplace(spec.name, widget);
    built.controls.emplace_back(widget);
  }
  return built;
}

void write_control_text(QWidget& widget, ControlKind kind, const std::string& text) {
  const QString shown = to_qstring(text);
  switch (kind) {
    case ControlKind::Button: {
      // A lone & would underline the next letter instead of showing.
      QString caption = shown;
      caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
      static_cast<QPushButton&>(widget).setText(caption);
      remember_text(widget, text, caption);
      return;
    }
    case ControlKind::LinkLabel:
    case ControlKind::TransparentLabel:
      static_cast<QLabel&>(widget).setText(shown);
      break;
    case ControlKind::EditBox:
      static_cast<QLineEdit&>(widget).setText(shown);
      break;
    case ControlKind::ComboBox:
      static_cast<QComboBox&>(widget).setEditText(shown);
      break;
    default:
      return;
  }
  remember_text(widget, text, shown);
}

std::string read_control_text(const QWidget& widget, ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
      return recall_text(widget, static_cast<const QPushButton&>(widget).text());
    case ControlKind::LinkLabel:
    case ControlKind::TransparentLabel:
      return recall_text(widget, static_cast<const QLabel&>(widget).text());
    case ControlKind::EditBox:
      return recall_text(widget, static_cast<const QLineEdit&>(widget).text());
    case ControlKind::ComboBox:
      return recall_text(widget, static_cast<const QComboBox&>(widget).currentText());
    default:
      return {};
  }
}

}  // namespace morvessa
