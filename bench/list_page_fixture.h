#pragma once
// A list page of the catalogue site's layout, in code page 936, grown to a given size with ordinary markup.

#include <cstddef>
#include <string>
#include <string_view>

namespace morvessa::bench {

// The title and poster markers of a list page, byte for byte.
inline const std::string TITLE_LEFT = std::string(18, ' ') + "<span class=\"s1\">";
inline const std::string TITLE_RIGHT = "</span>\r\n" + std::string(15, ' ');
inline const std::string IMAGE_LEFT = std::string(30, ' ') + "<img src=\"";
inline const std::string IMAGE_RIGHT = "\">\r\n" + std::string(21, ' ');

// entries poster cells spread evenly over a page of about size bytes (never less than the entries need).
std::string make_list_page(std::size_t size, std::size_t entries);

}  // namespace morvessa::bench
