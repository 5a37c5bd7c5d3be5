#include "text/regex_object.h"

#include <gtest/gtest.h>

#include "net/codepage.h"

namespace morvessa {
namespace {

constexpr const char* META_PATTERN = "<meta.+?charset=[^\\w]?([-\\w]+)";

TEST(RegexObject, FindsTheCharsetInAnyCaseAndKeepsThePagesSpelling) {
  RegexObject regex;
  ASSERT_TRUE(regex.create(META_PATTERN,
                           "<HTML><META http-equiv=\"Content-Type\" CONTENT=\"text/html; CHARSET=GBK\">"));
  EXPECT_EQ(regex.match_count(), 1);
  EXPECT_EQ(regex.submatch_count(), 1);
  EXPECT_EQ(regex.submatch_text(1, 1), "GBK");
  ASSERT_TRUE(regex.create(META_PATTERN, "<meta charset=utf-8 />"));
  EXPECT_EQ(regex.submatch_text(1, 1), "utf-8");
}

TEST(RegexObject, NoMatchIsARunSearchWithNothingFound) {
  RegexObject regex;
  ASSERT_TRUE(regex.create(META_PATTERN, "<html><head></head></html>"));
  EXPECT_EQ(regex.match_count(), 0);
  EXPECT_EQ(regex.submatch_count(), 0);
  EXPECT_EQ(regex.submatch_text(1, 1), "");
  EXPECT_EQ(regex.match_text(1), "");
}

TEST(RegexObject, DotStopsAtALineFeedButNotAtACarriageReturn) {
  RegexObject regex;
  ASSERT_TRUE(regex.create(META_PATTERN, "<meta\ncharset=utf-8>"));
  EXPECT_EQ(regex.match_count(), 0);
  ASSERT_TRUE(regex.create(META_PATTERN, "<meta\rcharset=utf-8>"));
  EXPECT_EQ(regex.submatch_text(1, 1), "utf-8");
}

TEST(RegexObject, WordClassIsAscii) {
  RegexObject regex;
  ASSERT_TRUE(regex.create("\\w+", gbk("ab中文cd")));
  ASSERT_EQ(regex.match_count(), 2);
  EXPECT_EQ(regex.match_text(1), "ab");
  EXPECT_EQ(regex.match_text(2), "cd");
  ASSERT_TRUE(regex.create("[^\\w]+", gbk("ab中文cd")));
  EXPECT_EQ(regex.match_text(1), gbk("中文"));
}

TEST(RegexObject, InvalidPatternFailsAndReadsGiveNothing) {
  RegexObject regex;
  EXPECT_EQ(regex.pattern(), "");
  EXPECT_EQ(regex.replace("x"), "");
  EXPECT_FALSE(regex.create("(unclosed", "text"));
  EXPECT_EQ(regex.pattern(), "(unclosed");
  EXPECT_EQ(regex.match_count(), 0);
  EXPECT_EQ(regex.match_text(1), "");
}

TEST(RegexObject, QuoteWordStandsForADoubleQuoteOnlyWhenAsked) {
  const std::string pattern = gbk("href=#引号(\\w+)");
  RegexObject regex;
  ASSERT_TRUE(regex.create(pattern, "<a href=\"page\">", false, true, true, true));
  EXPECT_EQ(regex.submatch_text(1, 1), "page");
  EXPECT_EQ(regex.pattern(), "href=\"(\\w+)");
  ASSERT_TRUE(regex.create(pattern, "<a href=\"page\">"));
  EXPECT_EQ(regex.match_count(), 0);
  ASSERT_TRUE(regex.create(pattern, gbk("href=#引号page")));
  EXPECT_EQ(regex.submatch_text(1, 1), "page");
}

TEST(RegexObject, OptionsCaseMultiLineAndGlobal) {
  RegexObject regex;
  ASSERT_TRUE(regex.create("^a", "A1\na2", true));
  EXPECT_EQ(regex.match_count(), 1);
  EXPECT_EQ(regex.match_text(1), "a");
  ASSERT_TRUE(regex.create("^a", "A1\na2"));
  EXPECT_EQ(regex.match_count(), 2);
  ASSERT_TRUE(regex.create("^a", "a1\na2", false, false));
  EXPECT_EQ(regex.match_count(), 1);
  ASSERT_TRUE(regex.create("a", "a1\na2", false, true, false));
  EXPECT_EQ(regex.match_count(), 1);
}

TEST(RegexObject, PositionsAreByteOffsetsOfTheActualMatch) {
  RegexObject regex;
  int position = -99;
  ASSERT_TRUE(regex.create("b", gbk("中文b")));
  EXPECT_EQ(regex.match_text(1, &position), "b");
  EXPECT_EQ(position, 4);
  // Case-sensitive object: the "A" before the match must not be taken for it.
  ASSERT_TRUE(regex.create("a", "Aa", true));
  regex.match_text(1, &position);
  EXPECT_EQ(position, 1);
  // A submatch whose text also stands earlier in the match.
  ASSERT_TRUE(regex.create("x(x)", "..xx"));
  EXPECT_EQ(regex.submatch_text(1, 1, &position), "x");
  EXPECT_EQ(position, 3);
  ASSERT_TRUE(regex.create("(a)|(b)", "b"));
  EXPECT_EQ(regex.submatch_text(1, 1, &position), "");
  EXPECT_EQ(position, -1);
}

TEST(RegexObject, EmptyMatchesMoveOnByOne) {
  RegexObject regex;
  ASSERT_TRUE(regex.create("x*", "ab"));
  EXPECT_EQ(regex.match_count(), 3);
}

TEST(RegexObject, ReplaceWithVbscriptReferences) {
  RegexObject regex;
  ASSERT_TRUE(regex.create("(\\d)(\\d)", "a12b34"));
  EXPECT_EQ(regex.replace("[$2$1]"), "a[21]b[43]");
  EXPECT_EQ(regex.replace("$&$$$9"), "a12$$9b34$$9");
  ASSERT_TRUE(regex.create("b", "abc", false, true, false));
  EXPECT_EQ(regex.replace("<$`|$'>"), "a<a|c>c");
  ASSERT_TRUE(regex.create("o", gbk("中o文o")));
  EXPECT_EQ(regex.replace("0"), gbk("中0文0"));
}

TEST(RegexObject, CopiesKeepTheirOwnResults) {
  RegexObject regex;
  ASSERT_TRUE(regex.create("a", "aaa"));
  const RegexObject copy = regex;
  ASSERT_TRUE(regex.create("b", "b"));
  EXPECT_EQ(copy.match_count(), 3);
  EXPECT_EQ(copy.replace("x"), "xxx");
  EXPECT_EQ(regex.match_count(), 1);
}

}  // namespace
}  // namespace morvessa
