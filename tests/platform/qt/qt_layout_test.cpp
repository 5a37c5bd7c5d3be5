// Both windows as the Qt toolkit builds them from the layout tables.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "app/layout.h"
#include "net/codepage.h"
#include "platform/qt/browser_box.h"
#include "platform/qt/control_widgets.h"
#include "platform/qt/list_view_widget.h"
#include "platform/qt/qt_text.h"
#include "support/qt_fixture.h"

namespace morvessa::test {
namespace {

bool has_kind(QWidget& w, ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
      return qobject_cast<QPushButton*>(&w);
    case ControlKind::LinkLabel:
    case ControlKind::TransparentLabel:
      return qobject_cast<LabelWidget*>(&w);
    case ControlKind::EditBox:
      return qobject_cast<QLineEdit*>(&w);
    case ControlKind::PictureBox:
      return qobject_cast<PictureBoxWidget*>(&w);
    case ControlKind::ListView:
      return qobject_cast<ListViewWidget*>(&w);
    case ControlKind::ComboBox:
      return qobject_cast<QComboBox*>(&w);
    case ControlKind::TabControl:
      return qobject_cast<QTabWidget*>(&w);
    case ControlKind::WebBrowserBox:
      return qobject_cast<BrowserBoxWidget*>(&w);
  }
  return false;
}

QPoint centred_origin(const WindowSpec& spec) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  return screen.center() - QPoint(spec.width / 2, spec.height / 2);
}

class LayoutTest : public QtToolkitTest {
 protected:
  // Every control of the window at its place and size, on its parent, of its kind, shown or hidden, with
  // its text and cursor.
  void expect_built_from_table(WindowId window) {
    QWidget* top = toolkit->window_widget(window);
    ASSERT_NE(top, nullptr);
    std::span<const ControlSpec> controls = window_controls(window);
    auto* tabs = window == WindowId::main
                     ? qobject_cast<QTabWidget*>(toolkit->control_widget(main_control("选择夹1")))
                     : nullptr;
    for (std::size_t i = 0; i < controls.size(); ++i) {
      const ControlSpec& spec = controls[i];
      const ControlRef ref{window, static_cast<int>(i)};
      SCOPED_TRACE(std::string(spec.name));
      QWidget* w = toolkit->control_widget(ref);
      ASSERT_NE(w, nullptr);
      EXPECT_EQ(w->objectName(), utf8_qstring(spec.name));
      EXPECT_TRUE(has_kind(*w, spec.kind));
      EXPECT_EQ(w->geometry(), QRect(spec.x, spec.y, spec.w, spec.h));
      EXPECT_EQ(w->isHidden(), !spec.visible);
      QWidget* parent = w->parentWidget();
      if (spec.parent.empty()) {
        EXPECT_EQ(parent, top);
      } else if (spec.parent.starts_with("选择夹1:")) {
        ASSERT_NE(tabs, nullptr);
        EXPECT_EQ(parent, tabs->widget(spec.parent.back() - '0'));
      } else {
        ASSERT_NE(parent, nullptr);
        EXPECT_EQ(parent->objectName(), utf8_qstring(spec.parent));
      }
      if (spec.hand_cursor) {
        EXPECT_EQ(w->cursor().shape(), Qt::PointingHandCursor);
      }
      if (spec.kind != ControlKind::PictureBox && spec.kind != ControlKind::ListView &&
          spec.kind != ControlKind::TabControl && spec.kind != ControlKind::WebBrowserBox) {
        EXPECT_EQ(to_utf8(toolkit->get_text(ref)), std::string(spec.text)) << "text";
      }
      EXPECT_EQ(toolkit->get_tag(ref), std::string(spec.tag));
    }
  }
};

TEST_F(LayoutTest, MainWindowIsBorderlessCentredAndTitled) {
  QWidget& top = main_window();
  EXPECT_EQ(top.windowTitle(), utf8_qstring(MAIN_WINDOW.title));
  EXPECT_EQ(top.size(), QSize(MAIN_WINDOW.width, MAIN_WINDOW.height));
  EXPECT_TRUE(top.windowFlags() & Qt::FramelessWindowHint);
  // A normal window, not a tool window or dialog: it has a task bar entry.
  EXPECT_EQ(top.windowFlags() & Qt::WindowType_Mask, Qt::Window);
  EXPECT_FALSE(top.windowIcon().isNull());
  EXPECT_EQ(top.pos(), centred_origin(MAIN_WINDOW));
  const WindowPos pos = toolkit->get_window_pos(WindowId::main);
  EXPECT_EQ(QPoint(pos.left, pos.top), top.pos());
}

TEST_F(LayoutTest, MainWindowControlsComeFromTheTable) {
  expect_built_from_table(WindowId::main);
  // The edit box that holds the play line prefix starts empty: App::start writes it.
  auto* tabs = qobject_cast<QTabWidget*>(&widget(main_control("选择夹1")));
  ASSERT_EQ(tabs->count(), static_cast<int>(TAB_PAGE_TITLES.size()));
  for (int i = 0; i < tabs->count(); ++i) EXPECT_EQ(tabs->tabText(i), utf8_qstring(TAB_PAGE_TITLES[i]));
  EXPECT_EQ(tabs->currentIndex(), 0);
}

TEST_F(LayoutTest, ListViewsHaveTheirColumnsColoursAndFont) {
  for (const ListViewSpec& spec : LIST_VIEWS) {
    SCOPED_TRACE(std::string(spec.name));
    auto* list = qobject_cast<ListViewWidget*>(&widget(find_control(WindowId::main, spec.name)));
    ASSERT_NE(list, nullptr);
    list->ensurePolished();
    EXPECT_TRUE(list->isHeaderHidden());
    ASSERT_EQ(list->columnCount(), 2);
    for (int c = 0; c < 2; ++c) {
      EXPECT_EQ(list->columnWidth(c), spec.columns[c].width);
      EXPECT_EQ(list->headerItem()->text(c), utf8_qstring(spec.columns[c].header));
    }
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(list->isSortingEnabled());
    EXPECT_EQ(list->palette().color(QPalette::Text), QColor(QRgb(spec.text_rgb)));
    EXPECT_EQ(list->palette().color(QPalette::Base), QColor(QRgb(spec.background_rgb)));
    if (spec.font_pixels) {
      EXPECT_EQ(list->font().pixelSize(), spec.font_pixels);
      EXPECT_TRUE(list->font().families().contains(utf8_qstring(spec.font_family)));
    }
  }
}

TEST_F(LayoutTest, FindControlByTagNamesEveryPosterCell) {
  for (const PosterCellSpec& cell : POSTER_CELLS) {
    SCOPED_TRACE(cell.cell);
    auto picture = toolkit->find_control_by_tag(WindowId::main, cell.cell + PICTURE_TAG_OFFSET);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->kind, ControlKind::PictureBox);
    EXPECT_EQ(widget(picture->control).objectName(), utf8_qstring(cell.picture));
    auto label = toolkit->find_control_by_tag(WindowId::main, cell.cell);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->kind, ControlKind::TransparentLabel);
    EXPECT_EQ(widget(label->control).objectName(), utf8_qstring(cell.label));
  }
  EXPECT_FALSE(toolkit->find_control_by_tag(WindowId::main, 61));
}

TEST_F(LayoutTest, LineWindowIsBuiltFreshAndModalEachTimeItOpens) {
  for (int opening = 0; opening < 2; ++opening) {
    bool checked = false;
    QTimer::singleShot(0, [&] {
      auto* top = toolkit->window_widget(WindowId::line);
      ASSERT_NE(top, nullptr);
      EXPECT_TRUE(QTest::qWaitForWindowExposed(top));
      EXPECT_EQ(top->windowTitle(), utf8_qstring(LINE_WINDOW.title));
      EXPECT_EQ(top->size(), QSize(LINE_WINDOW.width, LINE_WINDOW.height));
      EXPECT_TRUE(top->windowFlags() & Qt::FramelessWindowHint);
      EXPECT_EQ(top->windowModality(), Qt::ApplicationModal);
      EXPECT_EQ(top->pos(), centred_origin(LINE_WINDOW));
      expect_built_from_table(WindowId::line);
      auto* combo = qobject_cast<QComboBox*>(toolkit->control_widget(line_control("组合框1")));
      ASSERT_NE(combo, nullptr);
      ASSERT_EQ(combo->count(), static_cast<int>(LINE_COMBO_ITEMS.size()));
      for (int i = 0; i < combo->count(); ++i)
        EXPECT_EQ(combo->itemText(i), utf8_qstring(LINE_COMBO_ITEMS[i]));
      EXPECT_TRUE(combo->isEditable());
      // No item is selected, whatever the edit field shows.
      EXPECT_EQ(toolkit->combo_selected_index(line_control("组合框1")), -1);
      combo->setCurrentIndex(2);  // the user's choice does not survive the window
      EXPECT_EQ(toolkit->combo_selected_index(line_control("组合框1")), 2);
      checked = true;
      toolkit->destroy_window(WindowId::line);
    });
    toolkit->open_modal(WindowId::line);
    EXPECT_TRUE(checked);
    EXPECT_EQ(toolkit->window_widget(WindowId::line), nullptr);
    EXPECT_EQ(toolkit->combo_selected_index(line_control("组合框1")), -1);
  }
}

}  // namespace
}  // namespace morvessa::test
