#include "demo/detail_page.h"

#include <cstdio>

#include "demo/charset.h"
#include "demo/html.h"

namespace morvessa::demo {
namespace {

// Series: the episode block runs from the tab container to the related-videos block; in it, each episode is
// an anchor whose number, then address (written without its scheme after "http://"), open its own line.
const std::string EPISODE_BLOCK_START = std::string(20, ' ') + "<div class=\"num-tab-main";
constexpr std::string_view EPISODE_BLOCK_END =
    "<div data-block=\"tj-xiangguan\" class=\"shipin p-mod g-clear \" monitor-desc=\"相关视频\">";
const std::string EPISODE_ANCHOR_OPEN = std::string(68, ' ') + "<a data-num=\"";
constexpr std::string_view EPISODE_ANCHOR_AFTER_NUMBER = "\" data-daochu=\"to=demo\" href=\"http://";
const std::string EPISODE_ANCHOR_CLOSE = "\">\r\n" + std::string(70, ' ');

// Variety shows: the year list, one list item per issue with its title, then its anchor.
const std::string ISSUE_LIST_START =
    std::string(8, ' ') +
    "\t<ul class=\"list w-newfigure-list g-clear js-year-page\" style=\"display:block;\">";
const std::string ISSUE_LIST_END =
    std::string(8, ' ') +
    "<div class=\"juji-page\"><div monitor-desc='分页' id='js-ew-page' data-block='js-ew-page'  "
    "class='ew-page'></div></div>";
constexpr std::string_view ISSUE_ITEM_OPEN = "<li  title='";
constexpr std::string_view ISSUE_ITEM_AFTER_TITLE =
    "' class='w-newfigure w-newfigure-180x153'><a href='http://";
constexpr std::string_view ISSUE_ITEM_AFTER_ADDRESS = "' data-daochu=to=demo class='js-link'>";

// Films: the viewing sites, from the sort label to the related-videos label.
constexpr std::string_view SOURCE_BLOCK_START = "<span class=\"txt\">站点排序：</span>";
const std::string RELATED_LABEL = std::string(8, ' ') + "<span class=\"p-mod-label\">相关视频</span>";
constexpr std::string_view SOURCE_ANCHOR_OPEN = "<a class=\"site-item\" data-site=\"";
constexpr std::string_view SOURCE_ANCHOR_AFTER_NUMBER = "\" href=\"http://";

constexpr int RELATED_COUNT = 6;

std::string joined(const std::vector<std::string>& items, std::string_view separator) {
  std::string out;
  for (const std::string& item : items) out += (out.empty() ? "" : std::string{separator}) + item;
  return out;
}

std::string play_address(std::string_view host, const Title& t, std::string_view item) {
  return std::string{host} + Catalogue::play_path(t, item);
}

void write_summary(HtmlWriter& out, const Title& t) {
  char score[16];
  std::snprintf(score, sizeof score, "%.1f", t.score);
  const bool variety = t.category_info().layout == Layout::variety;
  out.line(2, "<div class=\"detail-top g-clear\">");
  out.line(4, "<img class=\"detail-poster\" alt=\"\" src=\"" + t.poster_path() + "\">");
  out.line(4, "<div class=\"detail-info\">");
  out.line(6, "<h1 class=\"detail-title\">" + escape_html(t.name) + "<span class=\"detail-score\">" + score +
                  "</span></h1>");
  out.line(6, "<p class=\"detail-tags\">" + std::to_string(t.year) + " · " + escape_html(t.area) + " · " +
                  escape_html(joined(t.genres, " / ")) + "</p>");
  if (!t.director.empty())
    out.line(6, "<p class=\"detail-people\">导演：" + escape_html(t.director) + "</p>");
  out.line(6, "<p class=\"detail-people\">" + std::string{variety ? "嘉宾：" : "主演："} +
                  escape_html(joined(t.cast, " / ")) + "</p>");
  out.line(6, "<p class=\"detail-blurb\">" + escape_html(t.blurb) + "</p>");
  const std::vector<std::string> items = Catalogue::play_items(t);
  if (!items.empty()) {
    out.line(6, "<a class=\"detail-play\" href=\"" + escape_html(Catalogue::play_path(t, items.front())) +
                    "\">立即播放</a>");
  }
  out.line(4, "</div>");
  out.line(2, "</div>");
}

void write_related(HtmlWriter& out, const Catalogue& catalogue, const Title& t) {
  const std::span<const Title> all = catalogue.category_titles(t.category);
  out.line(4, "<ul class=\"related-list g-clear\">");
  for (int i = 1; i <= RELATED_COUNT; ++i) {
    const Title& other = all[static_cast<std::size_t>((t.rank + i * 7) % TITLES_PER_CATEGORY)];
    out.line(6, "<li class=\"related-item\"><a class=\"related-link\" href=\"/" + other.path() +
                    ".html\"><img class=\"related-poster\" alt=\"\" src=\"" + other.poster_path() +
                    "\"><span class=\"related-name\">" + escape_html(other.name) + "</span></a></li>");
  }
  out.line(4, "</ul>");
}

void write_episodes(HtmlWriter& out, const Catalogue& catalogue, std::string_view host, const Title& t) {
  out.line(2, "<div class=\"p-mod juji-mod\">");
  out.line(4, "<div class=\"p-mod-title\">选集<span class=\"p-mod-sub\">全" +
                  std::to_string(t.episode_count) + "集</span></div>");
  out.raw(EPISODE_BLOCK_START).line(" g-clear js-tabs\">");
  out.line(22, "<div class=\"num-tab-list g-clear\">");
  for (int n = 1; n <= t.episode_count; ++n) {
    const std::string number = std::to_string(n);
    out.raw(EPISODE_ANCHOR_OPEN).raw(number).raw(EPISODE_ANCHOR_AFTER_NUMBER);
    out.raw(play_address(host, t, number)).raw(EPISODE_ANCHOR_CLOSE);
    out.line("<span class=\"num\">" + number + "</span>");
    out.line(68, "</a>");
  }
  out.line(22, "</div>");
  out.line(20, "</div>");
  out.line(2, "</div>");
  out.line(2, std::string{EPISODE_BLOCK_END});
  out.line(RELATED_LABEL);
  write_related(out, catalogue, t);
  out.line(2, "</div>");
}

void write_issues(HtmlWriter& out, const Catalogue& catalogue, std::string_view host, const Title& t) {
  out.line(2, "<div class=\"p-mod zongyi-mod\">");
  out.line(4, "<div class=\"p-mod-title\">往期节目<span class=\"p-mod-sub\">共" +
                  std::to_string(t.issues.size()) + "期</span></div>");
  out.line(
      4, "<div class=\"year-tabs\"><span class=\"year-tab on\">" + std::to_string(t.year) + "</span></div>");
  out.line(ISSUE_LIST_START);
  for (const Issue& issue : t.issues) {
    const std::string date = issue.date.substr(4, 2) + "-" + issue.date.substr(6, 2);
    const std::size_t colon = issue.label.find("：");
    const std::string topic = colon == std::string::npos ? issue.label : issue.label.substr(colon + 3);
    out.raw(std::string(10, ' ')).raw(ISSUE_ITEM_OPEN).raw(issue.label).raw(ISSUE_ITEM_AFTER_TITLE);
    out.raw(play_address(host, t, issue.date)).raw(ISSUE_ITEM_AFTER_ADDRESS);
    out.line("<span class='w-newfigure-date'>" + date + "</span><span class='w-newfigure-title'>" +
             escape_html(topic) + "</span></a></li>");
  }
  out.line(8, "</ul>");
  out.line(ISSUE_LIST_END);
  out.line(2, "</div>");
  out.line(2, "<div class=\"p-mod related-mod\">");
  out.line(RELATED_LABEL);
  write_related(out, catalogue, t);
  out.line(2, "</div>");
}

void write_sources(HtmlWriter& out, const Catalogue& catalogue, std::string_view host, const Title& t) {
  out.line(2, "<div class=\"p-mod sites-mod\">");
  out.line(4, "<div class=\"sites g-clear\">");
  out.raw(std::string(6, ' ')).line(SOURCE_BLOCK_START);
  for (std::size_t i = 0; i < t.sources.size(); ++i) {
    const std::string number = std::to_string(i + 1);
    out.raw(std::string(6, ' ')).raw(SOURCE_ANCHOR_OPEN).raw(number).raw(SOURCE_ANCHOR_AFTER_NUMBER);
    out.raw(play_address(host, t, "s" + number)).line("\">" + escape_html(t.sources[i]) + "</a>");
  }
  out.line(4, "</div>");
  out.line(2, "</div>");
  out.line(2, "<div class=\"p-mod related-mod\">");
  out.line(RELATED_LABEL);
  write_related(out, catalogue, t);
  out.line(2, "</div>");
}

}  // namespace

std::string render_detail_page(const Catalogue& catalogue, std::string_view host, const Title& title) {
  const Category& info = title.category_info();
  HtmlWriter out;
  begin_page(out, {.title = title.name, .charset = info.charset, .body_class = "detail-page"});
  out.line("<main class=\"main\">");
  write_summary(out, title);
  switch (info.layout) {
    case Layout::series:
      write_episodes(out, catalogue, host, title);
      break;
    case Layout::variety:
      write_issues(out, catalogue, host, title);
      break;
    case Layout::film:
      write_sources(out, catalogue, host, title);
      break;
  }
  out.line("</main>");
  end_page(out);
  if (info.charset == "gbk") return utf8_to_gbk(out.text());
  return std::move(out.text());
}

}  // namespace morvessa::demo
