#include "search/web_page.h"

#include "app/document_access.h"

namespace morvessa {

bool WebPage::attach_window(NativeHandle) {
  return false;
}
std::shared_ptr<DocumentAccess> WebPage::find_browser_window(NativeHandle) {
  return nullptr;
}
bool WebPage::document_from_window(NativeHandle, std::shared_ptr<DocumentAccess>&) {
  return false;
}
long WebPage::find_div(const std::string&) {
  return -1;
}
void WebPage::write_html(const std::string&) {}
int WebPage::collect_links(std::vector<std::string>&) {
  return 0;
}
std::string WebPage::div_outer_html(const std::string&) {
  return {};
}

}  // namespace morvessa
