#include "demo/list_page.h"

#include <cstdio>

#include "demo/html.h"

namespace morvessa::demo {
namespace {

// Each title stands in a span of class s1 whose closing tag ends its line, each poster address in the source
// of an image whose tag ends its line; the indentation is part of what a reader of these pages looks for.
const std::string TITLE_LEFT_MARKER = std::string(18, ' ') + "<span class=\"s1\">";
const std::string TITLE_RIGHT_MARKER = "</span>\r\n" + std::string(15, ' ');
const std::string IMAGE_LEFT_MARKER = std::string(30, ' ') + "<img src=\"";
const std::string IMAGE_RIGHT_MARKER = "\">\r\n" + std::string(21, ' ');

constexpr std::string_view LIST_QUERY = "/list?rank=rankhot&cat=all&area=all&act=all&year=all&pageno=";

std::string hint_text(const Title& t) {
  switch (t.category_info().layout) {
    case Layout::series:
      return "全" + std::to_string(t.episode_count) + "集";
    case Layout::variety:
      return "更新至" + t.issues.front().date.substr(4) + "期";
    case Layout::film:
      break;
  }
  char score[16];
  std::snprintf(score, sizeof score, "%.1f分", t.score);
  return score;
}

std::string joined(const std::vector<std::string>& items, std::string_view separator, std::size_t most) {
  std::string out;
  for (std::size_t i = 0; i < items.size() && i < most; ++i) {
    if (i) out += separator;
    out += items[i];
  }
  return out;
}

void write_item(HtmlWriter& out, std::string_view host, const Title& t) {
  const std::string origin = "http://" + std::string{host};
  char score[16];
  std::snprintf(score, sizeof score, "%.1f", t.score);
  out.line(14, "<li class=\"item\">");
  out.line(16, "<a class=\"js-tongjic\" href=\"" + origin + "/" + t.path() + ".html\">");
  out.line(18, "<div class=\"cover\">");
  out.raw(IMAGE_LEFT_MARKER).raw(origin + t.poster_path()).raw(IMAGE_RIGHT_MARKER);
  out.line("<span class=\"hint\">" + escape_html(hint_text(t)) + "</span>");
  out.line(18, "</div>");
  out.line(18, "<div class=\"detail\">");
  out.line(20, "<p class=\"title g-clear\">");
  out.raw(TITLE_LEFT_MARKER).raw(t.name).raw(TITLE_RIGHT_MARKER);
  out.line("<span class=\"s2\">" + std::string{score} + "</span>");
  out.line(20, "</p>");
  out.line(20, "<p class=\"star\">" +
                   std::string{t.category_info().layout == Layout::variety ? "嘉宾：" : "主演："} +
                   escape_html(joined(t.cast, " / ", 3)) + "</p>");
  out.line(18, "</div>");
  out.line(16, "</a>");
  out.line(14, "</li>");
}

void write_pager(HtmlWriter& out, std::string_view slug, int page) {
  out.line(8, "<div class=\"pager\">");
  if (page > 1 && page <= LIST_PAGE_COUNT + 1) {
    out.line(10, "<a class=\"pager-step\" href=\"" + escape_html(list_page_path(slug, page - 1)) +
                     "\">上一页</a>");
  }
  for (int n = 1; n <= LIST_PAGE_COUNT; ++n) {
    if (n == page) {
      out.line(10, "<span class=\"pager-current\">" + std::to_string(n) + "</span>");
    } else {
      out.line(10, "<a class=\"pager-page\" href=\"" + escape_html(list_page_path(slug, n)) + "\">" +
                       std::to_string(n) + "</a>");
    }
  }
  if (page >= 0 && page < LIST_PAGE_COUNT) {
    out.line(10, "<a class=\"pager-step\" href=\"" + escape_html(list_page_path(slug, page + 1)) +
                     "\">下一页</a>");
  }
  out.line(8, "</div>");
}

}  // namespace

std::string list_page_path(std::string_view slug, int page) {
  return "/" + std::string{slug} + std::string{LIST_QUERY} + std::to_string(page);
}

std::string render_list_page(const Catalogue& catalogue, std::string_view host, int category, int page) {
  const Category& info = CATEGORIES[static_cast<std::size_t>(category)];
  const std::span<const Title> titles = catalogue.list_page(category, page);
  const std::string heading = std::string{info.name} + "热播榜";

  HtmlWriter out;
  begin_page(out, {.title = heading, .charset = "utf-8", .body_class = "list-page"});
  out.line("<main class=\"main\">");
  out.line(2, "<div class=\"list-head\">");
  out.line(4, "<h1>" + heading + "</h1>");
  out.line(4, "<p class=\"list-filter\">排序：<b>最热</b> · 类型：全部 · 地区：全部 · 年代：全部</p>");
  out.line(2, "</div>");
  out.line(2, "<div class=\"list-body\">");
  if (titles.empty()) {
    out.line(4, "<p class=\"list-empty\">第 " + std::to_string(page) + " 页没有内容：本榜单共 " +
                    std::to_string(LIST_PAGE_COUNT) + " 页。</p>");
  } else {
    out.line(12, "<ul class=\"list g-clear\">");
    for (const Title& t : titles) write_item(out, host, t);
    out.line(12, "</ul>");
  }
  write_pager(out, info.slug, page);
  out.line(2, "</div>");
  out.line("</main>");
  end_page(out);
  return std::move(out.text());
}

}  // namespace morvessa::demo
