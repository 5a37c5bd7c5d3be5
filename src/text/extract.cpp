#include "text/extract.h"

#include <algorithm>
#include <boost/regex.hpp>
#include <functional>
#include <stdexcept>

#include "net/codepage.h"
#include "text/byte_text.h"
#include "text/find_text.h"

namespace morvessa {
namespace {

// The markers stand quoted inside a look-behind and a look-ahead; the lazy run between them is the match.
constexpr std::string_view PATTERN_HEAD = "(?<=\\Q";
constexpr std::string_view PATTERN_MIDDLE = "\\E).*?(?=\\Q";
constexpr std::string_view PATTERN_TAIL = "\\E)";
// A marker holding this ends its quoting early and is read as pattern syntax: only the regex can do that.
constexpr std::string_view QUOTE_END = "\\E";
// Stands for a double quote in the markers of text_between.
constexpr std::string_view QUOTE_WORD_UTF8 = "#引号";

const std::string& quote_word() {
  static const std::string word = gbk(QUOTE_WORD_UTF8);
  return word;
}

std::string with_quotes(std::string_view marker) {
  const std::string& word = quote_word();
  std::string out;
  out.reserve(marker.size());
  for (std::size_t pos = 0; pos < marker.size();) {
    const std::size_t found = marker.find(word, pos);
    out += marker.substr(pos, found - pos);
    if (found == std::string_view::npos) break;
    out += '"';
    pos = found + word.size();
  }
  return out;
}

int replace_results(std::vector<std::string>& found, std::vector<std::string>& results) {
  if (found.empty()) return 0;
  results = std::move(found);
  return static_cast<int>(results.size());
}

}  // namespace

int extract_between(std::string_view text, std::string_view left, std::string_view right,
                    std::vector<std::string>& results) {
  text = until_zero(text);
  left = until_zero(left);
  right = until_zero(right);
  if (left.find(QUOTE_END) != std::string_view::npos || right.find(QUOTE_END) != std::string_view::npos) {
    return extract_between_regex(text, left, right, results);
  }
  // An empty left marker would match the same empty stretch for ever; an empty marker finds nothing.
  if (text.empty() || left.empty() || right.empty()) return 0;

  // The regex's leftmost match: after the first left marker at or past the start, up to the first right
  // marker from there on. The next search starts where that right marker starts and cannot look back.
  const std::boyer_moore_horspool_searcher left_searcher(left.begin(), left.end());
  const std::boyer_moore_horspool_searcher right_searcher(right.begin(), right.end());
  std::vector<std::string> found;
  auto start = text.begin();
  while (start != text.end()) {
    const auto left_at = std::search(start, text.end(), left_searcher);
    if (left_at == text.end()) break;
    const auto match_begin = left_at + static_cast<std::ptrdiff_t>(left.size());
    const auto match_end = std::search(match_begin, text.end(), right_searcher);
    if (match_end == text.end()) break;
    found.emplace_back(match_begin, match_end);
    start = match_end;
  }
  return replace_results(found, results);
}

int extract_between_regex(std::string_view text, std::string_view left, std::string_view right,
                          std::vector<std::string>& results) {
  text = until_zero(text);
  left = until_zero(left);
  right = until_zero(right);
  if (text.empty() || left.empty() || right.empty()) return 0;

  std::string pattern{PATTERN_HEAD};
  pattern += left;
  pattern += PATTERN_MIDDLE;
  pattern += right;
  pattern += PATTERN_TAIL;
  boost::regex expression;
  try {
    expression.assign(pattern, boost::regex::perl);
  } catch (const boost::regex_error&) {
    return 0;
  }

  std::vector<std::string> found;
  const char* start = text.data();
  const char* const end = text.data() + text.size();
  try {
    boost::cmatch match;
    // Each search starts where the last match ended and its look-behind cannot see before that point.
    while (start <= end && boost::regex_search(start, end, match, expression)) {
      found.emplace_back(match[0].first, match[0].second);
      const bool stuck = match[0].first == match[0].second && match[0].first == start;
      if (stuck) break;  // only a marker that quotes nothing matches empty at the start; it would repeat
      start = match[0].second;
    }
  } catch (const std::runtime_error&) {
    // The engine gave up (its effort or memory limit): keep what was found before.
  }
  return replace_results(found, results);
}

std::string text_between(std::string_view text, std::string_view left, std::string_view right,
                         int start_position, bool ignore_case) {
  text = until_zero(text);
  const std::string left_marker = with_quotes(until_zero(left));
  const std::string right_marker = with_quotes(until_zero(right));
  const std::size_t from = start_position > 0 ? static_cast<std::size_t>(start_position) - 1 : 0;
  const std::size_t left_at = find_text(text, left_marker, from, ignore_case);
  if (left_at == TEXT_NOT_FOUND) return {};
  const std::size_t inner = left_at + left_marker.size();
  const std::size_t right_at = find_text(text, right_marker, inner, ignore_case);
  if (right_at == TEXT_NOT_FOUND) return {};
  return std::string(text.substr(inner, right_at - inner));
}

}  // namespace morvessa
