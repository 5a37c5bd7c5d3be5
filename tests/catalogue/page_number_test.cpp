#include "catalogue/page_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "net/codepage.h"

namespace morvessa {
namespace {

struct NumberCase {
  const char* text;  // UTF-8; the toolkit hands it over in code page 936
  double value;
};

constexpr double INF = std::numeric_limits<double>::infinity();

// The reading of atof in the "C" locale, after the full-width characters have become ASCII.
constexpr NumberCase NUMBER_CASES[] = {
    {"12", 12},
    {"3.9", 3.9},
    {"-2.7", -2.7},
    {"+4", 4},
    {"1e2", 100},
    {"1E+2", 100},
    {"25e-1", 2.5},
    {".5", 0.5},
    {"5.", 5},
    {"  5页", 5},
    {" \t\n\v\f\r8", 8},
    {"１２", 12},
    {"－３．５", -3.5},
    {"１ｅ２", 100},
    {"　7", 7},  // ideographic space
    {"7 8", 7},
    {"1e", 1},
    {"1e+", 1},
    {"1.5.5", 1.5},
    {"abc", 0},
    {"", 0},
    {"页5", 0},
    {"-", 0},
    {".", 0},
    {"e5", 0},
    {"- 5", 0},
    {"0x1A", 0},  // decimal only: the reading stops at the x
    {"inf", 0},
    {"nan", 0},
    {"1e400", INF},
    {"-1e400", -INF},
    {"1e-400", 0},
};

class TextToNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(TextToNumber, ReadsAsAtofDoes) {
  EXPECT_DOUBLE_EQ(text_to_number(gbk(GetParam().text)), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, TextToNumber, ::testing::ValuesIn(NUMBER_CASES));

TEST(TextToNumber, ReadsOnlyUpToTheFirstZeroByte) {
  EXPECT_DOUBLE_EQ(text_to_number(std::string("1\0"
                                              "2",
                                              3)),
                   1.0);
}

}  // namespace
}  // namespace morvessa
