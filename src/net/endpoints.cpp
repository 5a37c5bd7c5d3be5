#include "net/endpoints.h"

namespace morvessa {
namespace {

constexpr std::string_view LIST_PAGE_PATH = "/list?rank=rankhot&cat=all&area=all&act=all&year=all&pageno=";
constexpr std::string_view SEARCH_PAGE_PATH = "/index.php?kw=";

struct LineShape {
  std::string_view scheme;
  std::string_view path_and_key;
};
constexpr std::array<LineShape, PLAY_LINE_COUNT> LINE_SHAPES = {{
    {"https://", "/webcloud/?v="},
    {"http://", "/video.php?url="},
    {"http://", "/yun?url="},
    {"http://", "/tong.php?url="},
    {"http://", "/vip.php?url="},
}};

}  // namespace

std::string list_page_url(const Endpoints& endpoints, std::string_view slug, int page) {
  std::string url = "http://" + endpoints.main_host + "/";
  url += slug;
  url += LIST_PAGE_PATH;
  url += std::to_string(page);
  return url;
}

std::string search_page_url(const Endpoints& endpoints, std::string_view encoded_keyword) {
  std::string url = "http://" + endpoints.search_host;
  url += SEARCH_PAGE_PATH;
  url += encoded_keyword;
  return url;
}

std::string detail_page_url(const Endpoints& endpoints, std::string_view path) {
  std::string url = "http://" + endpoints.main_host + "/";
  url += path;
  url += ".html";
  return url;
}

std::string line_prefix(const Endpoints& endpoints, int line) {
  if (line < 0 || line >= PLAY_LINE_COUNT) return {};
  const LineShape& shape = LINE_SHAPES[static_cast<std::size_t>(line)];
  std::string prefix{shape.scheme};
  prefix += endpoints.line_hosts[static_cast<std::size_t>(line)];
  prefix += shape.path_and_key;
  return prefix;
}

}  // namespace morvessa
