#include "platform/headless/html_serialise.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <vector>

namespace morvessa {
namespace {

constexpr std::array<std::string_view, 18> VOID_ELEMENTS = {
    "area", "base",  "basefont", "bgsound", "br",   "col",   "embed",  "frame", "hr",
    "img",  "input", "keygen",   "link",    "meta", "param", "source", "track", "wbr"};
constexpr std::array<std::string_view, 7> RAW_TEXT_ELEMENTS = {"style",   "script",   "xmp",      "iframe",
                                                               "noembed", "noframes", "plaintext"};
constexpr std::string_view NO_BREAK_SPACE = "\xC2\xA0";

bool is_html_one_of(const HtmlNode& n, std::span<const std::string_view> names) {
  return n.kind == HtmlNodeKind::element && n.html_namespace &&
         std::find(names.begin(), names.end(), n.name) != names.end();
}

void append_escaped(std::string& out, std::string_view s, bool attribute) {
  for (std::size_t k = 0; k < s.size(); ++k) {
    char c = s[k];
    if (c == '&') {
      out += "&amp;";
    } else if (s.substr(k, NO_BREAK_SPACE.size()) == NO_BREAK_SPACE) {
      out += "&nbsp;";
      ++k;
    } else if (attribute && c == '"') {
      out += "&quot;";
    } else if (!attribute && c == '<') {
      out += "&lt;";
    } else if (!attribute && c == '>') {
      out += "&gt;";
    } else {
      out += c;
    }
  }
}

void append_start_tag(std::string& out, const HtmlNode& n) {
  out += '<';
  out += n.name;
  for (const auto& [name, value] : n.attributes) {
    out += ' ';
    out += name;
    out += "=\"";
    append_escaped(out, value, true);
    out += '"';
  }
  out += '>';
}

}  // namespace

std::string outer_html(const HtmlTree& tree, std::size_t node) {
  if (node == 0 || node >= tree.nodes.size()) return {};
  std::string out;
  std::vector<std::size_t> open;
  const std::size_t end = tree.nodes[node].end;
  for (std::size_t i = node; i <= end; ++i) {
    while (!open.empty() && tree.nodes[open.back()].end <= i) {
      out += "</";
      out += tree.nodes[open.back()].name;
      out += '>';
      open.pop_back();
    }
    if (i == end) break;
    const HtmlNode& n = tree.nodes[i];
    switch (n.kind) {
      case HtmlNodeKind::element:
        append_start_tag(out, n);
        if (!is_html_one_of(n, VOID_ELEMENTS)) open.push_back(i);
        break;
      case HtmlNodeKind::text:
        if (i != node && is_html_one_of(tree.nodes[n.parent], RAW_TEXT_ELEMENTS))
          out += n.text;
        else
          append_escaped(out, n.text, false);
        break;
      case HtmlNodeKind::comment:
        out += "<!--";
        out += n.text;
        out += "-->";
        break;
      case HtmlNodeKind::document:
        break;
    }
  }
  return out;
}

}  // namespace morvessa
