#pragma once
// Every outside address the program uses, built from the hosts that the command line gives.

#include <array>
#include <string>
#include <string_view>

namespace morvessa {

inline constexpr int PLAY_LINE_COUNT = 5;

struct Endpoints {
  std::string main_host;                                // host[:port] of list and detail pages
  std::string search_host;                              // host[:port] of the search page
  std::array<std::string, PLAY_LINE_COUNT> line_hosts;  // parse services of lines 0 to 4
};

// "http://" main host "/" slug "/list?rank=...&pageno=" n
std::string list_page_url(const Endpoints& endpoints, std::string_view slug, int page);
// "http://" search host "/index.php?kw=" and the keyword as already encoded
std::string search_page_url(const Endpoints& endpoints, std::string_view encoded_keyword);
// "http://" main host "/" path ".html"
std::string detail_page_url(const Endpoints& endpoints, std::string_view path);
// The prefix of play line i (0 to 4): scheme, host, path and query key.
std::string line_prefix(const Endpoints& endpoints, int line);

}  // namespace morvessa
