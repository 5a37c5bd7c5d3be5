// The headless program driven by scripts: replaying history, switching lines, a typed address and the
// close by Esc, checked in the program's dumps and in the history file it leaves.

#include <gtest/gtest.h>

#include "history/history_app.h"
#include "history/test_files.h"
#include "support/headless_run.h"

namespace morvessa {
namespace {

using namespace test;
using Json = nlohmann::json;

class HeadlessPlayback : public testing::Test {
 protected:
  HeadlessResult run(const std::string& script) {
    return run_headless(
        {"--main-host", "127.0.0.1:1", "--line-hosts",
         "line0.test,198.51.100.1,line2.test,line3.test,line4.test", "--history-file", file.string()},
        script);
  }
  static const Json& control(const Json& dump, const char* name) { return dump["main"]["controls"][name]; }

  TempFolder folder;
  std::filesystem::path file = folder / "播放记录.ini";
};

TEST_F(HeadlessPlayback, ReplaySwitchLinesTypeAndCloseByEscape) {
  put_file(
      file,
      gbk("[播放记录]\n0=记录：甲 第1集：地址：http://h/1.html\n1=记录：乙 第2集：地址：http://h/2.html\n"));
  HeadlessResult result =
      run("click-row main 超级列表框2 0\n"
          "click-row main 超级列表框3 1\n"
          "dump\n"
          "event main 透明标签38 press 1 1\n"
          "dump\n"
          "select line 组合框1 2\n"
          "event line 超级按钮1 click\n"
          "dump\n"
          "click-row main 超级列表框3 0\n"
          "event main 透明标签38 press 1 1\n"
          "type line 组合框1 主线路1\n"
          "event line - key 27\n"
          "type main 编辑框4 　http://h/typed.html　\n"
          "event main 超级链接框9 press 1 1\n"
          "dump\n"
          "event main - key 27\n");
  ASSERT_EQ(result.exit_status, 0) << result.err;
  ASSERT_EQ(result.dumps.size(), 4u) << result.out;
  const Json rows = Json::array(
      {Json::array({"甲 第1集", "http://h/1.html"}), Json::array({"乙 第2集", "http://h/2.html"})});

  const Json& replayed = result.dumps[0];
  EXPECT_EQ(control(replayed, "超级列表框2")["rows"], Json::array())
      << "a click on the empty list plays nothing";
  EXPECT_EQ(control(replayed, "超级列表框3")["rows"], rows);
  EXPECT_EQ(control(replayed, "超文本浏览框2")["address"], LINE_0 + "http://h/2.html");
  EXPECT_EQ(control(replayed, "透明标签37")["text"], "正在播放： 乙 第2集");

  const Json& lines_open = result.dumps[1];
  EXPECT_TRUE(lines_open["line"]["open"]);
  EXPECT_EQ(lines_open["line"]["controls"]["组合框1"]["selected"], -1);

  const Json& switched = result.dumps[2];
  EXPECT_FALSE(switched["line"]["open"]);
  EXPECT_EQ(control(switched, "编辑框3")["text"], LINE_2);
  EXPECT_EQ(
      switched["message_boxes"],
      Json::parse(R"([{"text":"更换线路成功！请重新选集！","title":"信息：","buttons":"ok","result":0}])"));
  EXPECT_EQ(control(switched, "超文本浏览框2")["address"], LINE_0 + "http://h/2.html");

  const Json& typed = result.dumps[3];
  EXPECT_FALSE(typed["line"]["open"]);
  EXPECT_EQ(control(typed, "编辑框3")["text"], LINE_2) << "Esc in the line window keeps the line";
  EXPECT_EQ(typed["message_boxes"].size(), 1u);
  EXPECT_EQ(control(typed, "选择夹1")["current"], 1);
  EXPECT_EQ(control(typed, "超文本浏览框2")["address"], LINE_2 + "http://h/typed.html");
  EXPECT_EQ(control(typed, "透明标签37")["text"], "正在播放： 甲 第1集");
  EXPECT_EQ(control(typed, "超级列表框3")["rows"], rows);

  EXPECT_EQ(file_bytes(file), gbk("[播放记录]\r\n0=记录：甲 第1集：地址：http://h/1.html\r\n1=记录：乙 "
                                  "第2集：地址：http://h/2.html\r\n"));
}

TEST_F(HeadlessPlayback, FileAfterClose) {
  struct Case {
    const char* name;
    std::string script;
    std::optional<std::string> file_after;
  };
  const Case cases[] = {
      {"escape_without_history", "event main - key 27\n", std::nullopt},
      {"clear_then_escape", "event main 超级链接框10 press 1 1\nevent main - key 27\n", std::nullopt},
      {"clear_replay_nothing_then_close_picture",
       "event main 超级链接框10 press 1 1\nclick-row main 超级列表框3 0\nanswer ok\nevent main 图片框38 "
       "press 1 1\n",
       std::nullopt},
      {"close_cancelled_then_escape", "answer cancel\nevent main 图片框38 press 1 1\nevent main - key 27\n",
       gbk("[播放记录]\r\n0=记录：甲 第1集：地址：a1\r\n")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.name != std::string("escape_without_history"))
      put_file(file, gbk("[播放记录]\n0=记录：甲 第1集：地址：a1\n"));
    HeadlessResult result = run(c.script);
    EXPECT_EQ(result.exit_status, 0) << result.err;
    EXPECT_EQ(file_bytes(file), c.file_after);
    std::filesystem::remove(file);
  }
}

}  // namespace
}  // namespace morvessa
