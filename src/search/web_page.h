#pragma once
// Access to the HTML document of a browser box: a DIV by key, its outer HTML, writing HTML, the links.

#include <memory>
#include <string>
#include <vector>

#include "app/ui_toolkit.h"

namespace morvessa {

class DocumentAccess;

class WebPage final {
 public:
  explicit WebPage(UiToolkit& ui) : ui_(ui) {}

  // True when the object holds a document after the call.
  bool attach_window(NativeHandle window);
  std::shared_ptr<DocumentAccess> find_browser_window(NativeHandle window);
  bool document_from_window(NativeHandle window, std::shared_ptr<DocumentAccess>& document);
  // Position of the first DIV whose class name, inner text, name, id or title equals the key; -1 when none.
  long find_div(const std::string& key);
  void write_html(const std::string& html);
  // Appends the href of every link of the document; returns how many there were.
  int collect_links(std::vector<std::string>& urls);
  std::string div_outer_html(const std::string& key);

 private:
  UiToolkit& ui_;
  std::shared_ptr<DocumentAccess> document_;
  NativeHandle window_ = 0;
};

}  // namespace morvessa
