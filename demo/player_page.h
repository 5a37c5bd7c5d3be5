#pragma once
// The five demo parse services: each answers its path and query key with a player page for the address
// appended to it, and the catalogue's own play page points at all five.

#include <array>
#include <string>
#include <string_view>

#include "demo/catalogue.h"

namespace morvessa::demo {

struct ParseLine {
  std::string_view name;  // UTF-8, shown on its pages
  std::string_view scheme;
  std::string_view path;  // the route the service answers
  std::string_view key;   // the query key that takes the page address
  std::string_view accent;
};

inline constexpr int PARSE_LINE_COUNT = 5;
inline constexpr std::array<ParseLine, PARSE_LINE_COUNT> PARSE_LINES = {{
    {"云播解析", "https://", "/webcloud/", "v", "#4f8cff"},
    {"极速解析", "http://", "/video.php", "url", "#ff7a45"},
    {"云盘解析", "http://", "/yun", "url", "#36c08e"},
    {"通用解析", "http://", "/tong.php", "url", "#b37feb"},
    {"VIP解析", "http://", "/vip.php", "url", "#f5b82e"},
}};
inline constexpr std::string_view CLIP_PATH = "/media/demo-clip.webm";

// Scheme, host, path, "?", key and "=": a page address is appended to it as it stands.
std::string parse_line_prefix(int line, std::string_view host);

// The address a request asks for: everything after the line's key in the raw request target, undecoded;
// empty when the key is missing.
std::string asked_address(std::string_view target, std::string_view key);

// The player page of a line for the address it was asked for (raw, as appended to the prefix).
std::string render_player_page(const Catalogue& catalogue, int line, std::string_view address);

// The catalogue's page of one playable item: where it can be played.
std::string render_play_page(std::string_view host, const PlayItem& item,
                             const std::array<std::string, PARSE_LINE_COUNT>& line_prefixes);

}  // namespace morvessa::demo
