#pragma once
// Cookie texts of the form name=value; name=value, as the request engine carries them from one request to
// the next. Blanks are the ASCII space and the full-width space of code page 936 (A1 A1).

#include <string>
#include <string_view>
#include <vector>

namespace morvessa {

// Folds the new cookies into the kept ones: new values replace kept ones of the same name, items ending in
// "=deleted" go, and no item is listed twice. Both texts lose all their blanks; the kept text receives the
// result, which is also returned.
std::string merge_cookies(std::string& kept, std::string& fresh);

// The text before the first "=" (the whole item when there is none), without blanks at either end.
std::string cookie_name(std::string_view item);

// The items of the text split at the separator, each exact item kept once, joined again by the separator.
std::string join_distinct(std::string_view text, std::string_view separator);

// 1-based position of the first element equal to the text, or -1.
int list_search(const std::vector<std::string>& list, std::string_view text);

// Helpers shared with the request engine.
std::string remove_blanks(std::string_view text);
std::string trim_blanks(std::string_view text);
// Splits at the separator, keeping empty items between separators and before a leading one, dropping the
// empty rest after a trailing one.
std::vector<std::string> split_items(std::string_view text, std::string_view separator);

}  // namespace morvessa
