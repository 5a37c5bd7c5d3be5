#pragma once
// Access to the HTML document of a browser box: a DIV by key, its outer HTML, writing HTML, the links.
// Used on the window's thread only.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ui_toolkit.h"

namespace morvessa {

class DocumentAccess;

class WebPage final {
 public:
  explicit WebPage(UiToolkit& ui) : ui_(ui) {}

  // True when the object holds a document after the call (possibly one attached earlier).
  bool attach_window(NativeHandle window);
  // The window that holds the browser's document: here the box itself when it has one; 0 otherwise.
  NativeHandle find_browser_window(NativeHandle window);
  // Fills document when the window has one; leaves it as it was otherwise.
  bool document_from_window(NativeHandle window, std::shared_ptr<DocumentAccess>& document);
  // The position, among the body's DIVs, of the first whose class name, inner text, name, id or title
  // equals the key byte for byte.
  std::optional<std::size_t> find_div(const std::string& key);
  // Replaces the whole content of the document.
  void write_html(const std::string& html);
  // Appends the href of every link of the document; returns how many there were.
  int collect_links(std::vector<std::string>& urls);
  // The outer HTML of find_div(key); empty when there is none.
  std::string div_outer_html(const std::string& key);

  NativeHandle window() const { return window_; }

 private:
  UiToolkit& ui_;
  std::shared_ptr<DocumentAccess> document_;
  NativeHandle window_ = 0;
};

}  // namespace morvessa
