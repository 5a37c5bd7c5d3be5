#pragma once
// Reading the demo's pages the way the program reads them: page text in code page 936, fields cut out by
// exact markers. Written here from the page structure, independently of the demo's own constants.

#include <string>
#include <string_view>
#include <vector>

namespace morvessa::demo_test {

// UTF-8 to code page 936 and back (ICU); empty when the text can't be converted.
std::string gbk(std::string_view utf8);
std::string utf8(std::string_view gbk_text);
// Whether a UTF-8 text survives the way to code page 936 and back unchanged.
bool round_trips_through_gbk(std::string_view utf8_text);
// Whether a text is well-formed UTF-8.
bool is_valid_utf8(std::string_view text);

// Every stretch between the markers: each match starts after the first left marker that has a right
// marker after it and ends at the first right marker; the next search starts at that right marker.
std::vector<std::string> all_between(std::string_view text, std::string_view left, std::string_view right);
// The first such stretch, or the empty text.
std::string first_between(std::string_view text, std::string_view left, std::string_view right);

// The charset named by the first meta tag in the first 1024 bytes that says charset= on one line.
std::string declared_charset(std::string_view page);
// The page as the request engine hands it on: decoded from its declared charset into code page 936,
// except that "gbk" and "gb2312" (and no declaration) leave the bytes as they are.
std::string engine_text(std::string_view page);

// The addresses of the links inside the first DIV whose class is exactly the given name, in order.
std::vector<std::string> links_in_div(std::string_view page, std::string_view class_name);

// "%XX" for every UTF-8 byte of a code page 936 text, as the program encodes a keyword.
std::string encode_keyword(std::string_view gbk_text);

}  // namespace morvessa::demo_test
