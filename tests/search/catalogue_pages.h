#pragma once
// Pages of the catalogue site as the program reads them, built in UTF-8 from the site's own markup.

#include <string>
#include <utility>
#include <vector>

namespace morvessa::test {

inline std::string blanks(std::size_t n) {
  return std::string(n, ' ');
}

// A search page: one result anchor per (path, title), the path on the given host.
struct SearchResult {
  std::string host;
  std::string path;  // without ".html"
  std::string title;
};

inline std::string search_page(const std::vector<SearchResult>& results) {
  std::string page = "<html><head><meta charset=\"utf-8\"></head><body>\n<ul class=\"result-list\">\n";
  for (const SearchResult& r : results) {
    page += "  <li class=\"item\">\n";
    page += "    <a href=\"http://" + r.host + "/" + r.path +
            ".html\" class=\"g-playicon js-playicon\" title=\"" + r.title +
            "\" data-logger='ctype=detail'><img src=\"p.jpg\"></a>\n";
    page += "  </li>\n";
  }
  return page + "</ul>\n</body></html>\n";
}

// A detail page's head; pages declare their charset, which the request engine decodes from.
inline std::string detail_head() {
  return "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n</head>\r\n<body>\r\n";
}

// The episode block of a series; addresses are written without their scheme. An entry whose address is
// followed by something else than the line break and ten blanks gives a label without an address.
struct Episode {
  std::string number;
  std::string address;
  bool well_formed = true;
};

inline std::string episode_block(const std::vector<Episode>& episodes, bool with_end = true) {
  std::string block = blanks(20) + "<div class=\"num-tab-main g-clear js-tab\" style=\"display:block;\">\r\n";
  for (const Episode& e : episodes) {
    block += blanks(68) + "<a data-num=\"" + e.number + "\" data-daochu=\"to=site\" href=\"http://" +
             e.address + (e.well_formed ? "\">\r\n" + blanks(10) : "\" class=\"odd\">") + "<span>" +
             e.number + "</span></a>\r\n";
  }
  block += blanks(20) + "</div>\r\n";
  if (with_end)
    block +=
        blanks(4) +
        "<div data-block=\"tj-xiangguan\" class=\"shipin p-mod g-clear \" monitor-desc=\"相关视频\">\r\n";
  return block;
}

struct Issue {
  std::string title;
  std::string address;
  bool well_formed = true;
};

inline std::string issue_block(const std::vector<Issue>& issues) {
  std::string block =
      blanks(8) + "\t" +
      "<ul class=\"list w-newfigure-list g-clear js-year-page\" style=\"display:block;\">\r\n";
  for (const Issue& i : issues) {
    block += blanks(12) + "<li  title='" + i.title +
             "' class='w-newfigure w-newfigure-180x153'><a href='http://" + i.address +
             (i.well_formed ? "' data-daochu=to=site class='js-link'>" : "' class='js-link'>") +
             "</a></li>\r\n";
  }
  block += blanks(8) + "</ul>\r\n";
  block += blanks(8) +
           "<div class=\"juji-page\"><div monitor-desc='分页' id='js-ew-page' data-block='js-ew-page'  "
           "class='ew-page'></div></div>\r\n";
  return block;
}

inline std::string source_block(const std::vector<std::string>& addresses) {
  std::string block = "<div class=\"sites\"><span class=\"txt\">站点排序：</span>\r\n";
  for (const std::string& a : addresses)
    block += blanks(12) + "<a class=\"site\" data-site=\"s\" href=\"http://" + a + "\">site</a>\r\n";
  block += "</div>\r\n" + blanks(8) + "<span class=\"p-mod-label\">相关视频</span>\r\n";
  return block;
}

inline std::string detail_page(const std::string& blocks) {
  return detail_head() + "<div class=\"page\">\r\n" + blocks + "</div>\r\n</body>\r\n</html>\r\n";
}

// The search page the hidden browser box loads for a poster: a main-picture block with its links.
inline std::string poster_search_page(const std::vector<std::string>& block_links, bool with_block = true) {
  std::string page =
      "<html><head><meta charset=\"utf-8\"><title>搜索</title></head><body>\n"
      "<div class=\"header\"><a href=\"/index.php\">首页</a></div>\n";
  if (with_block) {
    page += "<div class=\"b-mainpic\">\n";
    for (const std::string& link : block_links)
      page += "  <a href=\"" + link + "\"><img src=\"p.jpg\"></a>\n";
    page += "</div>\n";
  }
  return page + "<div class=\"footer\"><a href=\"http://other.test/about\">about</a></div>\n</body></html>\n";
}

}  // namespace morvessa::test
