#include "search/web_page.h"

#include "app/document_access.h"

namespace morvessa {

bool WebPage::attach_window(NativeHandle window) {
  if (window == 0) return false;
  window_ = window;
  document_from_window(window, document_);
  return document_ != nullptr;
}

NativeHandle WebPage::find_browser_window(NativeHandle window) {
  return window != 0 && ui_.document_from_handle(window) ? window : 0;
}

bool WebPage::document_from_window(NativeHandle window, std::shared_ptr<DocumentAccess>& document) {
  // The box's own handle stands for the browser window; a handle of anything else gives no document.
  std::shared_ptr<DocumentAccess> found = window != 0 ? ui_.document_from_handle(window) : nullptr;
  if (!found) return false;
  document = std::move(found);
  return true;
}

std::optional<std::size_t> WebPage::find_div(const std::string& key) {
  if (!document_) return std::nullopt;
  std::vector<DivProperties> divs = document_->divs();
  for (std::size_t i = 0; i < divs.size(); ++i) {
    const DivProperties& d = divs[i];
    if (d.class_name == key || d.inner_text == key || d.name == key || d.id == key || d.title == key)
      return i;
  }
  return std::nullopt;
}

void WebPage::write_html(const std::string& html) {
  if (document_) document_->write_html(html);
}

int WebPage::collect_links(std::vector<std::string>& urls) {
  if (!document_) return 0;
  std::vector<std::string> hrefs = document_->link_hrefs();
  urls.insert(urls.end(), hrefs.begin(), hrefs.end());
  return static_cast<int>(hrefs.size());
}

std::string WebPage::div_outer_html(const std::string& key) {
  std::optional<std::size_t> div = find_div(key);
  return div ? document_->div_outer_html(*div) : std::string();
}

}  // namespace morvessa
