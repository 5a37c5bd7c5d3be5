#pragma once
// Small helpers for writing the demo's pages: escaping, CR LF lines, and the frame every page shares.

#include <string>
#include <string_view>

namespace morvessa::demo {

inline constexpr std::string_view CRLF = "\r\n";
inline constexpr std::string_view STYLESHEET_PATH = "/static/demo.css";

// Escapes the five characters that HTML gives a meaning to.
std::string escape_html(std::string_view text);
// The text with every malformed UTF-8 sequence replaced by U+FFFD, so that echoed input stays valid UTF-8.
std::string valid_utf8(std::string_view text);
// "%XX" escapes to bytes; anything else, a malformed escape included, stays as it is.
std::string percent_decode(std::string_view text);
// Every byte outside the unreserved set as "%XX" (upper case).
std::string percent_encode(std::string_view text);

class HtmlWriter final {
 public:
  // text, then CR LF
  HtmlWriter& line(std::string_view text);
  // indent blanks, text, then CR LF
  HtmlWriter& line(int indent, std::string_view text);
  HtmlWriter& raw(std::string_view text);
  std::string& text() { return text_; }

 private:
  std::string text_;
};

struct PageFrame {
  std::string_view title;    // UTF-8, escaped when written
  std::string_view charset;  // "utf-8" or "gbk"
  std::string_view body_class;
  bool site_header = true;  // the catalogue's top bar with the category links and the search box
};

// Doctype and head, the charset declared first so that it stands within the first bytes, then the body's
// opening and the top bar.
void begin_page(HtmlWriter& out, const PageFrame& frame);
// The footer and the closing tags.
void end_page(HtmlWriter& out, bool site_footer = true);

}  // namespace morvessa::demo
