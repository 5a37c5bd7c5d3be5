#pragma once
// What the logic can do with the document shown in a browser box. Each toolkit provides it for its
// browser boxes; all texts are code page 936.

#include <cstddef>
#include <string>
#include <vector>

namespace morvessa {

struct DivProperties {
  std::string class_name;
  std::string inner_text;
  std::string name;
  std::string id;
  std::string title;
};

class DocumentAccess {
 public:
  virtual ~DocumentAccess() = default;
  // Every DIV of the body, in document order (an outer DIV before the DIVs inside it).
  virtual std::vector<DivProperties> divs() = 0;
  // The outer HTML of the DIV at that position of divs(); empty when there is none.
  virtual std::string div_outer_html(std::size_t index) = 0;
  // Replaces the whole content of the loaded document by the text.
  virtual void write_html(const std::string& html) = 0;
  // The resolved href of every A element of the body, in document order.
  virtual std::vector<std::string> link_hrefs() = 0;
};

}  // namespace morvessa
