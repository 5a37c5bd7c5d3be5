#include "player/playback.h"

#include "app/app.h"
#include "app/layout.h"
#include "history/gbk_chars.h"
#include "history/history_store.h"
#include "net/codepage.h"

namespace morvessa {
namespace {

constexpr ControlRef EPISODE_LIST = main_control("超级列表框2");
constexpr ControlRef HISTORY_LIST = main_control("超级列表框3");
constexpr ControlRef PLAYER = main_control("超文本浏览框2");
constexpr ControlRef LINE_PREFIX = main_control("编辑框3");
constexpr ControlRef CHOSEN_TITLE = main_control("透明标签32");
constexpr ControlRef NOW_PLAYING = main_control("透明标签37");
constexpr ControlRef TYPED_ADDRESS = main_control("编辑框4");
constexpr int PLAYER_TAB = 1;
constexpr std::string_view FULL_WIDTH_BLANK = "　";

struct PlayTexts {
  std::string now_playing = gbk(NOW_PLAYING_PREFIX);
  std::string before = gbk(EPISODE_BEFORE);
  std::string after = gbk(EPISODE_AFTER);
  std::string full_width_blank = gbk(FULL_WIDTH_BLANK);
};

const PlayTexts& texts() {
  static const PlayTexts t;
  return t;
}

bool is_ascii_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The text without the ASCII and full-width blanks around it, cut on character boundaries.
std::string_view trim_typed_blanks(std::string_view text) {
  const std::string& wide_blank = texts().full_width_blank;
  auto blank_at = [&](std::size_t pos) -> std::size_t {
    if (is_ascii_blank(text[pos])) return 1;
    return text.compare(pos, wide_blank.size(), wide_blank) == 0 ? wide_blank.size() : 0;
  };
  std::size_t begin = 0;
  while (begin < text.size())
    if (std::size_t size = blank_at(begin))
      begin += size;
    else
      break;
  std::size_t end = begin;
  for (std::size_t pos = begin; pos < text.size();) {
    std::size_t size = blank_at(pos);
    pos += size ? size : gbk_char_size(text, pos);
    if (!size) end = pos;
  }
  return text.substr(begin, end - begin);
}

}  // namespace

std::string player_address(App& app, std::string_view page_address) {
  std::string address = app.ui().get_text(LINE_PREFIX);
  address += page_address;
  return address;
}

std::string entry_text(std::string_view title, std::string_view episode_label) {
  std::string text(title);
  text += texts().before;
  text += episode_label;
  text += texts().after;
  return text;
}

// A click that selects no row (empty space, empty list) plays nothing and records nothing.
void play_episode(App& app, const EventArgs&) {
  UiToolkit& ui = app.ui();
  int row = ui.list_selected_row(EPISODE_LIST);
  if (row < 0) return;
  std::string address = ui.list_get_cell(EPISODE_LIST, row, 1);
  ui.navigate(PLAYER, player_address(app, address));
  std::string entry = entry_text(ui.get_text(CHOSEN_TITLE), ui.list_get_cell(EPISODE_LIST, row, 0));
  ui.set_text(NOW_PLAYING, texts().now_playing + entry);
  int history_row = ui.list_insert_row(HISTORY_LIST);
  ui.list_set_cell(HISTORY_LIST, history_row, 0, entry);
  ui.list_set_cell(HISTORY_LIST, history_row, 1, address);
  // Kept at once, so that a crash or a killed process loses no entry.
  save_history(app);
}

void replay_history_entry(App& app, const EventArgs&) {
  UiToolkit& ui = app.ui();
  int row = ui.list_selected_row(HISTORY_LIST);
  if (row < 0) return;
  ui.navigate(PLAYER, player_address(app, ui.list_get_cell(HISTORY_LIST, row, 1)));
  ui.set_text(NOW_PLAYING, texts().now_playing + ui.list_get_cell(HISTORY_LIST, row, 0));
}

void play_typed_address(App& app, const EventArgs&) {
  UiToolkit& ui = app.ui();
  std::string typed = ui.get_text(TYPED_ADDRESS);
  std::string_view address = trim_typed_blanks(typed);
  if (address.empty()) return;
  ui.set_current_tab(PLAYER_TAB);
  ui.navigate(PLAYER, player_address(app, address));
}

}  // namespace morvessa
