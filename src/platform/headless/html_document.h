#pragma once
// The document of a headless browser box: a page parsed with gumbo, read and written the way the logic
// reads a browser's document. Texts at this interface are code page 936; the tree itself holds UTF-8.

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "app/document_access.h"
#include "platform/headless/html_tree.h"

namespace morvessa {

class HtmlDocument final : public DocumentAccess {
 public:
  // The page's text in UTF-8 and the address it was loaded from, against which its links resolve.
  HtmlDocument(std::string_view utf8_html, std::string address);

  std::vector<DivProperties> divs() override;
  std::string div_outer_html(std::size_t index) override;
  // Like document.write on a loaded document: the text becomes the whole new document, at the same address.
  void write_html(const std::string& html) override;
  std::vector<std::string> link_hrefs() override;

  const std::string& address() const { return address_; }

 private:
  // Elements of the body with that tag name, in document order; template contents are not the document's.
  std::vector<std::size_t> body_elements(std::string_view tag) const;
  std::string base_address() const;

  mutable std::mutex mutex_;
  std::string address_;
  HtmlTree tree_;
};

}  // namespace morvessa
