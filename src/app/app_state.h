#pragma once
// The program-wide record. Only handlers on the window's thread write it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "search/web_page.h"

namespace morvessa {

using PageText = std::shared_ptr<const std::string>;

struct AppState {
  bool drag_active = false;
  std::int32_t drag_origin_x = 0;
  std::int32_t drag_origin_y = 0;
  std::string category_slug;
  std::int32_t current_page = 0;
  std::string total_pages_text;
  // A worker takes the snapshot current when it starts; a new load replaces the pointer, never the text.
  PageText page_html = std::make_shared<const std::string>();
  std::unique_ptr<WebPage> web_page;
  std::vector<std::string> detail_link_urls;
};

}  // namespace morvessa
