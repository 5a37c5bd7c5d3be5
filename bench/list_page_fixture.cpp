#include "list_page_fixture.h"

#include "net/codepage.h"

namespace morvessa::bench {
namespace {

// Indented markup between the cells, blanks and line breaks as a real page has them.
std::string filler_line(std::size_t n) {
  static const std::string words = gbk("热播电视剧 最新上映 高清在线观看");
  return std::string(16, ' ') + "<div class=\"item\"><a href=\"/dianshi/" + std::to_string(n) +
         ".html\" title=\"" + words + "\">" + words + "</a></div>\r\n";
}

std::string entry(std::size_t n) {
  static const std::string title = gbk("剧名");
  return std::string(20, ' ') + "<li>\r\n" + IMAGE_LEFT + "http://img.test/poster/" + std::to_string(n) +
         ".jpg" + IMAGE_RIGHT + "<p class=\"star\">" + std::to_string(n % 10) + "</p>\r\n" + TITLE_LEFT +
         title + std::to_string(n) + TITLE_RIGHT + "</li>\r\n";
}

}  // namespace

std::string make_list_page(std::size_t size, std::size_t entries) {
  std::string page = "<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"></head><body>\r\n";
  page.reserve(size + 4096);
  std::size_t filler = 0;
  for (std::size_t n = 0; n < entries; ++n) {
    const std::size_t until = size * (n + 1) / (entries + 1);
    while (page.size() < until) page += filler_line(filler++);
    page += entry(n);
  }
  while (page.size() < size) page += filler_line(filler++);
  return page + "</body></html>\r\n";
}

}  // namespace morvessa::bench
