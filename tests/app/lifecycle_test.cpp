// Start-up, drag, minimise, close, tab buttons and Esc, on the whole program in process.

#include "app/lifecycle.h"

#include <gtest/gtest.h>

#include "app/layout.h"
#include "net/codepage.h"
#include "support/app_harness.h"

namespace morvessa {
namespace {

constexpr ControlRef WINDOW = {WindowId::main, -1};
constexpr ControlRef TABS = main_control("选择夹1");

Endpoints unreachable() {
  Endpoints e;
  e.main_host = e.search_host = "127.0.0.1:1";
  e.line_hosts.fill("127.0.0.1:1");
  return e;
}

class Lifecycle : public testing::Test {
 protected:
  void SetUp() override { harness.start(); }
  int current_tab() {
    return harness.ui().snapshot().main.controls[static_cast<std::size_t>(TABS.index)].current_tab;
  }
  WindowPos pos() { return harness.ui().get_window_pos(WindowId::main); }
  void mouse(EventKind kind, int x, int y) { harness.ui().user_event(WINDOW, kind, {x, y, 0}); }

  test::AppHarness harness{unreachable()};
};

TEST_F(Lifecycle, StartUpState) {
  const AppState& s = harness.app().state;
  EXPECT_EQ(s.current_page, 1);
  EXPECT_EQ(s.category_slug, "dianshi");
  EXPECT_EQ(s.total_pages_text, "24");
  EXPECT_FALSE(s.drag_active);
  EXPECT_EQ(harness.text(main_control("透明标签26")), "共有：24页/当前：第1页");
  EXPECT_EQ(harness.text(main_control("编辑框3")), "https://127.0.0.1:1/webcloud/?v=");
  EXPECT_EQ(current_tab(), 0);
}

TEST_F(Lifecycle, DragFollowsThePointerByTheOffset) {
  WindowPos start = pos();
  mouse(EventKind::mouse_move, 50, 50);  // no press yet
  EXPECT_EQ(pos().left, start.left);
  mouse(EventKind::left_press, 10, 5);
  mouse(EventKind::mouse_move, 25, 2);
  EXPECT_EQ(pos().left, start.left + 15);
  EXPECT_EQ(pos().top, start.top - 3);
  // The pointer is at the origin again relative to the moved window: only new motion moves it.
  mouse(EventKind::mouse_move, 10, 5);
  EXPECT_EQ(pos().left, start.left + 15);
  mouse(EventKind::mouse_move, 12, 5);
  EXPECT_EQ(pos().left, start.left + 17);

  for (EventKind end : {EventKind::left_release, EventKind::lost_focus}) {
    mouse(EventKind::left_press, 10, 5);
    mouse(end, 0, 0);
    WindowPos before = pos();
    mouse(EventKind::mouse_move, 40, 40);
    EXPECT_EQ(pos().left, before.left);
    EXPECT_EQ(pos().top, before.top);
  }
}

TEST_F(Lifecycle, APressOnAControlStartsNoDrag) {
  harness.press(main_control("超级按钮2"), 10, 5);
  harness.press(main_control("图片框3"), 10, 5);
  EXPECT_FALSE(harness.app().state.drag_active);
}

TEST_F(Lifecycle, TabButtonsSelectTheirTabWhateverIsCurrent) {
  struct {
    ControlRef control;
    EventKind event;
    int tab;
  } const cases[] = {
      {main_control("超级按钮2"), EventKind::clicked, 1},
      {main_control("超级按钮3"), EventKind::clicked, 2},
      {main_control("超级按钮4"), EventKind::clicked, 3},
      {main_control("超级按钮1"), EventKind::clicked, 0},
      {main_control("透明标签36"), EventKind::left_press, 3},
  };
  for (auto& c : cases) {
    for (int twice = 0; twice < 2; ++twice) {
      harness.ui().user_event(c.control, c.event);
      EXPECT_EQ(current_tab(), c.tab);
    }
  }
}

TEST_F(Lifecycle, MinimiseChangesNothingElse) {
  std::string before_slug = harness.app().state.category_slug;
  harness.press(main_control("图片框39"));
  EXPECT_TRUE(harness.ui().snapshot().main.minimised);
  EXPECT_EQ(harness.app().state.category_slug, before_slug);
  EXPECT_EQ(harness.app().state.current_page, 1);
}

TEST_F(Lifecycle, CloseAsksAndCancelKeepsTheWindow) {
  harness.ui().queue_answer(1);
  harness.press(main_control("图片框38"));
  EXPECT_TRUE(harness.ui().window_open(WindowId::main));
  ToolkitSnapshot s = harness.ui().snapshot();
  ASSERT_EQ(s.message_boxes.size(), 1u);
  EXPECT_EQ(s.message_boxes[0].text, gbk(CLOSE_CONFIRM_TEXT));
  EXPECT_EQ(s.message_boxes[0].title, gbk(CLOSE_CONFIRM_TITLE));
  EXPECT_EQ(s.message_boxes[0].buttons, MessageButtons::ok_cancel);

  harness.press(main_control("图片框38"));  // unanswered: OK
  EXPECT_TRUE(harness.ui().main_destroyed());
}

TEST_F(Lifecycle, EscClosesEitherWindowWithoutAsking) {
  harness.press(main_control("透明标签38"));  // opens the line window
  ASSERT_TRUE(harness.ui().window_open(WindowId::line));
  EXPECT_EQ(harness.ui().combo_selected_index(line_control("组合框1")), -1);
  std::string prefix = harness.text(main_control("编辑框3"));
  harness.ui().user_event({WindowId::line, -1}, EventKind::key_pressed, {0, 0, KEY_ESCAPE});
  EXPECT_FALSE(harness.ui().window_open(WindowId::line));
  EXPECT_EQ(harness.text(main_control("编辑框3")), prefix);

  harness.ui().user_event(main_control("编辑框2"), EventKind::key_pressed, {0, 0, KEY_ESCAPE});
  EXPECT_TRUE(harness.ui().main_destroyed());
  EXPECT_TRUE(harness.ui().snapshot().message_boxes.empty());
}

}  // namespace
}  // namespace morvessa
