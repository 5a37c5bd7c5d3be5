#include "net/cookies.h"

#include <algorithm>

#include "text/byte_text.h"

namespace morvessa {
namespace {

constexpr std::string_view ITEM_SEPARATOR = ";";
constexpr std::string_view MERGED_SEPARATOR = "; ";
constexpr std::string_view DELETED_SUFFIX = "=deleted";
constexpr std::string_view FULL_WIDTH_SPACE = "\xA1\xA1";

// Length of the blank that starts at pos, or 0; blanks are whole characters.
std::size_t blank_at(std::string_view text, std::size_t pos) {
  if (text[pos] == ' ') return 1;
  if (text.substr(pos, 2) == FULL_WIDTH_SPACE) return 2;
  return 0;
}

std::string join(const std::vector<std::string>& items, std::string_view separator) {
  std::string joined;
  for (const std::string& item : items) {
    joined += item;
    joined += separator;
  }
  if (!joined.empty()) joined.resize(joined.size() - separator.size());
  return joined;
}

}  // namespace

std::string remove_blanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    if (const std::size_t blank = blank_at(text, pos); blank > 0) {
      pos += blank;
      continue;
    }
    const std::size_t length = gbk_char_length(text, pos);
    out += text.substr(pos, length);
    pos += length;
  }
  return out;
}

std::string trim_blanks(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && blank_at(text, begin) > 0) begin += blank_at(text, begin);
  // The end of the last character that is not a blank, walking whole characters from the start.
  std::size_t end = begin;
  for (std::size_t pos = begin; pos < text.size();) {
    const std::size_t blank = blank_at(text, pos);
    pos += blank > 0 ? blank : gbk_char_length(text, pos);
    if (blank == 0) end = pos;
  }
  return std::string(text.substr(begin, end - begin));
}

std::vector<std::string> split_items(std::string_view text, std::string_view separator) {
  std::vector<std::string> items;
  if (separator.empty()) {
    if (!text.empty()) items.emplace_back(text);
    return items;
  }
  std::size_t pos = 0;
  for (std::size_t found = text.find(separator); found != std::string_view::npos;
       found = text.find(separator, pos)) {
    items.emplace_back(text.substr(pos, found - pos));
    pos = found + separator.size();
  }
  if (pos < text.size()) items.emplace_back(text.substr(pos));
  return items;
}

std::string cookie_name(std::string_view item) {
  return trim_blanks(item.substr(0, item.find('=')));
}

std::string join_distinct(std::string_view text, std::string_view separator) {
  std::vector<std::string> kept;
  for (std::string& item : split_items(text, separator)) {
    if (std::find(kept.begin(), kept.end(), item) == kept.end()) kept.push_back(std::move(item));
  }
  return join(kept, separator);
}

int list_search(const std::vector<std::string>& list, std::string_view text) {
  const auto found = std::find(list.begin(), list.end(), text);
  return found == list.end() ? -1 : static_cast<int>(found - list.begin()) + 1;
}

std::string merge_cookies(std::string& kept, std::string& fresh) {
  kept = remove_blanks(kept);
  fresh = remove_blanks(fresh);

  std::vector<std::string> merged = split_items(fresh, ITEM_SEPARATOR);
  std::vector<std::string> merged_names;
  for (const std::string& item : merged) merged_names.push_back(cookie_name(item));
  for (std::string& item : split_items(kept, ITEM_SEPARATOR)) {
    std::string name = cookie_name(item);
    if (std::find(merged_names.begin(), merged_names.end(), name) != merged_names.end()) continue;
    merged_names.push_back(std::move(name));
    merged.push_back(std::move(item));
  }
  std::erase_if(merged, [](const std::string& item) { return item.ends_with(DELETED_SUFFIX); });

  kept = join_distinct(join(merged, MERGED_SEPARATOR), MERGED_SEPARATOR);
  return kept;
}

}  // namespace morvessa
