#include "platform/headless/html_inner_text.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace morvessa {
namespace {

constexpr std::array<std::string_view, 5> HIDDEN_ELEMENTS = {"script", "style", "template", "noscript",
                                                             "title"};
constexpr std::array<std::string_view, 4> PREFORMATTED_ELEMENTS = {"pre", "textarea", "listing", "plaintext"};
constexpr std::array<std::string_view, 40> BLOCK_ELEMENTS = {
    "address", "article", "aside", "blockquote", "caption", "center",   "dd",         "details",
    "dialog",  "dir",     "div",   "dl",         "dt",      "fieldset", "figcaption", "figure",
    "footer",  "form",    "h1",    "h2",         "h3",      "h4",       "h5",         "h6",
    "header",  "hgroup",  "hr",    "legend",     "li",      "listing",  "main",       "menu",
    "nav",     "ol",      "pre",   "section",    "summary", "table",    "tr",         "ul"};
constexpr std::string_view NO_BREAK_SPACE = "\xC2\xA0";

template <std::size_t N>
bool is_one_of(const HtmlNode& n, const std::array<std::string_view, N>& names) {
  return n.kind == HtmlNodeKind::element && n.html_namespace &&
         std::find(names.begin(), names.end(), n.name) != names.end();
}

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// How many line breaks an element asks for before and after itself.
int breaks_around(const HtmlNode& n) {
  if (n.kind != HtmlNodeKind::element || !n.html_namespace) return 0;
  if (n.name == "p") return 2;
  return is_one_of(n, BLOCK_ELEMENTS) ? 1 : 0;
}

bool is_cell(const HtmlNode& n) {
  return n.kind == HtmlNodeKind::element && n.html_namespace && (n.name == "td" || n.name == "th");
}

// Separators wait until the next visible character, so none lead or trail an element's text.
class TextBuilder final {
 public:
  TextBuilder(std::string& out, std::vector<std::size_t>& open, std::size_t& unmarked,
              std::vector<std::size_t>& firsts)
      : out_(out), open_(open), unmarked_(unmarked), firsts_(firsts) {}

  void ask_breaks(int n) { breaks_ = std::max(breaks_, n); }
  void ask_tab() { tab_ = true; }
  void space() { space_ = true; }
  void line_break() {
    put_separators();
    emit("\n");
    space_ = false;
  }
  void visible(std::string_view bytes) {
    put_separators();
    emit(bytes);
  }

 private:
  void put_separators() {
    if (!out_.empty() && out_.back() != '\n') {
      if (breaks_ > 0)
        out_.append(static_cast<std::size_t>(breaks_), '\n');
      else if (tab_)
        out_ += '\t';
      else if (space_)
        out_ += ' ';
    } else if (!out_.empty() && breaks_ > 1) {
      out_ += '\n';
    }
    breaks_ = 0;
    tab_ = space_ = false;
  }
  void emit(std::string_view bytes) {
    for (std::size_t k = unmarked_; k < open_.size(); ++k) firsts_[open_[k]] = out_.size();
    unmarked_ = open_.size();
    out_ += bytes;
  }

  std::string& out_;
  std::vector<std::size_t>& open_;
  std::size_t& unmarked_;
  std::vector<std::size_t>& firsts_;
  int breaks_ = 0;
  bool tab_ = false;
  bool space_ = false;
};

}  // namespace

RenderedText::RenderedText(const HtmlTree& tree) : spans_(tree.nodes.size()) {
  if (tree.body == 0) return;
  constexpr std::size_t NONE = static_cast<std::size_t>(-1);
  std::vector<std::size_t> firsts(tree.nodes.size(), NONE);
  std::vector<std::size_t> open;  // elements whose descendants are being walked
  std::size_t unmarked = 0;       // open[unmarked..] have shown no character yet
  int preformatted = 0;
  TextBuilder out(text_, open, unmarked, firsts);

  auto close = [&](std::size_t e) {
    const HtmlNode& n = tree.nodes[e];
    if (firsts[e] != NONE) spans_[e] = {firsts[e], text_.size(), true};
    out.ask_breaks(breaks_around(n));
    if (is_one_of(n, PREFORMATTED_ELEMENTS)) --preformatted;
  };

  const std::size_t body_end = tree.nodes[tree.body].end;
  open.push_back(tree.body);
  for (std::size_t i = tree.body + 1; i <= body_end; ++i) {
    while (!open.empty() && tree.nodes[open.back()].end <= i) {
      close(open.back());
      open.pop_back();
      unmarked = std::min(unmarked, open.size());
    }
    if (i == body_end) break;
    const HtmlNode& n = tree.nodes[i];
    if (n.kind == HtmlNodeKind::text) {
      std::string_view s = n.text;
      for (std::size_t k = 0; k < s.size(); ++k) {
        if (preformatted > 0 && (s[k] == '\n' || s[k] == '\r')) {
          if (s[k] == '\r' && k + 1 < s.size() && s[k + 1] == '\n') ++k;
          out.line_break();
        } else if (preformatted > 0 && is_space(s[k])) {
          out.visible(s.substr(k, 1));
        } else if (is_space(s[k])) {
          out.space();
        } else if (s.substr(k, NO_BREAK_SPACE.size()) == NO_BREAK_SPACE) {
          out.visible(" ");
          k += NO_BREAK_SPACE.size() - 1;
        } else {
          out.visible(s.substr(k, 1));
        }
      }
      continue;
    }
    if (n.kind != HtmlNodeKind::element) continue;
    if (is_one_of(n, HIDDEN_ELEMENTS)) {
      i = n.end - 1;  // skip what it holds
      continue;
    }
    if (n.html_namespace && n.name == "br") out.line_break();
    if (is_cell(n) && i > n.parent + 1) out.ask_tab();
    out.ask_breaks(breaks_around(n));
    if (is_one_of(n, PREFORMATTED_ELEMENTS)) ++preformatted;
    open.push_back(i);
  }
}

std::string RenderedText::inner_text(std::size_t node) const {
  if (node >= spans_.size() || !spans_[node].shown) return {};
  const Span& s = spans_[node];
  return text_.substr(s.first, s.last - s.first);
}

}  // namespace morvessa
