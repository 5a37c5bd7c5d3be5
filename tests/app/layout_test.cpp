// The window tables and the toolkit operations that read them: tags, redirection, lists, boxes.

#include "app/layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "net/codepage.h"
#include "platform/headless/record_toolkit.h"

namespace morvessa {
namespace {

struct TagCase {
  int tag;
  std::string_view name;
  ControlKind kind;
};

class RecordingSink final : public EventSink {
 public:
  void handle_event(ControlRef bound, EventKind kind, const EventArgs&) override {
    bound_ = bound;
    kind_ = kind;
    source_ = toolkit->event_source();
  }
  RecordToolkit* toolkit = nullptr;
  std::optional<ControlRef> bound_;
  EventKind kind_{};
  std::optional<FoundControl> source_;
};

class ToolkitTest : public testing::Test {
 protected:
  void SetUp() override {
    sink.toolkit = ui.get();
    ui->router().set_sink(&sink);
    ui->create_main_window();
  }
  std::shared_ptr<Workers> workers = Workers::create();
  std::shared_ptr<RecordToolkit> ui = RecordToolkit::create(workers);
  RecordingSink sink;
};

TEST(Layout, NamesAreUniqueAndOnlyTwoControlsAreHidden) {
  for (WindowId id : {WindowId::main, WindowId::line}) {
    std::set<std::string_view> names;
    for (const ControlSpec& c : window_controls(id)) EXPECT_TRUE(names.insert(c.name).second) << c.name;
  }
  std::set<std::string_view> hidden;
  for (const ControlSpec& c : MAIN_CONTROLS)
    if (!c.visible) hidden.insert(c.name);
  EXPECT_EQ(hidden, (std::set<std::string_view>{"编辑框3", "超文本浏览框1"}));
}

TEST(Layout, ParentsAreTheWindowATabPageOrAContainerPictureBox) {
  for (const ControlSpec& c : MAIN_CONTROLS) {
    if (c.parent.empty() || c.parent.starts_with("选择夹1:")) continue;
    std::optional<ControlRef> parent = control_by_name(WindowId::main, c.parent);
    ASSERT_TRUE(parent) << c.name;
    EXPECT_EQ(control_spec(*parent).kind, ControlKind::PictureBox) << c.name;
  }
}

TEST_F(ToolkitTest, FindsCellControlsByTagInLayoutOrder) {
  const TagCase cases[] = {
      {31, "图片框1", ControlKind::PictureBox},          {1, "透明标签1", ControlKind::TransparentLabel},
      {57, "图片框27", ControlKind::PictureBox},         {27, "透明标签28", ControlKind::TransparentLabel},
      {54, "图片框25", ControlKind::PictureBox},         {24, "透明标签25", ControlKind::TransparentLabel},
      {26, "透明标签27", ControlKind::TransparentLabel}, {47, "图片框17", ControlKind::PictureBox},
  };
  for (const TagCase& c : cases) {
    std::optional<FoundControl> found = ui->find_control_by_tag(WindowId::main, c.tag);
    ASSERT_TRUE(found) << c.tag;
    EXPECT_EQ(control_spec(found->control).name, c.name) << c.tag;
    EXPECT_EQ(found->kind, c.kind) << c.tag;
  }
  for (int k = 1; k <= POSTER_CELL_COUNT; ++k) {
    auto picture = ui->find_control_by_tag(WindowId::main, k + PICTURE_TAG_OFFSET);
    auto label = ui->find_control_by_tag(WindowId::main, k);
    ASSERT_TRUE(picture && label) << k;
    EXPECT_EQ(picture->kind, ControlKind::PictureBox);
    EXPECT_EQ(label->kind, ControlKind::TransparentLabel);
    EXPECT_EQ(ui->get_tag(picture->control), std::to_string(k + PICTURE_TAG_OFFSET));
  }
  EXPECT_FALSE(ui->find_control_by_tag(WindowId::main, 61));
}

TEST_F(ToolkitTest, RedirectedEventsRunTheTargetsHandlerAndReportTheRealSource) {
  constexpr ControlRef second_picture = main_control("图片框2");
  ui->redirect_events(second_picture, main_control("图片框1"));
  ui->user_event(second_picture, EventKind::left_release, {3, 4, 0});
  ASSERT_TRUE(sink.bound_ && sink.source_);
  EXPECT_EQ(*sink.bound_, main_control("图片框1"));
  EXPECT_EQ(sink.kind_, EventKind::left_release);
  EXPECT_EQ(sink.source_->control, second_picture);
  EXPECT_EQ(ui->get_tag(sink.source_->control), "32");

  // Redirection only joins controls of one kind.
  ui->redirect_events(main_control("透明标签2"), main_control("图片框1"));
  ui->user_event(main_control("透明标签2"), EventKind::left_press);
  EXPECT_EQ(*sink.bound_, main_control("透明标签2"));
}

TEST_F(ToolkitTest, ListRowsAndSelection) {
  constexpr ControlRef list = main_control("超级列表框2");
  EXPECT_EQ(ui->list_insert_row(list), 0);
  for (int i = 1; i < 5; ++i) ui->list_insert_row(list);
  EXPECT_EQ(ui->list_insert_row(list), 5);
  ui->list_set_cell(list, 5, 1, "addr");
  EXPECT_EQ(ui->list_get_cell(list, 5, 1), "addr");
  EXPECT_EQ(ui->list_get_cell(list, -1, 1), "");
  EXPECT_EQ(ui->list_get_cell(list, 6, 0), "");
  ui->user_select(list, 2);
  EXPECT_EQ(ui->list_selected_row(list), 2);
  ui->user_select(list, 99);  // a click on the empty space below the rows
  EXPECT_EQ(ui->list_selected_row(list), -1);
  ui->user_select(list, 3);
  ui->list_clear(list);
  EXPECT_EQ(ui->list_row_count(list), 0);
  EXPECT_EQ(ui->list_selected_row(list), -1);
}

TEST_F(ToolkitTest, MessageBoxAnswersAndDefaultTitle) {
  EXPECT_EQ(ui->message_box("a", MessageButtons::ok_cancel), 0);  // unanswered: OK
  ui->queue_answer(1);
  EXPECT_EQ(ui->message_box("b", MessageButtons::ok_cancel, "t"), 1);
  ui->queue_answer(1);
  EXPECT_EQ(ui->message_box("c", MessageButtons::ok), 0);  // OK alone cannot give Cancel
  ToolkitSnapshot s = ui->snapshot();
  ASSERT_EQ(s.message_boxes.size(), 3u);
  EXPECT_EQ(to_utf8(s.message_boxes[0].title), "信息：");
  EXPECT_EQ(s.message_boxes[1].title, "t");
}

TEST_F(ToolkitTest, LineWindowOpensFreshWithNoItemSelected) {
  for (int round = 0; round < 2; ++round) {
    ui->open_modal(WindowId::line);  // no driver: returns with the window open
    constexpr ControlRef combo = line_control("组合框1");
    EXPECT_EQ(ui->combo_selected_index(combo), -1);
    EXPECT_EQ(to_utf8(ui->get_text(combo)), "主线路\r\n");
    ui->user_select(combo, 3);
    EXPECT_EQ(ui->combo_selected_index(combo), 3);
    ui->destroy_window(WindowId::line);
    EXPECT_FALSE(ui->window_open(WindowId::line));
  }
}

TEST_F(ToolkitTest, CallsAfterTheMainWindowIsGoneDoNothing) {
  constexpr ControlRef label = main_control("透明标签5");
  ui->destroy_window(WindowId::main);
  ui->set_text(label, "late");
  EXPECT_EQ(ui->get_text(label), "");
  EXPECT_EQ(ui->list_insert_row(main_control("超级列表框3")), -1);
  EXPECT_FALSE(ui->window_open(WindowId::main));
}

}  // namespace
}  // namespace morvessa
