#include "player/playback.h"

#include <gtest/gtest.h>

#include "history/history_app.h"
#include "history/test_files.h"

namespace morvessa {
namespace {

using namespace test;

class Playback : public testing::Test {
 protected:
  TempFolder folder;
  std::filesystem::path file = folder / "播放记录.ini";
};

struct EpisodeCase {
  const char* name;
  std::string title, label, address;
  std::string now_playing, entry;
};

class PlayEpisode : public Playback, public testing::WithParamInterface<EpisodeCase> {};

TEST_P(PlayEpisode, SendsThePlayerAndRecordsTheEntry) {
  const EpisodeCase& c = GetParam();
  HistoryApp app(file);
  app.add_row(HISTORY, "旧 第1集", "old");
  app.show_episodes(c.title, {{"0", "other"}, {c.label, c.address}});
  app.click_row(EPISODES, 1);
  EXPECT_EQ(app.player_address(), LINE_0 + c.address);
  EXPECT_EQ(app.text(NOW_PLAYING), c.now_playing);
  EXPECT_EQ(app.rows(HISTORY), (Rows{{"旧 第1集", "old"}, {c.entry, c.address}}));
  EXPECT_EQ(app.ui().snapshot().main.controls[main_control("选择夹1").index].current_tab, 0)
      << "tab unchanged";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlayEpisode,
    testing::Values(EpisodeCase{"episode", "某剧", "3", "http://h/3.html", "正在播放： 某剧 第3集",
                                "某剧 第3集"},
                    EpisodeCase{"film_source", "某片", "观看来源1", "http://h/f.html",
                                "正在播放： 某片 第观看来源1集", "某片 第观看来源1集"},
                    EpisodeCase{"issue_title", "综艺", "20240101期", "http://h/z.html",
                                "正在播放： 综艺 第20240101期集", "综艺 第20240101期集"},
                    EpisodeCase{"no_title_yet", "", "3", "http://h/3.html", "正在播放：  第3集", " 第3集"},
                    EpisodeCase{"address_used_as_it_stands", "某剧", "3", " http://h/a b?x=1&y ",
                                "正在播放： 某剧 第3集", "某剧 第3集"}),
    [](const testing::TestParamInfo<EpisodeCase>& info) { return std::string(info.param.name); });

TEST_F(Playback, SameEpisodeTwiceGivesTwoEqualEntries) {
  HistoryApp app(file);
  app.show_episodes("某剧", {{"3", "a3"}});
  app.click_row(EPISODES, 0);
  app.click_row(EPISODES, 0);
  EXPECT_EQ(app.rows(HISTORY), (Rows{{"某剧 第3集", "a3"}, {"某剧 第3集", "a3"}}));
}

TEST_F(Playback, OnlyAClickPlays) {
  HistoryApp app(file);
  app.show_episodes("某剧", {{"3", "a3"}});
  app.add_row(HISTORY, "旧 第1集", "old");
  app.ui().user_select(EPISODES, 0);
  app.ui().user_select(HISTORY, 0);
  EXPECT_EQ(app.player_address(), "");
  EXPECT_EQ(app.text(NOW_PLAYING), "正在播放：");
  EXPECT_EQ(app.rows(HISTORY).size(), 1u);
}

// A click that selects no row, on empty space or on an empty list, plays and records nothing.
TEST_F(Playback, ClickOnNoRowDoesNothing) {
  struct Case {
    const char* name;
    ControlRef list;
    bool list_has_rows;
  };
  const Case cases[] = {
      {"episodes_empty_space", EPISODES, true},
      {"episodes_empty_list", EPISODES, false},
      {"history_empty_space", HISTORY, true},
      {"history_empty_list", HISTORY, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(file);
    HistoryApp app(file);
    app.show_episodes("某剧", c.list_has_rows && c.list == EPISODES ? Rows{{"3", "a3"}} : Rows{});
    if (c.list_has_rows && c.list == HISTORY) app.add_row(HISTORY, "旧 第1集", "old");
    Rows history_before = app.rows(HISTORY);
    app.click_row(c.list, -1);
    EXPECT_EQ(app.player_address(), "");
    EXPECT_EQ(app.text(NOW_PLAYING), "正在播放：");
    EXPECT_EQ(app.rows(HISTORY), history_before);
    EXPECT_FALSE(std::filesystem::exists(file));
  }
}

TEST_F(Playback, ReplayUsesTheCurrentLineAndLeavesTheHistory) {
  put_file(file, gbk("[播放记录]\r\n0=记录：甲 第1集：地址：a1\r\n1=记录：乙 第2集：地址：a2\r\n"));
  std::optional<std::string> before = file_bytes(file);
  HistoryApp app(file);
  app.click_row(HISTORY, 1);
  EXPECT_EQ(app.player_address(), LINE_0 + "a2");
  EXPECT_EQ(app.text(NOW_PLAYING), "正在播放： 乙 第2集");

  app.ui().set_text(PREFIX, gbk(LINE_3));  // as a line change leaves it
  app.click_row(HISTORY, 0);
  EXPECT_EQ(app.player_address(), LINE_3 + "a1");
  EXPECT_EQ(app.text(NOW_PLAYING), "正在播放： 甲 第1集");
  EXPECT_EQ(app.rows(HISTORY), (Rows{{"甲 第1集", "a1"}, {"乙 第2集", "a2"}}));
  EXPECT_EQ(file_bytes(file), before);
}

struct TypedCase {
  const char* name;
  std::string typed;                  // code page 936 bytes
  std::optional<std::string> played;  // nullopt: nothing happens
};

class PlayTypedAddress : public Playback, public testing::WithParamInterface<TypedCase> {};

TEST_P(PlayTypedAddress, PlaysTheAddressWithoutTheBlanksAround) {
  const TypedCase& c = GetParam();
  HistoryApp app(file);
  app.ui().user_pick_tab(3);
  app.ui().user_type(main_control("编辑框4"), c.typed);
  app.harness().press(main_control("超级链接框9"));
  int tab = app.ui().snapshot().main.controls[main_control("选择夹1").index].current_tab;
  if (c.played) {
    EXPECT_EQ(tab, 1);
    EXPECT_EQ(app.ui().snapshot().main.controls[PLAYER.index].address, gbk(LINE_0) + *c.played);
  } else {
    EXPECT_EQ(tab, 3);
    EXPECT_EQ(app.player_address(), "");
  }
  EXPECT_EQ(app.text(NOW_PLAYING), "正在播放：");
  EXPECT_TRUE(app.rows(HISTORY).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlayTypedAddress,
    testing::Values(TypedCase{"plain", "http://h/v.html", "http://h/v.html"},
                    TypedCase{"ascii_blanks", " \t http://h/v.html  ", "http://h/v.html"},
                    TypedCase{"full_width_blanks", gbk("　 http://h/v.html　　"), "http://h/v.html"},
                    TypedCase{"inner_blanks_kept", gbk(" a 　b "), gbk("a 　b")},
                    // 啊 (B0 A1) before a lone A1: its trail byte and the A1 are no full-width blank.
                    TypedCase{"no_blank_across_characters", "\xB0\xA1\xA1", "\xB0\xA1\xA1"},
                    TypedCase{"empty", "", std::nullopt},
                    TypedCase{"only_blanks", gbk(" 　\t　"), std::nullopt}),
    [](const testing::TestParamInfo<TypedCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace morvessa
