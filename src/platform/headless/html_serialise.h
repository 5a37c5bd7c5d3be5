#pragma once
// HTML serialisation of a node, as a browser's outerHTML gives it.

#include <cstddef>
#include <string>

#include "platform/headless/html_tree.h"

namespace morvessa {

// UTF-8; the empty text for an index outside the tree.
std::string outer_html(const HtmlTree& tree, std::size_t node);

}  // namespace morvessa
