#include "player/play_lines.h"

#include <gtest/gtest.h>

#include "history/history_app.h"
#include "history/test_files.h"

namespace morvessa {
namespace {

using namespace test;

constexpr ControlRef LINE_LABEL = main_control("透明标签38");
constexpr ControlRef COMBO = line_control("组合框1");
constexpr ControlRef CONFIRM = line_control("超级按钮1");

class PlayLines : public testing::Test {
 protected:
  void open_lines() {
    app.harness().press(LINE_LABEL);
    ASSERT_TRUE(app.ui().window_open(WindowId::line));
    ASSERT_EQ(app.ui().combo_selected_index(COMBO), -1) << "each opening starts with no line picked";
  }
  void choose(int item) {
    open_lines();
    app.ui().user_select(COMBO, item);
    app.ui().user_event(CONFIRM, EventKind::clicked);
  }
  std::size_t message_count() { return app.ui().snapshot().message_boxes.size(); }

  TempFolder folder;
  HistoryApp app{folder / "播放记录.ini"};
};

struct LineCase {
  int item;
  std::string prefix;
};

class PlayLineChoice : public PlayLines, public testing::WithParamInterface<LineCase> {};

TEST_P(PlayLineChoice, SetsThePrefixConfirmsAndCloses) {
  const LineCase& c = GetParam();
  app.show_episodes("某剧", {{"3", "http://h/3.html"}});
  app.click_row(EPISODES, 0);
  choose(c.item);
  EXPECT_EQ(app.text(PREFIX), c.prefix);
  ToolkitSnapshot shot = app.ui().snapshot();
  ASSERT_EQ(shot.message_boxes.size(), 1u);
  EXPECT_EQ(to_utf8(shot.message_boxes[0].text), "更换线路成功！请重新选集！");
  EXPECT_EQ(to_utf8(shot.message_boxes[0].title), "信息：");
  EXPECT_EQ(shot.message_boxes[0].buttons, MessageButtons::ok);
  EXPECT_FALSE(shot.line.open);
  EXPECT_EQ(app.player_address(), LINE_0 + "http://h/3.html") << "the page playing is not reloaded";
  app.click_row(EPISODES, 0);
  EXPECT_EQ(app.player_address(), c.prefix + "http://h/3.html");
}

INSTANTIATE_TEST_SUITE_P(Lines, PlayLineChoice,
                         testing::Values(LineCase{0, LINE_0}, LineCase{1, LINE_1}, LineCase{2, LINE_2},
                                         LineCase{3, LINE_3}, LineCase{4, LINE_4}),
                         [](const testing::TestParamInfo<LineCase>& info) {
                           return "line" + std::to_string(info.param.item);
                         });

TEST_F(PlayLines, StartsOnLineZero) {
  EXPECT_EQ(app.text(PREFIX), LINE_0);
}

TEST_F(PlayLines, FirstLineRestoresTheInitialPrefix) {
  choose(2);
  choose(0);
  EXPECT_EQ(app.text(PREFIX), LINE_0);
  EXPECT_EQ(message_count(), 2u);
}

// Leaving the line window without picking a line from the list keeps the current line.
TEST_F(PlayLines, NoPickChangesNothing) {
  struct Case {
    const char* name;
    void (*act)(RecordToolkit&);
  };
  const Case cases[] = {
      {"confirmed_at_once", [](RecordToolkit& ui) { ui.user_event(CONFIRM, EventKind::clicked); }},
      {"typed_not_picked",
       [](RecordToolkit& ui) {
         ui.user_type(COMBO, gbk("主线路1"));
         ui.user_event(CONFIRM, EventKind::clicked);
       }},
      {"escape",
       [](RecordToolkit& ui) {
         ui.user_event(ControlRef{WindowId::line, -1}, EventKind::key_pressed, {0, 0, KEY_ESCAPE});
       }},
  };
  choose(3);
  std::size_t messages = message_count();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open_lines();
    c.act(app.ui());
    EXPECT_FALSE(app.ui().window_open(WindowId::line));
    EXPECT_TRUE(app.ui().window_open(WindowId::main));
    EXPECT_EQ(app.text(PREFIX), LINE_3);
    EXPECT_EQ(message_count(), messages);
  }
}

}  // namespace
}  // namespace morvessa
