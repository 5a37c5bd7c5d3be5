#include "demo/home_page.h"

#include "demo/html.h"
#include "demo/list_page.h"
#include "demo/search_page.h"

namespace morvessa::demo {
namespace {

std::string_view layout_text(Layout layout) {
  switch (layout) {
    case Layout::series:
      return "剧集：按集数排列的选集";
    case Layout::variety:
      return "综艺：按日期排列的往期节目";
    case Layout::film:
      break;
  }
  return "电影：多个观看来源";
}

std::string link(std::string_view href, std::string_view text) {
  return "<a href=\"" + escape_html(href) + "\">" + escape_html(text) + "</a>";
}

}  // namespace

std::string render_home_page(const Catalogue& catalogue, std::string_view host,
                             const std::array<std::string, PARSE_LINE_COUNT>& line_prefixes) {
  HtmlWriter out;
  begin_page(out, {.title = "首页", .charset = "utf-8", .body_class = "home-page"});
  out.line("<main class=\"main home\">");
  out.line(2, "<section class=\"home-intro\">");
  out.line(4, "<h1>Morvessa 自带的演示影视站</h1>");
  out.line(
      4,
      "<p>Morvessa 在没有指定站点时，会在本机启动这个站点：片库、搜索、详情页和五条解析线路都在这里，"
      "全部离线可用。片名、简介和海报由程序按固定种子生成，每次启动都相同；播放的是一段内置的演示片段。</p>");
  out.line(4, "<p class=\"home-hosts\">主站与搜索：<code>" + escape_html(host) + "</code></p>");
  out.line(2, "</section>");

  out.line(2, "<section class=\"home-block\">");
  out.line(4, "<h2>片库</h2>");
  out.line(4, "<table class=\"home-table\">");
  out.line(6, "<tr><th>分类</th><th>地址</th><th>内容</th><th>详情页</th><th>示例</th></tr>");
  for (std::size_t c = 0; c < CATEGORIES.size(); ++c) {
    const Category& info = CATEGORIES[c];
    const Title& first = catalogue.category_titles(static_cast<int>(c)).front();
    out.line(6, "<tr><td>" + std::string{info.name} + "</td><td>" +
                    link(list_page_path(info.slug, 1), "/" + std::string{info.slug} + "/list?…&pageno=1") +
                    "</td><td>" + std::to_string(LIST_PAGE_COUNT) + " 页 × " +
                    std::to_string(TITLES_PER_PAGE) + " 部，带海报</td><td>" +
                    std::string{layout_text(info.layout)} + "（" + std::string{info.charset} + "）</td><td>" +
                    link("/" + first.path() + ".html", first.name) + "</td></tr>");
  }
  out.line(4, "</table>");
  out.line(4, "<p>海报为 95×128 的 JPEG 与 PNG，例如 " +
                  link(catalogue.titles()[0].poster_path(), catalogue.titles()[0].poster_path()) + " 和 " +
                  link(catalogue.titles()[1].poster_path(), catalogue.titles()[1].poster_path()) + "。</p>");
  out.line(2, "</section>");

  const Title& sample = catalogue.titles()[0];
  const std::string partial = sample.name.substr(0, 6);  // the first two characters
  out.line(2, "<section class=\"home-block\">");
  out.line(4, "<h2>搜索</h2>");
  out.line(4,
           "<p><code>/index.php?kw=</code> 加上 UTF-8 百分号编码的关键词：完整片名排在最前，"
           "其次是包含关键词的片名；都没有时列出字面相近的片名。例如 " +
               link(search_page_path(sample.name), sample.name) + "、" +
               link(search_page_path(partial), partial) + "。</p>");
  out.line(2, "</section>");

  const std::string episode = "http://" + std::string{host} + Catalogue::play_path(sample, "1");
  out.line(2, "<section class=\"home-block\">");
  out.line(4, "<h2>解析线路</h2>");
  out.line(4,
           "<p>每条线路在前缀后面直接接上视频页地址，页面显示收到的片名和集数，并播放演示片段（WebM：VP9 + "
           "Opus）。"
           "线路 0 使用 https，证书在启动时生成，是自签名的。</p>");
  out.line(4, "<table class=\"home-table\">");
  out.line(6, "<tr><th>线路</th><th>名称</th><th>前缀</th><th>示例</th></tr>");
  for (int i = 0; i < PARSE_LINE_COUNT; ++i) {
    const std::string& prefix = line_prefixes[static_cast<std::size_t>(i)];
    out.line(6, "<tr><td>" + std::to_string(i) + "</td><td>" +
                    std::string{PARSE_LINES[static_cast<std::size_t>(i)].name} + "</td><td><code>" +
                    escape_html(prefix) + "</code></td><td>" +
                    link(prefix + episode, sample.name + " 第1集") + "</td></tr>");
  }
  out.line(4, "</table>");
  out.line(4, "<p>演示片段本身：" + link(CLIP_PATH, std::string{CLIP_PATH}) + "</p>");
  out.line(2, "</section>");
  out.line("</main>");
  end_page(out);
  return std::move(out.text());
}

}  // namespace morvessa::demo
