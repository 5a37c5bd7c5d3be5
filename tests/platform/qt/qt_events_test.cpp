// The user's input as Qt delivers it, reaching the handlers through the event router.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "net/codepage.h"
#include "platform/qt/list_view_widget.h"
#include "platform/qt/qt_text.h"
#include "support/qt_fixture.h"

namespace morvessa::test {
namespace {

constexpr ControlRef MAIN_WINDOW_REF{WindowId::main, -1};
constexpr ControlRef FIRST_PICTURE = main_control("图片框1");
constexpr ControlRef SECOND_PICTURE = main_control("图片框2");
constexpr ControlRef FIRST_LABEL = main_control("透明标签1");
constexpr ControlRef SEARCH_BOX = main_control("编辑框2");
constexpr ControlRef JUMP_BOX = main_control("编辑框1");
constexpr ControlRef HISTORY = main_control("超级列表框3");
constexpr ControlRef RESULTS = main_control("超级列表框1");
constexpr ControlRef LINE_BUTTON = line_control("超级按钮1");
constexpr ControlRef LINE_COMBO = line_control("组合框1");
// A spot of the main window's own background: below the logo, above the category links.
const QPoint BACKGROUND_SPOT{50, 115};

using EventsTest = QtToolkitTest;

TEST_F(EventsTest, RedirectedPosterEventsRunTheFirstCellsHandlersWithTheirOwnSource) {
  for (int k = 2; k <= POSTER_CELL_COUNT; ++k) {
    toolkit->redirect_events(toolkit->find_control_by_tag(WindowId::main, k + PICTURE_TAG_OFFSET)->control,
                             FIRST_PICTURE);
    toolkit->redirect_events(toolkit->find_control_by_tag(WindowId::main, k)->control, FIRST_LABEL);
  }
  QTest::mouseClick(&widget(SECOND_PICTURE), Qt::LeftButton, {}, QPoint(10, 20));
  auto released = sink->of(FIRST_PICTURE, EventKind::left_release);
  ASSERT_EQ(released.size(), 1u);
  ASSERT_TRUE(released[0].source);
  EXPECT_EQ(released[0].source->control, SECOND_PICTURE);
  EXPECT_EQ(released[0].source->kind, ControlKind::PictureBox);
  EXPECT_EQ(toolkit->get_tag(released[0].source->control), "32");
  EXPECT_EQ(released[0].args.x, 10);
  EXPECT_EQ(released[0].args.y, 20);

  // Cell 24's caption is 透明标签25: its press runs 透明标签1's handler, naming itself.
  const ControlRef cell24_label = main_control("透明标签25");
  QTest::mouseClick(&widget(cell24_label), Qt::LeftButton, {}, QPoint(5, 5));
  auto pressed = sink->of(FIRST_LABEL, EventKind::left_press);
  ASSERT_EQ(pressed.size(), 1u);
  EXPECT_EQ(pressed[0].source->control, cell24_label);
  EXPECT_EQ(toolkit->get_tag(pressed[0].source->control), "24");
  // No press on a control reached the window: nothing starts a drag.
  EXPECT_EQ(sink->count(MAIN_WINDOW_REF, EventKind::left_press), 0);
}

TEST_F(EventsTest, ClicksOnButtonsAndLinksReachTheirHandlers) {
  const ControlRef tab_button = main_control("超级按钮3");
  QTest::mouseClick(&widget(tab_button), Qt::LeftButton);
  EXPECT_EQ(sink->count(tab_button, EventKind::clicked), 1);
  const ControlRef category = main_control("超级链接框4");
  QTest::mouseClick(&widget(category), Qt::LeftButton, {}, QPoint(3, 4));
  ASSERT_EQ(sink->count(category, EventKind::left_press), 1);
  EXPECT_EQ(sink->of(category, EventKind::left_press)[0].args.x, 3);
  const ControlRef minimise = main_control("图片框39");
  QTest::mouseClick(&widget(minimise), Qt::LeftButton);
  EXPECT_EQ(sink->count(minimise, EventKind::left_press), 1);
  EXPECT_EQ(sink->count(MAIN_WINDOW_REF, EventKind::left_press), 0);
}

TEST_F(EventsTest, BackgroundPressMoveAndReleaseAreTheWindowsOwn) {
  QTest::mousePress(&main_window(), Qt::LeftButton, {}, BACKGROUND_SPOT);
  QTest::mouseMove(&main_window(), BACKGROUND_SPOT + QPoint(15, -3));
  QTest::mouseRelease(&main_window(), Qt::LeftButton, {}, BACKGROUND_SPOT + QPoint(15, -3));
  auto press = sink->of(MAIN_WINDOW_REF, EventKind::left_press);
  ASSERT_EQ(press.size(), 1u);
  EXPECT_EQ(QPoint(press[0].args.x, press[0].args.y), BACKGROUND_SPOT);
  auto moves = sink->of(MAIN_WINDOW_REF, EventKind::mouse_move);
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(QPoint(moves.back().args.x, moves.back().args.y), BACKGROUND_SPOT + QPoint(15, -3));
  EXPECT_EQ(sink->count(MAIN_WINDOW_REF, EventKind::left_release), 1);
  EXPECT_FALSE(press[0].source);  // the window itself is no control
}

TEST_F(EventsTest, SetWindowPosMovesTheWindow) {
  const WindowPos before = toolkit->get_window_pos(WindowId::main);
  toolkit->set_window_pos(WindowId::main, before.left + 15, before.top - 3);
  const WindowPos after = toolkit->get_window_pos(WindowId::main);
  EXPECT_EQ(after.left, before.left + 15);
  EXPECT_EQ(after.top, before.top - 3);
  EXPECT_EQ(main_window().pos(), QPoint(after.left, after.top));
}

TEST_F(EventsTest, LosingActivationIsLostFocus) {
  QWidget other;
  other.resize(100, 100);
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_TRUE(wait_until([&] { return sink->count(MAIN_WINDOW_REF, EventKind::lost_focus) >= 1; }));
}

TEST_F(EventsTest, KeyPressesCarryWindowsKeyCodes) {
  toolkit->set_current_tab(2);
  focus(widget(SEARCH_BOX));
  QTest::keyClick(&widget(SEARCH_BOX), Qt::Key_Return);
  QTest::keyClick(&widget(SEARCH_BOX), Qt::Key_A);
  QTest::keyClick(&widget(SEARCH_BOX), Qt::Key_5);
  auto keys = sink->of(SEARCH_BOX, EventKind::key_pressed);
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0].args.key, KEY_ENTER);
  EXPECT_EQ(keys[1].args.key, 'A');
  EXPECT_EQ(keys[2].args.key, '5');
  EXPECT_FALSE(toolkit->main_destroyed());
}

TEST_F(EventsTest, PressOnTheSearchBoxRunsBeforeTheCaretMoves) {
  toolkit->set_current_tab(2);
  sink->on(SEARCH_BOX, EventKind::left_press, [&](const EventArgs&) { toolkit->set_text(SEARCH_BOX, {}); });
  QTest::mouseClick(&widget(SEARCH_BOX), Qt::LeftButton, {}, QPoint(30, 10));
  EXPECT_EQ(sink->count(SEARCH_BOX, EventKind::left_press), 1);
  EXPECT_EQ(toolkit->get_text(SEARCH_BOX), "");
  // What the user types afterwards is read back as code page 936.
  QTest::keyClicks(&widget(SEARCH_BOX), QStringLiteral("abc"));
  EXPECT_EQ(toolkit->get_text(SEARCH_BOX), "abc");
  qobject_cast<QLineEdit*>(&widget(SEARCH_BOX))->setText(QStringLiteral("山海"));
  EXPECT_EQ(toolkit->get_text(SEARCH_BOX), gbk("山海"));
}

TEST_F(EventsTest, EscInTheMainWindowDestroysItAfterTheKeyEvent) {
  std::vector<EventKind> order;
  sink->on(JUMP_BOX, EventKind::key_pressed,
           [&](const EventArgs&) { order.push_back(EventKind::key_pressed); });
  sink->on(MAIN_WINDOW_REF, EventKind::will_be_destroyed, [&](const EventArgs&) {
    order.push_back(EventKind::will_be_destroyed);
    // The handler still reads the controls: the window is not gone yet.
    EXPECT_EQ(toolkit->list_row_count(HISTORY), 1);
  });
  toolkit->list_insert_row(HISTORY);
  bool ended = false;
  toolkit->set_on_main_destroyed([&] { ended = true; });
  focus(widget(JUMP_BOX));
  QTest::keyClick(&widget(JUMP_BOX), Qt::Key_Escape);
  EXPECT_EQ(order, (std::vector<EventKind>{EventKind::key_pressed, EventKind::will_be_destroyed}));
  EXPECT_TRUE(toolkit->main_destroyed());
  EXPECT_TRUE(ended);
  EXPECT_EQ(toolkit->window_widget(WindowId::main), nullptr);
  // From now on the toolkit does nothing.
  EXPECT_EQ(toolkit->list_row_count(HISTORY), 0);
  EXPECT_EQ(toolkit->list_insert_row(HISTORY), -1);
}

TEST_F(EventsTest, EscInTheLineWindowClosesOnlyIt) {
  bool pressed = false;
  QTimer::singleShot(0, [&] {
    QWidget* combo = toolkit->control_widget(LINE_COMBO);
    ASSERT_NE(combo, nullptr);
    focus(*combo);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    pressed = true;
  });
  toolkit->open_modal(WindowId::line);
  EXPECT_TRUE(pressed);
  EXPECT_EQ(toolkit->window_widget(WindowId::line), nullptr);
  ASSERT_EQ(sink->count(LINE_COMBO, EventKind::key_pressed), 1);
  EXPECT_EQ(sink->of(LINE_COMBO, EventKind::key_pressed)[0].args.key, KEY_ESCAPE);
  EXPECT_FALSE(toolkit->main_destroyed());
  EXPECT_EQ(sink->count(MAIN_WINDOW_REF, EventKind::will_be_destroyed), 0);
}

TEST_F(EventsTest, LineWindowButtonHandlerClosesTheModalWindow) {
  int selected_in_handler = -2;
  sink->on(LINE_BUTTON, EventKind::clicked, [&](const EventArgs&) {
    selected_in_handler = toolkit->combo_selected_index(LINE_COMBO);
    toolkit->destroy_window(WindowId::line);
  });
  QTimer::singleShot(0, [&] {
    auto* combo = qobject_cast<QComboBox*>(toolkit->control_widget(LINE_COMBO));
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(3);
    QTest::mouseClick(toolkit->control_widget(LINE_BUTTON), Qt::LeftButton);
  });
  toolkit->open_modal(WindowId::line);
  EXPECT_EQ(selected_in_handler, 3);
  EXPECT_EQ(toolkit->window_widget(WindowId::line), nullptr);
}

class ListClickTest : public QtToolkitTest {
 protected:
  void fill(ControlRef list, int rows) {
    for (int r = 0; r < rows; ++r) {
      ASSERT_EQ(toolkit->list_insert_row(list), r);
      toolkit->list_set_cell(list, r, 0, gbk("第" + std::to_string(r + 1) + "集"));
      toolkit->list_set_cell(list, r, 1, "http://example.invalid/" + std::to_string(r));
    }
  }
  QPoint row_centre(ControlRef list, int row) {
    auto* view = qobject_cast<ListViewWidget*>(&widget(list));
    return view->visualItemRect(view->topLevelItem(row)).center();
  }
};

TEST_F(ListClickTest, ClickSeesTheNewSelectionAndEmptySpaceSelectsNothing) {
  toolkit->set_current_tab(1);
  fill(HISTORY, 3);
  std::vector<int> selected;
  sink->on(HISTORY, EventKind::clicked,
           [&](const EventArgs&) { selected.push_back(toolkit->list_selected_row(HISTORY)); });
  auto* view = qobject_cast<ListViewWidget*>(&widget(HISTORY));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row_centre(HISTORY, 1));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(20, view->viewport()->height() - 5));
  EXPECT_EQ(selected, (std::vector<int>{1, -1}));
  EXPECT_EQ(toolkit->list_get_cell(HISTORY, toolkit->list_selected_row(HISTORY), 1), "");
  EXPECT_EQ(toolkit->list_get_cell(HISTORY, 1, 1), "http://example.invalid/1");
  EXPECT_EQ(toolkit->list_get_cell(HISTORY, 1, 0), gbk("第2集"));
}

TEST_F(ListClickTest, DoubleClickRaisesOneClickAndOneDoubleClick) {
  toolkit->set_current_tab(2);
  fill(RESULTS, 2);
  int selected_on_double = -2;
  sink->on(RESULTS, EventKind::double_clicked,
           [&](const EventArgs&) { selected_on_double = toolkit->list_selected_row(RESULTS); });
  auto* view = qobject_cast<ListViewWidget*>(&widget(RESULTS));
  const QPoint at = row_centre(RESULTS, 0);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(sink->count(RESULTS, EventKind::clicked), 1);
  EXPECT_EQ(sink->count(RESULTS, EventKind::double_clicked), 1);
  EXPECT_EQ(selected_on_double, 0);
}

TEST_F(ListClickTest, RowsAndCellsFollowTheTable) {
  EXPECT_EQ(toolkit->list_insert_row(RESULTS), 0);
  fill(HISTORY, 5);
  EXPECT_EQ(toolkit->list_insert_row(HISTORY), 5);
  EXPECT_EQ(toolkit->list_row_count(HISTORY), 6);
  EXPECT_EQ(toolkit->list_get_cell(main_control("超级列表框2"), -1, 1), "");
  EXPECT_EQ(toolkit->list_get_cell(HISTORY, 9, 0), "");
  // Bytes that are no valid code page 936 come back as they went in.
  const std::string odd = "\x81\x30\xff";
  toolkit->list_set_cell(HISTORY, 0, 0, odd);
  EXPECT_EQ(toolkit->list_get_cell(HISTORY, 0, 0), odd);
  toolkit->list_clear(HISTORY);
  EXPECT_EQ(toolkit->list_row_count(HISTORY), 0);
  EXPECT_EQ(toolkit->list_selected_row(HISTORY), -1);
}

struct MessageBoxCase {
  const char* name;
  MessageButtons buttons;
  const char* answer;  // "ok", "cancel" or "escape"
  int result;
};

class MessageBoxTest : public QtToolkitTest, public ::testing::WithParamInterface<MessageBoxCase> {};

TEST_P(MessageBoxTest, ResultFollowsTheButton) {
  const MessageBoxCase& c = GetParam();
  QString title;
  QTimer::singleShot(0, [&] {
    ASSERT_TRUE(wait_until([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }));
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    title = box->windowTitle();
    const std::string answer = c.answer;
    if (answer == "escape") {
      QTest::keyClick(box, Qt::Key_Escape);
    } else {
      for (QAbstractButton* b : box->buttons())
        if ((answer == "ok") == (box->buttonRole(b) == QMessageBox::AcceptRole)) b->click();
    }
  });
  EXPECT_EQ(toolkit->message_box(gbk("是否关闭？"), c.buttons), c.result);
  EXPECT_EQ(title, QStringLiteral("信息："));
}

INSTANTIATE_TEST_SUITE_P(Answers, MessageBoxTest,
                         ::testing::Values(MessageBoxCase{"ok", MessageButtons::ok_cancel, "ok", 0},
                                           MessageBoxCase{"cancel", MessageButtons::ok_cancel, "cancel", 1},
                                           MessageBoxCase{"escape", MessageButtons::ok_cancel, "escape", 1},
                                           MessageBoxCase{"ok_alone", MessageButtons::ok, "ok", 0},
                                           MessageBoxCase{"escape_alone", MessageButtons::ok, "escape", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EventsTest, MessageBoxGivesItsTitle) {
  QString title;
  QTimer::singleShot(0, [&] {
    ASSERT_TRUE(wait_until([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }));
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    title = box->windowTitle();
    box->buttons().front()->click();
  });
  toolkit->message_box(gbk("是否关闭"), MessageButtons::ok_cancel, gbk("确认关闭"));
  EXPECT_EQ(title, QStringLiteral("确认关闭"));
}

}  // namespace
}  // namespace morvessa::test
