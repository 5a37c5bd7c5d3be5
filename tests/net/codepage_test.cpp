#include "net/codepage.h"

#include <gtest/gtest.h>

#include <string>

namespace morvessa {
namespace {

using namespace std::string_literals;

// "中文" in both encodings, and as UTF-16LE with its zero unit.
const std::string ZHONGWEN_UTF8 = "\xE4\xB8\xAD\xE6\x96\x87";
const std::string ZHONGWEN_GBK = "\xD6\xD0\xCE\xC4";
const std::string ZHONGWEN_UTF16 = "\x2D\x4E\x87\x65\x00\x00"s;

struct DecodeCase {
  const char* name;
  std::string utf8;
  std::string gbk;
};

class DecodeUtf8Page : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeUtf8Page, GivesCodePage936) {
  EXPECT_EQ(decode_utf8_page(GetParam().utf8), GetParam().gbk);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeUtf8Page,
    testing::Values(DecodeCase{"chinese", ZHONGWEN_UTF8, ZHONGWEN_GBK}, DecodeCase{"empty", "", ""},
                    DecodeCase{"ascii", "<html>a b</html>", "<html>a b</html>"},
                    DecodeCase{"emoji_lacking_in_936", "a\xF0\x9F\x98\x80z", "a?z"},
                    DecodeCase{"stray_byte_is_replacement_then_default", "a\xFFz", "a?z"},
                    DecodeCase{"cut_sequence_at_end", "a\xE4\xB8", "a?"},
                    DecodeCase{"stops_at_zero_byte", "ab\0cd"s, "ab"},
                    DecodeCase{"full_width_space_and_euro", "\xE3\x80\x80\xE2\x82\xAC", "\xA1\xA1\x80"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CodePageSteps, KeywordEncodingRunsTheOtherWay) {
  const std::string wide = multibyte_to_wide(ZHONGWEN_GBK, CP_GBK, true);
  EXPECT_EQ(wide, ZHONGWEN_UTF16);
  EXPECT_EQ(wide_to_multibyte(wide, CP_UTF8, true), ZHONGWEN_UTF8);
}

TEST(CodePageSteps, SwitchOffReadsUtf8AndWritesTheDefaultPage) {
  const std::string wide = multibyte_to_wide(ZHONGWEN_UTF8, CP_GBK, false);
  EXPECT_EQ(wide, ZHONGWEN_UTF16);
  EXPECT_EQ(wide_to_multibyte(wide, CP_UTF8, false), ZHONGWEN_GBK);
}

TEST(CodePageSteps, WideTextAlwaysCarriesItsZeroUnitAndStopsAtTheFirst) {
  EXPECT_EQ(multibyte_to_wide("", CP_UTF8, true), "\0\0"s);
  EXPECT_EQ(multibyte_to_wide("a\0b"s, CP_UTF8, true), "a\0\0\0"s);
  EXPECT_EQ(wide_to_multibyte("a\0\0\0b\0"s, CP_GBK, true), "a");
  EXPECT_EQ(wide_to_multibyte("", CP_GBK, true), "");
}

TEST(CodePageSteps, UnknownCodePageGivesNothing) {
  EXPECT_EQ(multibyte_to_wide("abc", 12345, true), "");
  EXPECT_EQ(wide_to_multibyte("a\0"s, 12345, true), "");
}

TEST(Utf16Text, RoundTripsWithAndWithoutTheZeroUnit) {
  EXPECT_EQ(text_to_utf16(ZHONGWEN_GBK), ZHONGWEN_UTF16);
  EXPECT_EQ(text_to_utf16(ZHONGWEN_GBK, true), ZHONGWEN_UTF16.substr(0, 4));
  EXPECT_EQ(utf16_to_text(ZHONGWEN_UTF16), ZHONGWEN_GBK);
  EXPECT_EQ(utf16_to_text(ZHONGWEN_UTF16.substr(0, 4)), ZHONGWEN_GBK);
}

TEST(Utf16Text, EmptyTextHasNoZeroUnit) {
  EXPECT_EQ(text_to_utf16(""), "");
  EXPECT_EQ(text_to_utf16("\0x"s), "");
  EXPECT_EQ(utf16_to_text(""), "");
}

TEST(Utf16Text, OddByteIsNoUnitAndLackingCharactersBecomeDefault) {
  EXPECT_EQ(utf16_to_text("a\0b"s), "a");
  EXPECT_EQ(utf16_to_text("\x3D\xD8\x00\xDEz\0"s), "?z");  // one character outside code page 936
  EXPECT_EQ(utf16_to_text("\x3D\xD8z\0"s), "?z");          // a lone surrogate
}

TEST(Utf16Text, ComposesBaseAndMarkWhenCodePage936HasTheResult) {
  // e + U+0301 is é, which code page 936 holds as A8 A6.
  EXPECT_EQ(utf16_to_text("e\0\x01\x03"s), "\xA8\xA6");
}

TEST(EdgeConversions, GbkAndUtf8AreInverse) {
  EXPECT_EQ(gbk(ZHONGWEN_UTF8), ZHONGWEN_GBK);
  EXPECT_EQ(to_utf8(ZHONGWEN_GBK), ZHONGWEN_UTF8);
  EXPECT_EQ(to_utf8(gbk("播放记录 abc")), "播放记录 abc");
}

struct CharsetCase {
  const char* name;
  std::string charset;
  std::string bytes;
  bool known;
  std::string text;
};

class DecodeCharset : public testing::TestWithParam<CharsetCase> {};

TEST_P(DecodeCharset, DecodesByTheNamedConverter) {
  std::string out = "untouched";
  EXPECT_EQ(decode_charset(GetParam().bytes, GetParam().charset, out), GetParam().known);
  EXPECT_EQ(out, GetParam().known ? GetParam().text : "untouched");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeCharset,
    testing::Values(CharsetCase{"utf8", "utf-8", ZHONGWEN_UTF8, true, ZHONGWEN_GBK},
                    CharsetCase{"utf8_capitals", "UTF-8", ZHONGWEN_UTF8, true, ZHONGWEN_GBK},
                    CharsetCase{"utf8_bom_dropped", "utf-8", "\xEF\xBB\xBF" + ZHONGWEN_UTF8, true,
                                ZHONGWEN_GBK},
                    CharsetCase{"gbk_capitals", "GBK", ZHONGWEN_GBK, true, ZHONGWEN_GBK},
                    CharsetCase{"gb2312_capitals_reads_as_936", "GB2312", "\x81\x40", true, "\x81\x40"},
                    CharsetCase{"big5", "big5", "\xA4\xA4", true, ZHONGWEN_GBK.substr(0, 2)},
                    CharsetCase{"cut_at_zero", "utf-8", "a\0b"s, true, "a"},
                    CharsetCase{"unknown_name", "no-such-charset", "abc", false, ""},
                    CharsetCase{"empty_name", "", "abc", false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WideWithOffsets, OffsetsPointAtTheBytesOfEachCharacter) {
  std::vector<int> offsets;
  const std::u16string units = gbk_to_u16("a" + ZHONGWEN_GBK + "b", &offsets);
  EXPECT_EQ(units, u"a中文b");
  EXPECT_EQ(offsets, (std::vector<int>{0, 1, 3, 5, 6}));
  EXPECT_EQ(u16_to_gbk(units), "a" + ZHONGWEN_GBK + "b");
}

}  // namespace
}  // namespace morvessa
