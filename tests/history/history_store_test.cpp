#include "history/history_store.h"

#include <gtest/gtest.h>

#include "history/history_app.h"
#include "history/test_files.h"

namespace morvessa {
namespace {

using test::file_bytes;
using test::HISTORY;
using test::HistoryApp;
using test::put_file;
using test::Rows;
using test::TempFolder;

// A history file's text in UTF-8, as the file holds it in code page 936.
void put_history(const std::filesystem::path& file, const std::string& utf8) {
  put_file(file, gbk(utf8));
}
std::optional<std::string> history_text(const std::filesystem::path& file) {
  std::optional<std::string> bytes = file_bytes(file);
  if (bytes) *bytes = to_utf8(*bytes);
  return bytes;
}

const std::string RECORDS_0_TO_2_AND_4 =
    "[播放记录]\r\n0=记录：甲 第1集：地址：a1\r\n1=记录：乙 第2集：地址：a2\r\n2=记录：丙 第3集：地址：a3\r\n"
    "4=记录：戊 第5集：地址：a5\r\n";

struct LoadCase {
  const char* name;
  std::optional<std::string> file;
  Rows rows;
};

class HistoryLoad : public testing::TestWithParam<LoadCase> {};

TEST_P(HistoryLoad, FillsTheListFromTheFile) {
  const LoadCase& c = GetParam();
  TempFolder folder;
  std::filesystem::path file = folder / "播放记录.ini";
  if (c.file) put_history(file, *c.file);
  HistoryApp app(file);
  EXPECT_EQ(app.rows(HISTORY), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HistoryLoad,
    testing::Values(
        LoadCase{"no_file", std::nullopt, {}},
        LoadCase{"records_0_to_2_and_4",
                 RECORDS_0_TO_2_AND_4,
                 {{"甲 第1集", "a1"}, {"乙 第2集", "a2"}, {"丙 第3集", "a3"}}},
        LoadCase{"lf_line_ends",
                 "[播放记录]\n0=记录：甲 第1集：地址：a1\n1=记录：乙 第2集：地址：a2\n",
                 {{"甲 第1集", "a1"}, {"乙 第2集", "a2"}}},
        LoadCase{"empty_address", "[播放记录]\r\n0=记录：甲 第1集：地址：\r\n", {{"甲 第1集", ""}}},
        LoadCase{"both_cells_empty", "[播放记录]\r\n0=记录：：地址：\r\n", {{"", ""}}},
        LoadCase{"title_with_colon",
                 "[播放记录]\r\n0=记录：名侦探：剧场版 第1集：地址：a1\r\n",
                 {{"名侦探：剧场版 第1集", "a1"}}},
        LoadCase{"title_with_the_separator",
                 "[播放记录]\r\n0=记录：甲：地址：乙 第1集：地址：a1\r\n",
                 {{"甲：地址：乙 第1集", "a1"}}},
        LoadCase{"other_shapes_by_fields",
                 "[播放记录]\r\n0=旧：甲 第1集：地址\r\n1=x：乙 第2集：y：a2\r\n2=记录：丙 第3集：a3\r\n",
                 {{"甲 第1集", ""}, {"乙 第2集", "a2"}, {"丙 第3集", ""}}},
        LoadCase{"unreadable_records_skipped",
                 "[播放记录]\r\n0=记录：甲：地址：a1\r\n1=no colon at "
                 "all\r\n2=a：b：c：d：e\r\n3=记录：丁：地址：a4\r\n",
                 {{"甲", "a1"}, {"丁", "a4"}}},
        LoadCase{"empty_value_ends",
                 "[播放记录]\r\n0=记录：甲：地址：a1\r\n1=  \r\n2=记录：丙：地址：a3\r\n",
                 {{"甲", "a1"}}},
        LoadCase{"other_sections_ignored",
                 "[其他]\r\n0=记录：外：地址：x\r\n[播放记录]\r\n0=  记录：甲：地址：a1  \r\n",
                 {{"甲", "a1"}}}),
    [](const testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

class HistorySave : public testing::Test {
 protected:
  TempFolder folder;
  std::filesystem::path file = folder / "播放记录.ini";
};

TEST_F(HistorySave, TwoPlaysWithoutAFileGiveKeysZeroAndOne) {
  HistoryApp app(file);
  app.play("某剧", "1", "http://h/1.html");
  app.play("某剧", "2", "http://h/2.html");
  app.press_escape();
  EXPECT_EQ(history_text(file),
            "[播放记录]\r\n0=记录：某剧 第1集：地址：http://h/1.html\r\n1=记录：某剧 "
            "第2集：地址：http://h/2.html\r\n");
}

TEST_F(HistorySave, EachNewEntryIsKeptAtOnce) {
  HistoryApp app(file);
  app.play("某剧", "1", "http://h/1.html");
  EXPECT_EQ(history_text(file), "[播放记录]\r\n0=记录：某剧 第1集：地址：http://h/1.html\r\n");
}

TEST_F(HistorySave, KeyFourStaysUntilTheListHasFiveRows) {
  put_history(file, RECORDS_0_TO_2_AND_4);
  HistoryApp app(file);
  app.play("丁", "4", "a4");
  const std::string four_rows =
      "[播放记录]\r\n0=记录：甲 第1集：地址：a1\r\n1=记录：乙 第2集：地址：a2\r\n2=记录：丙 "
      "第3集：地址：a3\r\n";
  // A new key goes after the section's last key, which is the old "4".
  EXPECT_EQ(history_text(file), four_rows + "4=记录：戊 第5集：地址：a5\r\n3=记录：丁 第4集：地址：a4\r\n");
  app.play("新", "5", "b5");
  app.press_escape();
  EXPECT_EQ(history_text(file), four_rows + "4=记录：新 第5集：地址：b5\r\n3=记录：丁 第4集：地址：a4\r\n");
}

TEST_F(HistorySave, LineBreaksInTextAndAddressBecomeBlanks) {
  HistoryApp app(file);
  app.play("上\r\n下", "1", "http://h/1\n.html");
  app.play("后", "2", "http://h/2.html");
  app.press_escape();
  EXPECT_EQ(history_text(file),
            "[播放记录]\r\n0=记录：上  下 第1集：地址：http://h/1 .html\r\n1=记录：后 "
            "第2集：地址：http://h/2.html\r\n");
  HistoryApp next(file);
  EXPECT_EQ(next.rows(HISTORY),
            (Rows{{"上  下 第1集", "http://h/1 .html"}, {"后 第2集", "http://h/2.html"}}));
}

TEST_F(HistorySave, TitlesWithColonsComeBackAsSaved) {
  Rows saved = {{"名侦探：剧场版 第1集", "a1"}, {"甲：地址：乙 第2集", "a2"}, {"", ""}, {"丙 第3集", ""}};
  {
    HistoryApp app(file);
    for (const auto& [text, address] : saved) app.add_row(HISTORY, text, address);
    app.press_escape();
  }
  HistoryApp next(file);
  EXPECT_EQ(next.rows(HISTORY), saved);
}

TEST_F(HistorySave, ClearDeletesTheFileAndPlaysAfterItStartFromZero) {
  struct Case {
    const char* name;
    int plays_after_clear;
    std::optional<std::string> file_at_close;
  };
  const Case cases[] = {
      {"clear_then_close", 0, std::nullopt},
      {"clear_one_play_close", 1, "[播放记录]\r\n0=记录：新 第1集：地址：n1\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    put_history(file, RECORDS_0_TO_2_AND_4);
    HistoryApp app(file);
    app.harness().press(main_control("超级链接框10"));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(app.rows(HISTORY).empty());
    for (int i = 0; i < c.plays_after_clear; ++i) app.play("新", "1", "n1");
    app.press_escape();
    EXPECT_EQ(history_text(file), c.file_at_close);
  }
}

TEST_F(HistorySave, EscapeSavesAsTheClosePictureDoes) {
  const std::string expected = "[播放记录]\r\n0=记录：甲 第1集：地址：a1\r\n1=记录：乙 第2集：地址：\r\n";
  for (bool by_escape : {true, false}) {
    SCOPED_TRACE(by_escape ? "Esc" : "close picture");
    std::filesystem::remove(file);
    HistoryApp app(file);
    app.add_row(HISTORY, "甲 第1集", "a1");  // rows not yet saved: only the close writes them
    app.add_row(HISTORY, "乙 第2集", "");
    EXPECT_FALSE(std::filesystem::exists(file));
    if (by_escape) {
      app.press_escape();
    } else {
      app.ui().queue_answer(0);
      app.harness().press(main_control("图片框38"));
    }
    EXPECT_TRUE(app.ui().main_destroyed());
    EXPECT_EQ(history_text(file), expected);
  }
}

TEST_F(HistorySave, EmptyListAtCloseCreatesNoFile) {
  HistoryApp app(file);
  app.press_escape();
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(HistorySave, OtherSectionsAndLinesOfTheFileStay) {
  put_history(file, "; 注释\n[其他]\nx=1\n\n[播放记录]\n0=记录：甲：地址：a1\n\n[后]\ny=2\n");
  HistoryApp app(file);
  app.play("乙", "2", "a2");
  EXPECT_EQ(history_text(file),
            "; 注释\r\n[其他]\r\nx=1\r\n\r\n[播放记录]\r\n0=记录：甲：地址：a1\r\n1=记录：乙 "
            "第2集：地址：a2\r\n\r\n[后]\r\n"
            "y=2\r\n");
}

TEST_F(HistorySave, MissingFolderIsCreated) {
  std::filesystem::path nested = folder / "data" / "morvessa" / "播放记录.ini";
  HistoryApp app(nested);
  app.play("甲", "1", "a1");
  EXPECT_EQ(history_text(nested), "[播放记录]\r\n0=记录：甲 第1集：地址：a1\r\n");
}

TEST_F(HistorySave, TenThousandEntriesInOneWriteAndBack) {
  constexpr int COUNT = 10000;
  Rows saved;
  for (int i = 0; i < COUNT; ++i)
    saved.emplace_back("剧" + std::to_string(i) + " 第" + std::to_string(i % 40 + 1) + "集",
                       "http://h/v/" + std::to_string(i) + ".html");
  std::vector<HistoryEntry> entries;
  for (const auto& [text, address] : saved) entries.push_back({gbk(text), gbk(address)});
  test::CountingFiles files;
  ASSERT_TRUE(write_history(files, file, entries));
  EXPECT_EQ(files.replacements, 1);
  EXPECT_EQ(read_history(files, file), entries);
  {
    HistoryApp app(file);
    EXPECT_EQ(app.rows(HISTORY), saved);
    app.play("新", "1", "n1");  // the save after a new entry rewrites all of them
  }
  saved.emplace_back("新 第1集", "n1");
  HistoryApp next(file);
  EXPECT_EQ(next.rows(HISTORY), saved);
}

}  // namespace
}  // namespace morvessa
