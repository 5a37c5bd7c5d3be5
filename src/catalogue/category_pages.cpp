#include "catalogue/category_pages.h"

#include "app/app.h"
#include "net/codepage.h"
#include "net/page_fetch.h"

namespace morvessa {

std::string page_label_text(std::string_view total, int page) {
  std::string label = gbk("共有：");
  label += total;
  label += gbk("页/当前：第");
  label += std::to_string(page);
  label += gbk("页");
  return label;
}

void load_list_page(App& app, const std::string& address) {
  app.state.page_html =
      std::make_shared<const std::string>(decode_utf8_page(fetch_page_bytes(app.http(), address)));
}

void choose_category(App&, const EventArgs&) {}
void next_page(App&, const EventArgs&) {}
void previous_page(App&, const EventArgs&) {}
void jump_to_page(App&, const EventArgs&) {}

}  // namespace morvessa
