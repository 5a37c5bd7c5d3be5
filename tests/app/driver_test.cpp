// The headless program driven by scripts: the dump shows both windows as laid out, and the driver's
// commands reach the program as the user's input would.

#include <gtest/gtest.h>

#include "app/layout.h"
#include "platform/headless/record_toolkit.h"
#include "support/headless_run.h"

namespace morvessa {
namespace {

using nlohmann::json;

const std::vector<std::string> HOSTS = {"--main-host", "127.0.0.1:1", "--history-file",
                                        "/nonexistent/dir/h.ini"};

test::HeadlessResult run(const std::string& script) {
  return test::run_headless(HOSTS, script);
}

void expect_control_as_laid_out(const json& c, const ControlSpec& spec) {
  SCOPED_TRACE(std::string(spec.name));
  EXPECT_EQ(c["kind"], control_kind_name(spec.kind));
  EXPECT_EQ(c["parent"], spec.parent);
  EXPECT_EQ(c["x"], spec.x);
  EXPECT_EQ(c["y"], spec.y);
  EXPECT_EQ(c["w"], spec.w);
  EXPECT_EQ(c["h"], spec.h);
  EXPECT_EQ(c["visible"], spec.visible);
  EXPECT_EQ(c["tag"], spec.tag);
}

TEST(Driver, DumpShowsBothWindowsAsLaidOut) {
  test::HeadlessResult r = run("dump\nevent main 透明标签38 press 1 1\ndump\nevent line - key 27\ndump\n");
  ASSERT_EQ(r.exit_status, 0) << r.err;
  ASSERT_EQ(r.dumps.size(), 3u);

  const json& main = r.dumps[0]["main"];
  EXPECT_EQ(main["title"], "Morvessa的影视系统 V2.0");
  EXPECT_EQ(main["width"], 1238);
  EXPECT_EQ(main["height"], 686);
  ASSERT_EQ(main["controls"].size(), MAIN_CONTROLS.size());
  for (const ControlSpec& spec : MAIN_CONTROLS)
    expect_control_as_laid_out(main["controls"][std::string(spec.name)], spec);
  EXPECT_EQ(main["controls"]["编辑框2"]["text"], "请输入完整的视频名称");
  EXPECT_EQ(main["controls"]["编辑框3"]["text"], "https://127.0.0.1:1/webcloud/?v=");
  EXPECT_EQ(main["controls"]["选择夹1"]["current"], 0);
  EXPECT_EQ(main["controls"]["超级列表框3"]["columns"], json::parse(R"([["播放记录",230],["地址",2]])"));
  EXPECT_EQ(r.dumps[0]["line"]["open"], false);

  const json& state = r.dumps[0]["state"];
  EXPECT_EQ(state["current_page"], 1);
  EXPECT_EQ(state["category_slug"], "dianshi");
  EXPECT_EQ(state["total_pages_text"], "24");
  EXPECT_EQ(main["controls"]["透明标签26"]["text"], "共有：24页/当前：第1页");

  const json& line = r.dumps[1]["line"];
  EXPECT_EQ(line["open"], true);
  EXPECT_EQ(line["title"], "切换播放线路");
  EXPECT_EQ(line["width"], 209);
  for (const ControlSpec& spec : LINE_CONTROLS)
    expect_control_as_laid_out(line["controls"][std::string(spec.name)], spec);
  EXPECT_EQ(line["controls"]["组合框1"]["items"],
            json::parse(R"(["主线路","主线路1","主线路2","主线路3","主线路4"])"));
  EXPECT_EQ(line["controls"]["组合框1"]["selected"], -1);
  EXPECT_EQ(line["controls"]["组合框1"]["text"], "主线路\r\n");
  EXPECT_EQ(r.dumps[2]["line"]["open"], false);
}

TEST(Driver, UserInputCommands) {
  test::HeadlessResult r =
      run("# a comment\n"
          "type main 编辑框2 两个  空格\n"
          "tab 2\n"
          "event main - press 10 5\n"
          "event main - move 25 2\n"
          "answer cancel\n"
          "event main 图片框38 press 1 1\n"
          "dump\n");
  ASSERT_EQ(r.exit_status, 0) << r.err;
  ASSERT_EQ(r.dumps.size(), 1u);
  const json& d = r.dumps[0];
  EXPECT_EQ(d["main"]["controls"]["编辑框2"]["text"], "两个  空格");
  EXPECT_EQ(d["main"]["controls"]["选择夹1"]["current"], 2);
  EXPECT_EQ(d["main"]["left"], (RecordToolkit::SCREEN_WIDTH - 1238) / 2 + 15);
  EXPECT_EQ(d["state"]["drag_active"], true);
  ASSERT_EQ(d["message_boxes"].size(), 1u);
  EXPECT_EQ(d["message_boxes"][0]["buttons"], "ok_cancel");
  EXPECT_EQ(d["message_boxes"][0]["result"], 1);
  EXPECT_EQ(d["main"]["open"], true);
}

TEST(Driver, ErrorsAreReportedAndTheScriptGoesOn) {
  test::HeadlessResult r = run(
      "frobnicate\nevent main 不存在 click\nevent main 超级按钮2 key x\nselect main 超级列表框1 z\ndump\n");
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_EQ(r.dumps.size(), 1u);
  std::size_t errors = 0;
  for (std::size_t at = r.err.find("error: "); at != std::string::npos; at = r.err.find("error: ", at + 1))
    ++errors;
  EXPECT_EQ(errors, 4u) << r.err;
}

TEST(Driver, ClosingTheMainWindowEndsTheProgram) {
  test::HeadlessResult r = run("event main - key 27\ndump\n");
  EXPECT_EQ(r.exit_status, 0) << r.err;
  EXPECT_TRUE(r.dumps.empty());
  test::HeadlessResult exit_at_once = run("exit\ndump\n");
  EXPECT_EQ(exit_at_once.exit_status, 0);
  EXPECT_TRUE(exit_at_once.dumps.empty());
}

TEST(Driver, HelpAndVersion) {
  EXPECT_EQ(test::run_headless({"--help"}, "").exit_status, 0);
  EXPECT_NE(test::run_headless({"--help"}, "").out.find("--line-hosts"), std::string::npos);
  EXPECT_EQ(test::run_headless({"--bogus"}, "").exit_status, 2);
}

}  // namespace
}  // namespace morvessa
