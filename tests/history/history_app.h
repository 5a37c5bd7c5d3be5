#pragma once
// The program in process (AppHarness) with known play-line hosts and a history file of the test's own,
// and the user's steps that playback and history tests are made of. Texts in and out are UTF-8.

#include <string>
#include <utility>
#include <vector>

#include "app/layout.h"
#include "net/codepage.h"
#include "support/app_harness.h"

namespace morvessa::test {

inline constexpr ControlRef EPISODES = main_control("超级列表框2");
inline constexpr ControlRef HISTORY = main_control("超级列表框3");
inline constexpr ControlRef PLAYER = main_control("超文本浏览框2");
inline constexpr ControlRef NOW_PLAYING = main_control("透明标签37");
inline constexpr ControlRef TITLE = main_control("透明标签32");
inline constexpr ControlRef PREFIX = main_control("编辑框3");

// Prefixes of the five lines for the hosts of test_endpoints().
inline const std::string LINE_0 = "https://line0.test/webcloud/?v=";
inline const std::string LINE_1 = "http://198.51.100.1/video.php?url=";
inline const std::string LINE_2 = "http://line2.test/yun?url=";
inline const std::string LINE_3 = "http://line3.test/tong.php?url=";
inline const std::string LINE_4 = "http://line4.test/vip.php?url=";

inline Endpoints test_endpoints() {
  Endpoints endpoints;
  endpoints.main_host = "127.0.0.1:1";  // nothing listens: start-up's page load fails at once
  endpoints.search_host = endpoints.main_host;
  endpoints.line_hosts = {"line0.test", "198.51.100.1", "line2.test", "line3.test", "line4.test"};
  return endpoints;
}

using Rows = std::vector<std::pair<std::string, std::string>>;

class HistoryApp final {
 public:
  explicit HistoryApp(std::filesystem::path history_file)
      : harness_(test_endpoints(), std::move(history_file)) {
    harness_.start();
    harness_.settle();
  }

  AppHarness& harness() { return harness_; }
  RecordToolkit& ui() { return harness_.ui(); }
  App& app() { return harness_.app(); }
  std::string text(ControlRef control) { return harness_.text(control); }

  // What the detail pages would leave: the chosen title and the episode rows.
  void show_episodes(const std::string& title, const Rows& episodes) {
    ui().set_text(TITLE, gbk(title));
    ui().list_clear(EPISODES);
    for (const auto& [label, address] : episodes) add_row(EPISODES, label, address);
  }
  void add_row(ControlRef list, const std::string& column0, const std::string& column1) {
    int row = ui().list_insert_row(list);
    ui().list_set_cell(list, row, 0, gbk(column0));
    ui().list_set_cell(list, row, 1, gbk(column1));
  }
  // A mouse click that selects the row (-1: on empty space).
  void click_row(ControlRef list, int row) {
    ui().user_select(list, row);
    ui().user_event(list, EventKind::clicked);
  }
  void play(const std::string& title, const std::string& label, const std::string& address) {
    show_episodes(title, {{label, address}});
    click_row(EPISODES, 0);
  }
  Rows rows(ControlRef list) {
    Rows rows;
    for (int r = 0; r < ui().list_row_count(list); ++r)
      rows.emplace_back(harness_.cell(list, r, 0), harness_.cell(list, r, 1));
    return rows;
  }
  std::string player_address() { return to_utf8(ui().snapshot().main.controls[PLAYER.index].address); }
  void press_escape() {
    ui().user_event(ControlRef{WindowId::main, -1}, EventKind::key_pressed, {0, 0, KEY_ESCAPE});
  }

 private:
  AppHarness harness_;
};

}  // namespace morvessa::test
