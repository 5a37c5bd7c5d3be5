// The direct scan of extract_between must give exactly what the Boost.Regex pattern gives.
#include <gtest/gtest.h>

#include <random>

#include "text/extract.h"

namespace morvessa {
namespace {

using Texts = std::vector<std::string>;

// Few distinct bytes, so that markers repeat, overlap and run into each other; line breaks, pattern
// syntax, a backslash and double-byte characters among them.
const std::vector<std::string> PIECES = {
    "a", "b", "ab", "<", ">", "</", "|", "\r\n", "\n",       " ",        "  ",   ".",        "*",
    "(", ")", "[",  "]", "?", "\\", "Q", "E",    "\xD6\xD0", "\xCE\xC4", "\xA1", "\xA1\xA1", "\xB0"};

std::string random_text(std::mt19937& random, std::size_t max_pieces) {
  std::uniform_int_distribution<std::size_t> count(0, max_pieces);
  std::uniform_int_distribution<std::size_t> piece(0, PIECES.size() - 1);
  std::string text;
  for (std::size_t n = count(random); n > 0; --n) text += PIECES[piece(random)];
  return text;
}

std::string random_marker(std::mt19937& random) {
  for (;;) {
    std::string marker = random_text(random, 3);
    if (!marker.empty() && marker.find("\\E") == std::string::npos) return marker;
  }
}

void expect_agreement(const std::string& text, const std::string& left, const std::string& right) {
  Texts fast = {"before"};
  Texts reference = {"before"};
  const int fast_count = extract_between(text, left, right, fast);
  const int reference_count = extract_between_regex(text, left, right, reference);
  ASSERT_EQ(fast_count, reference_count)
      << "text [" << text << "] left [" << left << "] right [" << right << "]";
  ASSERT_EQ(fast, reference) << "text [" << text << "] left [" << left << "] right [" << right << "]";
}

TEST(ExtractDifferential, RandomTextsAndMarkers) {
  std::mt19937 random(20240611);
  for (int i = 0; i < 20000; ++i) {
    const std::string text = random_text(random, 40);
    expect_agreement(text, random_marker(random), random_marker(random));
  }
}

TEST(ExtractDifferential, MarkersTakenFromTheText) {
  std::mt19937 random(7);
  for (int i = 0; i < 4000; ++i) {
    const std::string text = random_text(random, 60);
    if (text.size() < 2) continue;
    std::uniform_int_distribution<std::size_t> at(0, text.size() - 1);
    std::uniform_int_distribution<std::size_t> length(1, 4);
    std::string left = text.substr(at(random), length(random));
    std::string right = text.substr(at(random), length(random));
    if (left.find("\\E") != std::string::npos || right.find("\\E") != std::string::npos) continue;
    expect_agreement(text, left, right);
  }
}

TEST(ExtractDifferential, EqualAndSelfOverlappingMarkers) {
  std::mt19937 random(99);
  const std::vector<std::pair<std::string, std::string>> markers = {
      {"|", "|"},       {"aa", "aa"},         {"aba", "aba"}, {"a", "aa"},  {"aa", "a"},
      {"\r\n", "\r\n"}, {"\xA1\xA1", "\xA1"}, {"<", "<"},     {"ab", "ba"}, {"\xD6\xD0", "\xD0\xCE"}};
  for (int i = 0; i < 3000; ++i) {
    const auto& [left, right] = markers[static_cast<std::size_t>(i) % markers.size()];
    expect_agreement(random_text(random, 50), left, right);
  }
}

}  // namespace
}  // namespace morvessa
