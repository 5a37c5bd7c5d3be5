#pragma once
// The text of the body as a browser renders it, roughly: runs of white space become one blank, block
// elements start new lines, <br> breaks a line, pre keeps its white space, script and style show nothing.
// Any element's inner text is a stretch of that one text, so all of them cost one walk over the body.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/headless/html_tree.h"

namespace morvessa {

class RenderedText final {
 public:
  explicit RenderedText(const HtmlTree& tree);

  // UTF-8; empty for a node outside the body or one that shows no text.
  std::string inner_text(std::size_t node) const;

 private:
  struct Span {
    std::size_t first = 0;
    std::size_t last = 0;
    bool shown = false;
  };
  std::string text_;
  std::vector<Span> spans_;
};

}  // namespace morvessa
