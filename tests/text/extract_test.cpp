#include "text/extract.h"

#include <gtest/gtest.h>

#include <thread>

#include "net/codepage.h"

namespace morvessa {
namespace {

using namespace std::string_literals;
using Texts = std::vector<std::string>;

struct ExtractCase {
  const char* name;
  std::string text;
  std::string left;
  std::string right;
  Texts expected;  // empty: nothing found, the array stays as it was
};

const Texts UNTOUCHED = {"from an earlier call"};

class ExtractBetween : public testing::TestWithParam<ExtractCase> {};

// Both paths give the same answer on every case.
TEST_P(ExtractBetween, FastScanAndRegexPathGiveTheCase) {
  const ExtractCase& c = GetParam();
  for (auto* extract : {&extract_between, &extract_between_regex}) {
    Texts results = UNTOUCHED;
    const int count = extract(c.text, c.left, c.right, results);
    EXPECT_EQ(count, static_cast<int>(c.expected.size()));
    EXPECT_EQ(results, c.expected.empty() ? UNTOUCHED : c.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtractBetween,
    testing::Values(ExtractCase{"bold_runs_over_lines",
                                "x<b>one</b>\r\ny<b>two\r\nlines</b>z",
                                "<b>",
                                "</b>",
                                {"one", "two\r\nlines"}},
                    ExtractCase{"brackets_literal", "ab[c][d]ef", "[", "]", {"c", "d"}},
                    ExtractCase{"bars_open_the_next_match", "|a|b|c|", "|", "|", {"a", "b", "c"}},
                    ExtractCase{"second_left_inside_the_match", "<<x<<y>>", "<<", ">>", {"x<<y"}},
                    ExtractCase{"adjacent_markers_give_an_empty_text", "[]x[y]", "[", "]", {"", "y"}},
                    ExtractCase{"left_without_right", "<b>never closed", "<b>", "</b>", {}},
                    ExtractCase{"right_only_before_left", "</b>x<b>y", "<b>", "</b>", {}},
                    ExtractCase{"case_matters", "<B>x</B>", "<b>", "</b>", {}},
                    ExtractCase{"special_characters_literal", "a.*?()[]b1a.*?()[]b", ".*?(", ")[]", {"", ""}},
                    ExtractCase{"overlapping_left_marker", "aaaxbb", "aa", "b", {"ax"}},
                    ExtractCase{"left_inside_previous_match_not_used", "(a(b)c)", "(", ")", {"a(b"}},
                    ExtractCase{"empty_text", "", "<", ">", {}},
                    ExtractCase{"empty_left_marker_finds_nothing", "a<b>", "", ">", {}},
                    ExtractCase{"empty_right_marker_finds_nothing", "xAyAz", "A", "", {}},
                    ExtractCase{"text_ends_at_zero_byte", "<b>1</b>\0<b>2</b>"s, "<b>", "</b>", {"1"}},
                    ExtractCase{"crosses_double_byte_boundary", "\xD6\xD0\xCE\xC4", "\xD0\xCE", "\xC4", {""}},
                    ExtractCase{"double_byte_text",
                                "\xA1\xB6\xD6\xD0\xA1\xB7 \xA1\xB6\xCE\xC4\xA1\xB7",
                                "\xA1\xB6",
                                "\xA1\xB7",
                                {"\xD6\xD0", "\xCE\xC4"}},
                    ExtractCase{"trailing_backslash_stays_literal", "a\\x\\b", "a\\", "\\", {"x"}},
                    ExtractCase{
                        "quote_end_in_marker_is_pattern_syntax", "<a1>x<a2>", "<a\\E\\d\\Q>", "<", {"x"}},
                    ExtractCase{"quote_end_with_invalid_syntax", "<a1>x<a2>", "<\\E(\\Q", "<", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExtractBetweenArray, EarlierContentIsReplacedWhenSomethingIsFound) {
  Texts results = {"old", "older", "oldest"};
  EXPECT_EQ(extract_between("<1><2>", "<", ">", results), 2);
  EXPECT_EQ(results, (Texts{"1", "2"}));
}

// Poster-grid workers extract from one page on several threads at once.
TEST(ExtractBetweenThreads, BothPathsRunConcurrentlyOverOneText) {
  std::string page;
  for (int i = 0; i < 200; ++i) page += "<b>" + std::to_string(i) + "</b>\r\n";
  std::vector<std::thread> threads;
  std::vector<int> counts(8);
  for (std::size_t t = 0; t < counts.size(); ++t) {
    threads.emplace_back([&, t] {
      Texts results;
      counts[t] = t % 2 ? extract_between(page, "<b>", "</b>", results)
                        : extract_between_regex(page, "<b>", "</b>", results);
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int count : counts) EXPECT_EQ(count, 200);
}

struct BetweenCase {
  const char* name;
  std::string text;
  std::string left;
  std::string right;
  int start;
  bool ignore_case;
  std::string expected;
};

class TextBetween : public testing::TestWithParam<BetweenCase> {};

TEST_P(TextBetween, GivesTheFirstStretch) {
  const BetweenCase& c = GetParam();
  EXPECT_EQ(text_between(c.text, c.left, c.right, c.start, c.ignore_case), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextBetween,
    testing::Values(
        BetweenCase{"first_bold_run_only", "<b>one</b> <b>two</b>", "<b>", "</b>", 0, false, "one"},
        BetweenCase{"left_missing", "<b>one</b>", "<i>", "</b>", 0, false, ""},
        BetweenCase{"right_missing_after_left", "</b><b>one", "<b>", "</b>", 0, false, ""},
        BetweenCase{"adjacent_markers", "<b></b>", "<b>", "</b>", 0, false, ""},
        BetweenCase{"quote_word_stands_for_a_quote", "<a href=\"x.html\">", gbk("href=#引号"), gbk("#引号"),
                    0, false, "x.html"},
        BetweenCase{"start_position_is_one_based", "<b>one</b> <b>two</b>", "<b>", "</b>", 2, false, "two"},
        BetweenCase{"start_position_one_is_the_start", "<b>one</b>", "<b>", "</b>", 1, false, "one"},
        BetweenCase{"start_beyond_text", "<b>one</b>", "<b>", "</b>", 99, false, ""},
        BetweenCase{"case_respected", "<B>one</B>", "<b>", "</b>", 0, false, ""},
        BetweenCase{"case_ignored", "<B>one</B>", "<b>", "</b>", 0, true, "one"},
        BetweenCase{"ignore_case_keeps_double_byte_exact", "\xB0\x61x\xB0\x41", "\xB0\x41", "", 0, true, ""},
        // D6 D0 CE C4: the bytes D0 CE straddle two characters and are not found.
        BetweenCase{"only_at_character_starts", "\xD6\xD0\xCE\xC4|x|", "\xD0\xCE", "|", 0, false, ""},
        BetweenCase{"character_wise_finds_later_aligned", "\xD6\xD0\xCE\xC4 \xD0\xCEx|", "\xD0\xCE", "|", 0,
                    false, "x"},
        BetweenCase{"set_cookie_value", "Set-Cookie: a=1; path=/", "Set-Cookie:", ";", 0, false, " a=1"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace morvessa
