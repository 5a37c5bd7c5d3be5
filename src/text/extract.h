#pragma once
// Cutting fields out of page text by fixed markers.

#include <string>
#include <string_view>
#include <vector>

namespace morvessa {

// Every stretch between the left and the right marker, in page order. When at least one is found the array
// is replaced by them and their count returned; else the array is left as it was and the result is 0.
int extract_between(std::string_view text, std::string_view left, std::string_view right,
                    std::vector<std::string>& results);

// The reference path: the look-behind / look-ahead pattern on Boost.Regex.
int extract_between_regex(std::string_view text, std::string_view left, std::string_view right,
                          std::vector<std::string>& results);

// The first stretch between the markers, searched character by character in code page 936; "#引号" in a
// marker stands for a double quote. start_position is 1-based; 0 or less means the start.
std::string text_between(std::string_view text, std::string_view left, std::string_view right,
                         int start_position = 0, bool ignore_case = false);

}  // namespace morvessa
