#include "net/cookies.h"

#include <gtest/gtest.h>

namespace morvessa {
namespace {

struct MergeCase {
  const char* name;
  std::string kept;
  std::string fresh;
  std::string merged;
  std::string fresh_after;
};

class MergeCookies : public testing::TestWithParam<MergeCase> {};

TEST_P(MergeCookies, FoldsTheNewCookiesIntoTheKeptOnes) {
  std::string kept = GetParam().kept;
  std::string fresh = GetParam().fresh;
  EXPECT_EQ(merge_cookies(kept, fresh), GetParam().merged);
  EXPECT_EQ(kept, GetParam().merged);
  EXPECT_EQ(fresh, GetParam().fresh_after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MergeCookies,
    testing::Values(
        MergeCase{"new_values_first_then_the_rest", "a=1; b=2", "b=3; c=4", "b=3; c=4; a=1", "b=3;c=4"},
        MergeCase{"deleted_cookie_goes", "a=1; b=2", "b=deleted", "a=1", "b=deleted"},
        MergeCase{"blanks_removed_everywhere", "a = 1 2", "", "a=12", ""},
        MergeCase{"full_width_blanks_removed", "a\xA1\xA1=1", "\xA1\xA1z=9", "z=9; a=1", "z=9"},
        MergeCase{"duplicate_kept_item_once", "a=1; a=1", "", "a=1", ""},
        MergeCase{"differing_values_both_kept", "", "a=1; a=2", "a=1; a=2", "a=1;a=2"},
        MergeCase{"bare_word_kept", "flag; a=1", "b=2", "b=2; flag; a=1", "b=2"},
        MergeCase{"bare_word_replaced_by_name", "flag; a=1", "flag=on", "flag=on; a=1", "flag=on"},
        MergeCase{"both_empty", "", "", "", ""},
        MergeCase{"trailing_separator_dropped", "a=1;", "", "a=1", ""},
        MergeCase{"empty_item_between_separators", "a=1;;b=2", "", "a=1; ; b=2", ""},
        // A1 A1 straddling two characters (B0 A1 | A1 C0) is no blank.
        MergeCase{"straddling_bytes_are_no_blank", "v=\xB0\xA1\xA1\xC0", "", "v=\xB0\xA1\xA1\xC0", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CookieName, TextBeforeTheFirstEqualsWithoutBlanks) {
  EXPECT_EQ(cookie_name(" sid =a=b"), "sid");
  EXPECT_EQ(cookie_name("flag"), "flag");
  EXPECT_EQ(cookie_name("\xA1\xA1x\xA1\xA1=1"), "x");
  EXPECT_EQ(cookie_name(""), "");
}

TEST(JoinDistinct, RemovesRepeatedWholeItems) {
  EXPECT_EQ(join_distinct("a=1; b=2; a=1; a=3", "; "), "a=1; b=2; a=3");
  EXPECT_EQ(join_distinct("", "; "), "");
  EXPECT_EQ(join_distinct("x; ", "; "), "x");
  EXPECT_EQ(join_distinct("; x", "; "), "; x");
}

TEST(ListSearch, OneBasedPositionOfTheFirstEqualElement) {
  const std::vector<std::string> list = {"a", "b", "a"};
  EXPECT_EQ(list_search(list, "a"), 1);
  EXPECT_EQ(list_search(list, "b"), 2);
  EXPECT_EQ(list_search(list, "A"), -1);
  EXPECT_EQ(list_search({}, "a"), -1);
}

}  // namespace
}  // namespace morvessa
