#pragma once
// A loopback copy of the catalogue site's list pages and posters, counting what is asked of it.

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/loopback_server.h"

namespace morvessa::test {

// The indentation of the lines around a title and a poster address, as the site writes them.
struct ListIndent {
  int title_left = 18;   // blanks before <span class="s1">
  int title_right = 15;  // blanks on the line after </span>
  int image_left = 30;   // blanks before <img src="
  int image_right = 21;  // blanks on the line after ">
  std::string line_end = "\r\n";
};

// A list page (UTF-8, as the site sends it) with the titles and the poster addresses in page order.
std::string list_page_html(const std::vector<std::string>& titles, const std::vector<std::string>& images,
                           const ListIndent& indent = {});

struct ListRequest {
  std::string slug;
  std::string page;  // as it stood in the address
  friend bool operator==(const ListRequest&, const ListRequest&) = default;
};

class ListSite {
 public:
  ListSite();
  ~ListSite();

  // Page shapes: by default every list page has 30 titles and 30 poster addresses.
  void set_shape(const std::string& slug, int page, int titles, int images);
  void set_body(const std::string& slug, int page, std::string utf8_body);
  // Posters of this page wait until release_posters(); the others answer at once (or after the delay).
  void hold_posters(const std::string& slug, int page);
  void release_posters();
  void set_poster_delay(std::chrono::milliseconds delay);
  void start();

  std::string host() const { return server_.host(); }
  std::string poster_url(const std::string& slug, int page, int i) const;

  static std::string title(const std::string& slug, int page, int i);   // UTF-8
  static std::string poster(const std::string& slug, int page, int i);  // bytes, a zero byte among them
  std::vector<std::string> titles(const std::string& slug, int page, int count) const;
  std::vector<std::string> posters(const std::string& slug, int page, int count) const;

  std::vector<ListRequest> list_requests() const;
  int poster_requests() const;
  int poster_requests(const std::string& slug, int page) const;
  // Distinct client connections the posters of that page came over.
  int poster_connections(const std::string& slug, int page) const;
  int poster_connections() const;
  bool poster_requested(const std::string& slug, int page, int i) const;
  // Waits until at least n posters of that page have been asked for; false after the limit.
  bool wait_poster_requests(const std::string& slug, int page, int n,
                            std::chrono::milliseconds limit = std::chrono::seconds(30)) const;
  void reset_counts();

 private:
  using PageKey = std::pair<std::string, int>;
  struct PosterRequest {
    std::string slug;
    int page;
    int index;
    int client_port;
  };

  std::string page_body(const std::string& slug, int page) const;
  int count_posters(const std::string& slug, int page) const;  // with mutex_ held

  LoopbackServer server_;
  mutable std::mutex mutex_;
  std::condition_variable released_;
  mutable std::condition_variable requested_;
  std::map<PageKey, std::pair<int, int>> shapes_;
  std::map<PageKey, std::string> bodies_;
  std::set<PageKey> held_;
  std::chrono::milliseconds delay_{0};
  std::vector<ListRequest> lists_;
  std::vector<PosterRequest> posters_;
};

}  // namespace morvessa::test
