#pragma once
// The category lists and their paging: each action loads a list page into page_html and starts grid workers.

#include <array>
#include <string>
#include <string_view>

#include "app/events.h"

namespace morvessa {

class App;

struct Category {
  std::string_view slug;
  std::string_view total_pages;
};

// In the order of the category links 超级链接框3 to 超级链接框6; the event map binds each by its index.
inline constexpr std::array<Category, 4> CATEGORIES = {{
    {"dianshi", "24"},
    {"dianying", "24"},
    {"dongman", "24"},
    {"zongyi", "24"},
}};

// "共有：" total "页/当前：第" n "页", in code page 936.
std::string page_label_text(std::string_view total, int page);
// page_html = the decoded page at the address; blocks the window's thread until it has arrived.
void load_list_page(App& app, const std::string& address);

// args.arg: index into CATEGORIES.
void choose_category(App& app, const EventArgs& args);
void next_page(App& app, const EventArgs& args);
void previous_page(App& app, const EventArgs& args);
void jump_to_page(App& app, const EventArgs& args);

}  // namespace morvessa
