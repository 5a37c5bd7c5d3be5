#pragma once
// A catalogue site on loopback for the desktop program: every list page carries its titles and poster
// addresses in the list page's exact markers, and the posters are JPEG images drawn here.

#include <atomic>
#include <string>

#include "support/loopback_server.h"

namespace morvessa::test {

inline constexpr int CATALOGUE_TITLES = 30;
inline constexpr int POSTER_WIDTH = 270;
inline constexpr int POSTER_HEIGHT = 380;

class CatalogueSite final {
 public:
  explicit CatalogueSite(int titles = CATALOGUE_TITLES);

  std::string host() const { return server_.host(); }
  int poster_requests() const { return poster_requests_.load(); }

  // The list page, UTF-8, with posters under http://host/poster/N.jpg.
  static std::string list_page(const std::string& host, int titles);
  // The title of item n (1-based), UTF-8.
  static std::string title(int n);
  // A poster of item n, drawn once and kept.
  static std::string poster_jpeg(int n);

 private:
  LoopbackServer server_;
  int titles_;
  std::atomic<int> poster_requests_{0};
};

}  // namespace morvessa::test
