#pragma once
// A parsed HTML document held flat, in document order: the descendants of node i are the nodes i + 1 up to
// end - 1, so every walk over it is a loop and no depth of nesting can exhaust a stack. Texts are UTF-8.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morvessa {

enum class HtmlNodeKind : unsigned char { document, element, text, comment };

struct HtmlNode {
  HtmlNodeKind kind = HtmlNodeKind::document;
  bool html_namespace = true;  // false for SVG and MathML elements
  std::string name;            // element: its tag name as it is serialised
  std::vector<std::pair<std::string, std::string>> attributes;
  std::string text;  // text and comment nodes
  std::size_t parent = 0;
  std::size_t end = 0;  // one past the last descendant
};

struct HtmlTree {
  std::vector<HtmlNode> nodes;  // nodes[0] is the document
  std::size_t body = 0;         // the body element; 0 when the tree has none

  bool is_html_element(std::size_t i, std::string_view name) const {
    const HtmlNode& n = nodes[i];
    return n.kind == HtmlNodeKind::element && n.html_namespace && n.name == name;
  }
};

// Browsers stop nesting at this depth: deeper elements become children of the element at the limit.
inline constexpr std::size_t MAX_TREE_DEPTH = 512;

// Parses a whole document as a browser does (html, head and body always exist afterwards).
HtmlTree parse_html(std::string_view utf8);

// The attribute's value, or null when the element does not carry it.
const std::string* find_attribute(const HtmlNode& node, std::string_view name);

}  // namespace morvessa
