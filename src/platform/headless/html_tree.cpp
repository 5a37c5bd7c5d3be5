#include "platform/headless/html_tree.h"

#include <gumbo.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <memory>

namespace morvessa {
namespace {

// Gumbo frees its tree recursively, one stack frame per level of nesting. Its memory comes from this arena
// instead and goes all at once, so a deeply nested page can't exhaust the stack on the way out.
class GumboArena final {
 public:
  static void* allocate(void* self, std::size_t size) { return static_cast<GumboArena*>(self)->take(size); }
  static void release(void*, void*) {}

 private:
  static constexpr std::size_t BLOCK_BYTES = 64 * 1024;
  static constexpr std::size_t ALIGN = alignof(std::max_align_t);

  void* take(std::size_t size) {
    size = (std::max<std::size_t>(size, 1) + ALIGN - 1) / ALIGN * ALIGN;
    if (size > BLOCK_BYTES / 4) {
      blocks_.push_back(std::make_unique<std::max_align_t[]>(size / ALIGN));
      return blocks_.back().get();
    }
    if (!current_ || used_ + size > BLOCK_BYTES) {
      blocks_.push_back(std::make_unique<std::max_align_t[]>(BLOCK_BYTES / ALIGN));
      current_ = reinterpret_cast<std::byte*>(blocks_.back().get());
      used_ = 0;
    }
    void* p = current_ + used_;
    used_ += size;
    return p;
  }

  std::vector<std::unique_ptr<std::max_align_t[]>> blocks_;
  std::byte* current_ = nullptr;
  std::size_t used_ = 0;
};

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string element_name(const GumboElement& e) {
  GumboStringPiece piece = e.original_tag;
  gumbo_tag_from_original_text(&piece);
  // SVG keeps the camel case of its own names (foreignObject); every other tag name reads in lower case.
  if (e.tag_namespace == GUMBO_NAMESPACE_SVG)
    if (const char* svg = gumbo_normalize_svg_tagname(&piece)) return svg;
  if (e.tag != GUMBO_TAG_UNKNOWN) return gumbo_normalized_tagname(e.tag);
  // An unknown tag keeps the name it was written with, which only the source text still has.
  std::string_view name(piece.data ? piece.data : "", piece.length);
  return lower(name.substr(0, name.find_first_of(" \t\n\f\r/>")));
}

HtmlNode convert(const GumboNode& g, std::size_t parent) {
  HtmlNode n;
  n.parent = parent;
  switch (g.type) {
    case GUMBO_NODE_DOCUMENT:
      n.kind = HtmlNodeKind::document;
      break;
    case GUMBO_NODE_ELEMENT:
    case GUMBO_NODE_TEMPLATE: {
      const GumboElement& e = g.v.element;
      n.kind = HtmlNodeKind::element;
      n.html_namespace = e.tag_namespace == GUMBO_NAMESPACE_HTML;
      n.name = element_name(e);
      for (unsigned i = 0; i < e.attributes.length; ++i) {
        const auto* a = static_cast<const GumboAttribute*>(e.attributes.data[i]);
        n.attributes.emplace_back(a->name ? a->name : "", a->value ? a->value : "");
      }
      break;
    }
    case GUMBO_NODE_COMMENT:
      n.kind = HtmlNodeKind::comment;
      n.text = g.v.text.text ? g.v.text.text : "";
      break;
    default:  // text, whitespace, CDATA
      n.kind = HtmlNodeKind::text;
      n.text = g.v.text.text ? g.v.text.text : "";
      break;
  }
  return n;
}

const GumboVector* children_of(const GumboNode& g) {
  if (g.type == GUMBO_NODE_DOCUMENT) return &g.v.document.children;
  if (g.type == GUMBO_NODE_ELEMENT || g.type == GUMBO_NODE_TEMPLATE) return &g.v.element.children;
  return nullptr;
}

// Walks the gumbo tree in document order without recursion. Below MAX_TREE_DEPTH an element keeps its
// children; from that depth on, the nodes are laid out as further children of the element at depth - 1.
HtmlTree flatten(const GumboNode& root) {
  struct Frame {
    const GumboNode* node;
    std::size_t index;  // in tree.nodes
    unsigned next_child;
  };
  HtmlTree tree;
  tree.nodes.push_back(convert(root, 0));
  std::vector<Frame> frames{{&root, 0, 0}};
  while (!frames.empty()) {
    Frame& top = frames.back();
    const GumboVector* children = children_of(*top.node);
    if (!children || top.next_child >= children->length) {
      if (frames.size() - 1 < MAX_TREE_DEPTH) tree.nodes[top.index].end = tree.nodes.size();
      frames.pop_back();
      continue;
    }
    const auto* child = static_cast<const GumboNode*>(children->data[top.next_child++]);
    std::size_t depth = frames.size();  // of the child
    std::size_t parent = frames[std::min(depth, MAX_TREE_DEPTH) - 1].index;
    std::size_t index = tree.nodes.size();
    tree.nodes.push_back(convert(*child, parent));
    if (depth >= MAX_TREE_DEPTH) tree.nodes[index].end = index + 1;
    if (tree.body == 0 && tree.is_html_element(index, "body")) tree.body = index;
    frames.push_back({child, index, 0});
  }
  return tree;
}

}  // namespace

HtmlTree parse_html(std::string_view utf8) {
  GumboArena arena;
  GumboOptions options = kGumboDefaultOptions;
  options.allocator = &GumboArena::allocate;
  options.deallocator = &GumboArena::release;
  options.userdata = &arena;
  options.max_errors = 0;  // nobody reads them
  GumboOutput* output = gumbo_parse_with_options(&options, utf8.data(), utf8.size());
  if (!output || !output->document) {
    HtmlTree empty;
    empty.nodes.emplace_back().end = 1;
    return empty;
  }
  return flatten(*output->document);
}

const std::string* find_attribute(const HtmlNode& node, std::string_view name) {
  for (const auto& [key, value] : node.attributes)
    if (key == name) return &value;
  return nullptr;
}

}  // namespace morvessa
