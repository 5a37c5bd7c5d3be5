#include "platform/headless/html_document.h"

#include "net/codepage.h"
#include "platform/headless/html_inner_text.h"
#include "platform/headless/html_serialise.h"
#include "platform/headless/url_resolve.h"

namespace morvessa {
namespace {

std::string attribute_text(const HtmlNode& node, std::string_view name) {
  const std::string* value = find_attribute(node, name);
  return value ? gbk(*value) : std::string();
}

}  // namespace

HtmlDocument::HtmlDocument(std::string_view utf8_html, std::string address)
    : address_(std::move(address)), tree_(parse_html(utf8_html)) {}

std::vector<std::size_t> HtmlDocument::body_elements(std::string_view tag) const {
  std::vector<std::size_t> found;
  if (tree_.body == 0) return found;
  for (std::size_t i = tree_.body + 1; i < tree_.nodes[tree_.body].end; ++i) {
    if (tree_.is_html_element(i, "template")) {
      i = tree_.nodes[i].end - 1;
      continue;
    }
    if (tree_.is_html_element(i, tag)) found.push_back(i);
  }
  return found;
}

std::vector<DivProperties> HtmlDocument::divs() {
  std::lock_guard lock(mutex_);
  RenderedText rendered(tree_);
  std::vector<DivProperties> result;
  for (std::size_t i : body_elements("div")) {
    const HtmlNode& n = tree_.nodes[i];
    result.push_back({attribute_text(n, "class"), gbk(rendered.inner_text(i)), attribute_text(n, "name"),
                      attribute_text(n, "id"), attribute_text(n, "title")});
  }
  return result;
}

std::string HtmlDocument::div_outer_html(std::size_t index) {
  std::lock_guard lock(mutex_);
  std::vector<std::size_t> divs = body_elements("div");
  return index < divs.size() ? gbk(outer_html(tree_, divs[index])) : std::string();
}

void HtmlDocument::write_html(const std::string& html) {
  HtmlTree tree = parse_html(to_utf8(html));
  std::lock_guard lock(mutex_);
  tree_ = std::move(tree);
}

// A <base href> gives the address links resolve against; else the page's own.
std::string HtmlDocument::base_address() const {
  for (std::size_t i = 0; i < tree_.nodes.size(); ++i)
    if (tree_.is_html_element(i, "base"))
      if (const std::string* href = find_attribute(tree_.nodes[i], "href"))
        return resolve_url(address_, *href);
  return address_;
}

std::vector<std::string> HtmlDocument::link_hrefs() {
  std::lock_guard lock(mutex_);
  std::string base = base_address();
  std::vector<std::string> hrefs;
  for (std::size_t i : body_elements("a")) {
    const std::string* href = find_attribute(tree_.nodes[i], "href");
    // A link without an address reports the empty text, as a browser's href property does.
    hrefs.push_back(href ? gbk(resolve_url(base, *href)) : std::string());
  }
  return hrefs;
}

}  // namespace morvessa
