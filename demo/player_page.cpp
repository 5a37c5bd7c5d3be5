#include "demo/player_page.h"

#include "demo/html.h"

namespace morvessa::demo {
namespace {

constexpr std::string_view UNKNOWN_TITLE = "未收录的视频";
constexpr std::string_view UNKNOWN_ITEM = "演示片段";

}  // namespace

std::string parse_line_prefix(int line, std::string_view host) {
  if (line < 0 || line >= PARSE_LINE_COUNT) return {};
  const ParseLine& l = PARSE_LINES[static_cast<std::size_t>(line)];
  std::string prefix{l.scheme};
  prefix += host;
  prefix += l.path;
  prefix += '?';
  prefix += l.key;
  prefix += '=';
  return prefix;
}

std::string asked_address(std::string_view target, std::string_view key) {
  const std::size_t query = target.find('?');
  if (query == std::string_view::npos) return {};
  std::string_view rest = target.substr(query + 1);
  // The address is appended unencoded and may hold "&" or "=" itself, so it is the whole rest of the target.
  const std::string first = std::string{key} + "=";
  if (rest.starts_with(first)) return std::string{rest.substr(first.size())};
  const std::size_t later = rest.find("&" + first);
  if (later == std::string_view::npos) return {};
  return std::string{rest.substr(later + 1 + first.size())};
}

std::string render_player_page(const Catalogue& catalogue, int line, std::string_view address) {
  const ParseLine& l = PARSE_LINES[static_cast<std::size_t>(line)];
  const std::string decoded = valid_utf8(percent_decode(address));
  const PlayItem item = catalogue.resolve(decoded);
  const std::string title = item.title ? item.title->name : std::string{UNKNOWN_TITLE};
  const std::string label = item.title && !item.label.empty() ? item.label : std::string{UNKNOWN_ITEM};
  const std::string cover = item.title ? item.title->poster_path() : std::string{};

  HtmlWriter out;
  begin_page(
      out,
      {.title = title + " " + label, .charset = "utf-8", .body_class = "player-page", .site_header = false});
  out.line("<div class=\"player\" style=\"--accent: " + std::string{l.accent} + "\">");
  if (decoded.empty()) {
    out.line(2, "<div class=\"player-empty\">");
    out.line(4,
             "<p class=\"player-line\">" + std::string{l.name} + " · 线路 " + std::to_string(line) + "</p>");
    out.line(4, "<h1 class=\"player-title\">没有收到视频地址</h1>");
    out.line(4, "<p class=\"player-item\">请在地址后面加上要播放的视频页地址。</p>");
    out.line(2, "</div>");
  } else {
    out.line(2, "<video class=\"player-video\" src=\"" + std::string{CLIP_PATH} + "\"" +
                    (cover.empty() ? std::string{} : " poster=\"" + cover + "\"") +
                    " autoplay muted loop playsinline controls></video>");
    out.line(2, "<div class=\"player-overlay\">");
    if (!cover.empty()) out.line(4, "<img class=\"player-cover\" alt=\"\" src=\"" + cover + "\">");
    out.line(4, "<div class=\"player-text\">");
    out.line(6,
             "<p class=\"player-line\">" + std::string{l.name} + " · 线路 " + std::to_string(line) + "</p>");
    out.line(6, "<h1 class=\"player-title\">" + escape_html(title) + "</h1>");
    out.line(6, "<p class=\"player-item\">" + escape_html(label) + "</p>");
    out.line(4, "</div>");
    out.line(2, "</div>");
  }
  out.line(2, "<p class=\"player-address\">解析地址：" + escape_html(decoded) + "</p>");
  out.line("</div>");
  end_page(out, false);
  return std::move(out.text());
}

std::string render_play_page(std::string_view host, const PlayItem& item,
                             const std::array<std::string, PARSE_LINE_COUNT>& line_prefixes) {
  const Title& t = *item.title;
  const std::string address = "http://" + std::string{host} + Catalogue::play_path(t, item.item);
  HtmlWriter out;
  begin_page(out, {.title = t.name + " " + item.label, .charset = "utf-8", .body_class = "play-page"});
  out.line("<main class=\"main\">");
  out.line(2, "<div class=\"play-card\">");
  out.line(4, "<img class=\"detail-poster\" alt=\"\" src=\"" + t.poster_path() + "\">");
  out.line(4, "<div class=\"play-info\">");
  out.line(6, "<h1>" + escape_html(t.name) + " <small>" + escape_html(item.label) + "</small></h1>");
  out.line(6, "<p>本站不直接提供视频，请选择一条解析线路播放：</p>");
  out.line(6, "<ul class=\"play-lines\">");
  for (int i = 0; i < PARSE_LINE_COUNT; ++i) {
    const ParseLine& l = PARSE_LINES[static_cast<std::size_t>(i)];
    out.line(8, "<li><a class=\"play-line\" style=\"--accent: " + std::string{l.accent} + "\" href=\"" +
                    escape_html(line_prefixes[static_cast<std::size_t>(i)] + address) + "\">线路 " +
                    std::to_string(i) + " · " + std::string{l.name} + "</a></li>");
  }
  out.line(6, "</ul>");
  out.line(6, "<p class=\"play-back\"><a href=\"/" + t.path() + ".html\">返回详情页</a></p>");
  out.line(4, "</div>");
  out.line(2, "</div>");
  out.line("</main>");
  end_page(out);
  return std::move(out.text());
}

}  // namespace morvessa::demo
