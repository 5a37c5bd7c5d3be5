#include "demo/search_page.h"

#include <cstdio>

#include "demo/html.h"

namespace morvessa::demo {
namespace {

// A result's anchor: its address, then its title, then its logger attribute, on a line indented by four
// blanks. Other links on the page are written with the class first, so that only results look like this.
constexpr std::string_view RESULT_INDENT = "    ";
constexpr std::string_view RESULT_ANCHOR_OPEN = "<a href=\"";
constexpr std::string_view RESULT_ANCHOR_CLASS = "\" class=\"g-playicon js-playicon\" title=\"";
constexpr std::string_view RESULT_ANCHOR_LOGGER = "\" data-logger='ctype=detail'>";
// The block whose links lead to the best match's detail page.
constexpr std::string_view MAIN_PICTURE_CLASS = "b-mainpic";

std::string detail_url(std::string_view host, const Title& t) {
  return "http://" + std::string{host} + "/" + t.path() + ".html";
}

std::string facts(const Title& t) {
  char score[16];
  std::snprintf(score, sizeof score, "%.1f分", t.score);
  std::string out =
      std::to_string(t.year) + " · " + t.area + " · " + std::string{t.category_info().name} + " · " + score;
  return out;
}

void write_main_picture(HtmlWriter& out, std::string_view host, const Title& t) {
  const std::string url = detail_url(host, t);
  out.line(2, "<div class=\"" + std::string{MAIN_PICTURE_CLASS} + "\">");
  out.line(4, "<a class=\"m-pic\" href=\"" + url + "\"><img class=\"m-poster\" alt=\"\" src=\"http://" +
                  std::string{host} + t.poster_path() + "\"></a>");
  out.line(4, "<div class=\"m-info\">");
  out.line(6, "<h2 class=\"m-title\"><a class=\"m-title-link\" href=\"" + url + "\">" + escape_html(t.name) +
                  "</a></h2>");
  out.line(6, "<p class=\"m-facts\">" + escape_html(facts(t)) + "</p>");
  if (!t.director.empty()) out.line(6, "<p class=\"m-people\">导演：" + escape_html(t.director) + "</p>");
  std::string cast;
  for (const std::string& name : t.cast) cast += (cast.empty() ? "" : " / ") + name;
  out.line(6, "<p class=\"m-people\">" +
                  std::string{t.category_info().layout == Layout::variety ? "嘉宾：" : "主演："} +
                  escape_html(cast) + "</p>");
  out.line(6, "<p class=\"m-blurb\">" + escape_html(t.blurb) + "</p>");
  out.line(6, "<a class=\"m-play\" href=\"" + url + "\">立即观看</a>");
  out.line(4, "</div>");
  out.line(2, "</div>");
}

void write_result(HtmlWriter& out, std::string_view host, const Title& t) {
  out.line(2, "<li class=\"result\">");
  out.raw(RESULT_INDENT)
      .raw(RESULT_ANCHOR_OPEN)
      .raw(detail_url(host, t))
      .raw(RESULT_ANCHOR_CLASS)
      .raw(t.name);
  out.raw(RESULT_ANCHOR_LOGGER);
  out.line("<img class=\"result-poster\" alt=\"\" src=\"http://" + std::string{host} + t.poster_path() +
           "\"></a>");
  out.line(4, "<div class=\"result-info\">");
  out.line(6, "<h3><a class=\"result-title\" href=\"" + detail_url(host, t) + "\">" + escape_html(t.name) +
                  "</a> <span class=\"tag\">" + std::string{t.category_info().name} + "</span></h3>");
  out.line(6, "<p class=\"result-facts\">" + escape_html(facts(t)) + "</p>");
  out.line(6, "<p class=\"result-blurb\">" + escape_html(t.blurb) + "</p>");
  out.line(4, "</div>");
  out.line(2, "</li>");
}

}  // namespace

std::string search_page_path(std::string_view keyword) {
  return "/index.php?kw=" + percent_encode(keyword);
}

std::string render_search_page(const Catalogue& catalogue, std::string_view host, std::string_view keyword) {
  const Catalogue::SearchResult found = catalogue.search(keyword, SEARCH_RESULT_LIMIT);
  const std::vector<const Title*>& results = found.titles;
  const std::string shown = escape_html(valid_utf8(keyword));

  HtmlWriter out;
  begin_page(out, {.title = "搜索：" + valid_utf8(keyword), .charset = "utf-8", .body_class = "search-page"});
  out.line("<main class=\"main\">");
  if (results.empty()) {
    out.line(2, "<p class=\"search-none\">没有找到与“" + shown + "”相关的影视，换个关键词试试。</p>");
  } else {
    const bool exact_or_contained = !found.similar_only;
    out.line(2, "<p class=\"search-summary\">" +
                    std::string{exact_or_contained ? "找到与“" : "没有完全匹配的结果，以下是与“"} + shown +
                    (exact_or_contained ? "”相关的影视 " + std::to_string(results.size()) + " 部"
                                        : "”相近的影视") +
                    "</p>");
    write_main_picture(out, host, *results.front());
    out.line(2, "<ul class=\"result-list\">");
    for (const Title* t : results) write_result(out, host, *t);
    out.line(2, "</ul>");
  }
  out.line("</main>");
  end_page(out);
  return std::move(out.text());
}

}  // namespace morvessa::demo
