// The generated catalogue itself: the same on every start, unique, and fit for the pages' markers.

#include <gtest/gtest.h>

#include <set>

#include "demo/catalogue.h"
#include "demo/poster.h"
#include "page_reading.h"

namespace morvessa::demo_test {
namespace {

using demo::Catalogue;
using demo::Title;

TEST(DemoCatalogue, IsTheSameOnEveryStart) {
  const Catalogue first;
  const Catalogue second;
  ASSERT_EQ(first.titles().size(), second.titles().size());
  for (std::size_t i = 0; i < first.titles().size(); ++i) {
    const Title& a = first.titles()[i];
    const Title& b = second.titles()[i];
    ASSERT_EQ(a.name, b.name);
    ASSERT_EQ(a.code, b.code);
    ASSERT_EQ(a.episode_count, b.episode_count);
    ASSERT_EQ(a.issues.size(), b.issues.size());
    ASSERT_EQ(a.sources, b.sources);
  }
  for (std::size_t i : {0u, 1u, 1000u, 2879u}) {
    EXPECT_EQ(demo::poster_file(first.titles()[i]), demo::poster_file(second.titles()[i]));
  }
}

TEST(DemoCatalogue, HasFourCategoriesOfTwentyFourPagesOfThirtyUniqueTitles) {
  const Catalogue catalogue;
  ASSERT_EQ(catalogue.titles().size(), 4u * 24u * 30u);
  std::set<std::string> names;
  std::set<std::string> codes;
  for (const Title& t : catalogue.titles()) {
    EXPECT_TRUE(names.insert(t.name).second) << t.name;
    EXPECT_TRUE(codes.insert(t.code).second) << t.code;
  }
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(catalogue.list_page(c, 1).size(), 30u);
    EXPECT_EQ(catalogue.list_page(c, 24).size(), 30u);
    EXPECT_TRUE(catalogue.list_page(c, 0).empty());
    EXPECT_TRUE(catalogue.list_page(c, 25).empty());
  }
  EXPECT_TRUE(catalogue.list_page(4, 1).empty());
  EXPECT_TRUE(catalogue.list_page(-1, 1).empty());
}

// A title is shown as the page writes it and searched for as the cell shows it, so it must pass through
// code page 936 unchanged and hold nothing that HTML or the markers give a meaning to.
TEST(DemoCatalogue, TextsSurviveCodePage936AndHoldNoMarkup) {
  const Catalogue catalogue;
  constexpr std::string_view MARKUP = "<>&\"' \t\r\n";
  for (const Title& t : catalogue.titles()) {
    EXPECT_FALSE(t.name.empty());
    EXPECT_TRUE(round_trips_through_gbk(t.name)) << t.name;
    EXPECT_EQ(t.name.find_first_of(MARKUP), std::string::npos) << t.name;
    EXPECT_TRUE(round_trips_through_gbk(t.blurb)) << t.blurb;
    for (const demo::Issue& issue : t.issues) {
      EXPECT_TRUE(round_trips_through_gbk(issue.label)) << issue.label;
      EXPECT_EQ(issue.label.find('\''), std::string::npos) << issue.label;
    }
    for (const std::string& source : t.sources) EXPECT_TRUE(round_trips_through_gbk(source)) << source;
  }
}

TEST(DemoCatalogue, EachLayoutHasSomethingToPlay) {
  const Catalogue catalogue;
  for (const Title& t : catalogue.titles()) {
    switch (t.category_info().layout) {
      case demo::Layout::series:
        EXPECT_GE(t.episode_count, 12) << t.name;
        break;
      case demo::Layout::variety:
        EXPECT_GE(t.issues.size(), 6u) << t.name;
        for (std::size_t i = 1; i < t.issues.size(); ++i) EXPECT_GT(t.issues[i - 1].date, t.issues[i].date);
        break;
      case demo::Layout::film:
        EXPECT_GE(t.sources.size(), 2u) << t.name;
        break;
    }
  }
}

TEST(DemoCatalogue, ResolvesPlayAndDetailAddressesOnAnyHost) {
  const Catalogue catalogue;
  const Title& series = catalogue.category_titles(0)[0];
  const Title& film = catalogue.category_titles(1)[0];
  struct Case {
    std::string address;
    const Title* title;
    std::string label;
  };
  const Case cases[] = {
      {"http://127.0.0.1:9/play/" + series.path() + "/2", &series, "第2集"},
      {"example.org/play/" + series.path() + "/2", &series, "第2集"},
      {"  http://h/" + series.path() + ".html", &series, "第1集"},
      {"http://h/play/" + film.path() + "/s1", &film, "观看来源1 · " + film.sources[0]},
      {"http://h/play/" + series.path() + "/0", &series, ""},
      {"http://h/play/" + series.path() + "/" + std::to_string(series.episode_count + 1), &series, ""},
      {"http://h/play/" + film.path() + "/s99", &film, ""},
      {"http://h/play/dianshi/nothing/1", nullptr, ""},
      {"no slash at all", nullptr, ""},
      {"", nullptr, ""},
  };
  for (const Case& c : cases) {
    const demo::PlayItem item = catalogue.resolve(c.address);
    EXPECT_EQ(item.title, c.title) << c.address;
    EXPECT_EQ(item.label, c.label) << c.address;
  }
}

}  // namespace
}  // namespace morvessa::demo_test
