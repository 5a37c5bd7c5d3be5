// The program started with no host option runs on the bundled demo: every feature works offline.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "demo/catalogue.h"
#include "support/headless_run.h"

namespace morvessa {
namespace {

using nlohmann::json;

const demo::Catalogue& catalogue() {
  static const demo::Catalogue c;
  return c;
}

const demo::Title& listed(int category, int index) {
  return catalogue().list_page(category, 1)[static_cast<std::size_t>(index)];
}

const json& controls(const json& dump) {
  return dump["main"]["controls"];
}

class DemoProgram : public testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove_all(dir_); }
  test::HeadlessResult run(const std::string& script) {
    return test::run_headless({"--history-file", history_.string()}, script);
  }

  std::filesystem::path dir_ =
      std::filesystem::temp_directory_path() / ("morvessa-demo-" + std::to_string(getpid()));
  std::filesystem::path history_ = dir_ / "history.ini";
};

TEST_F(DemoProgram, EveryFeatureWorksOnTheBundledDemo) {
  const demo::Title& searched = listed(0, 2);
  const demo::Title& poster = listed(0, 4);
  const demo::Title& variety = listed(3, 0);
  const demo::Title& film = listed(1, 0);
  test::HeadlessResult r =
      run("wait\ndump\n"
          "type main 编辑框2 " +
          searched.name +
          "\n"
          "event main 编辑框2 key 13\nwait\ndump\n"
          "dblclick-row main 超级列表框1 0\nwait\ndump\n"
          "event main 透明标签5 press 1 1\nwait\ndump\n"
          "click-row main 超级列表框2 0\ndump\n"
          "event main 超级链接框6 press 1 1\nwait\nevent main 透明标签1 press 1 1\nwait\ndump\n"
          "event main 超级链接框4 press 1 1\nwait\nevent main 图片框1 release 1 1\nwait\ndump\n"
          "event main - key 27\n");
  ASSERT_EQ(r.exit_status, 0) << r.err;
  ASSERT_EQ(r.dumps.size(), 7u) << r.err;

  // Start-up fills every cell of page 1 of the TV series.
  const json& grid = controls(r.dumps[0]);
  EXPECT_EQ(grid["透明标签1"]["text"], listed(0, 0).name);
  EXPECT_EQ(grid["透明标签31"]["text"], listed(0, 29).name);
  for (int k = 1; k <= 30; ++k) EXPECT_GT(grid["图片框" + std::to_string(k)]["picture_bytes"], 0) << k;

  // Typed search: the title is the first result, and Enter shows the search tab.
  const json& found = controls(r.dumps[1]);
  ASSERT_FALSE(found["超级列表框1"]["rows"].empty());
  EXPECT_EQ(found["超级列表框1"]["rows"][0][0], searched.name);
  EXPECT_EQ(found["选择夹1"]["current"], 2);

  // Double-click: the series' episodes, on the play tab.
  const json& episodes = controls(r.dumps[2]);
  EXPECT_EQ(episodes["超级列表框2"]["rows"].size(), static_cast<std::size_t>(searched.episode_count));
  EXPECT_EQ(episodes["透明标签32"]["text"], searched.name);
  EXPECT_EQ(episodes["选择夹1"]["current"], 1);

  // Poster press: the hidden box loads the search page, the episodes of that poster follow.
  const json& by_poster = controls(r.dumps[3]);
  EXPECT_EQ(by_poster["透明标签32"]["text"], poster.name);
  EXPECT_EQ(by_poster["超级列表框2"]["rows"].size(), static_cast<std::size_t>(poster.episode_count));

  // A click plays the first episode through line 0 and records it.
  const json& played = controls(r.dumps[4]);
  std::string address = by_poster["超级列表框2"]["rows"][0][1];
  EXPECT_EQ(played["超文本浏览框2"]["address"], std::string(played["编辑框3"]["text"]) + address);
  std::string entry = poster.name + " 第" + std::string(by_poster["超级列表框2"]["rows"][0][0]) + "集";
  EXPECT_EQ(played["透明标签37"]["text"], "正在播放： " + entry);
  ASSERT_EQ(played["超级列表框3"]["rows"].size(), 1u);

  // The other two detail layouts: a variety show's issues (a GBK page), a film's viewing sources.
  EXPECT_EQ(controls(r.dumps[5])["超级列表框2"]["rows"].size(), variety.issues.size());
  const json& sources = controls(r.dumps[6])["超级列表框2"]["rows"];
  ASSERT_EQ(sources.size(), film.sources.size());
  EXPECT_EQ(sources[0][0], "观看来源1");

  // The history survives a restart.
  test::HeadlessResult again = run("dump\n");
  ASSERT_EQ(again.dumps.size(), 1u);
  const json& history = controls(again.dumps[0])["超级列表框3"]["rows"];
  ASSERT_EQ(history.size(), 1u);
  EXPECT_EQ(history[0][0], entry);
  EXPECT_EQ(history[0][1], address);
}

}  // namespace
}  // namespace morvessa
