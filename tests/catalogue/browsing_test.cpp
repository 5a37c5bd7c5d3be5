#include <gtest/gtest.h>

#include <functional>

#include "app/layout.h"
#include "grid_view.h"
#include "list_site.h"
#include "support/app_harness.h"

namespace morvessa::test {
namespace {

constexpr ControlRef PAGE_LABEL = main_control("透明标签26");
constexpr ControlRef JUMP_BOX = main_control("编辑框1");
constexpr ControlRef JUMP_LINK = main_control("超级链接框7");
constexpr ControlRef NEXT_LINK = main_control("超级链接框2");
constexpr ControlRef PREVIOUS_LINK = main_control("超级链接框1");
constexpr ControlRef TABS = main_control("选择夹1");
constexpr ControlRef CATEGORY_LINKS[] = {main_control("超级链接框3"), main_control("超级链接框4"),
                                         main_control("超级链接框5"), main_control("超级链接框6")};
constexpr int START_WORKERS = 2;
constexpr int PAGING_WORKERS = 3;
constexpr int JUMP_WORKERS = 1;

std::string label_for(long long page) {
  return "共有：24页/当前：第" + std::to_string(page) + "页";
}

// The whole program on the in-memory toolkit, browsing the loopback site.
class Browsing : public ::testing::Test {
 protected:
  void SetUp() override {
    site.start();
    harness = std::make_unique<AppHarness>(Endpoints{site.host(), site.host(), {}});
  }
  void TearDown() override {
    site.release_posters();
    harness.reset();
  }

  void start() {
    harness->start();
    ASSERT_TRUE(harness->settle());
  }
  void press(ControlRef link) {
    harness->press(link);
    ASSERT_TRUE(harness->settle());
  }
  void jump(std::string_view utf8) {
    harness->type(JUMP_BOX, utf8);
    press(JUMP_LINK);
  }
  int current_tab() {
    return harness->ui().snapshot().main.controls[static_cast<std::size_t>(TABS.index)].current_tab;
  }
  const AppState& state() { return harness->app().state; }
  GridView grid() { return grid_of(harness->ui()); }

  // What one request shows: its list page asked for once, its workers each over one connection.
  void expect_shown(const std::string& slug, int page, int workers) {
    EXPECT_EQ(site.list_requests(), (std::vector<ListRequest>{{slug, std::to_string(page)}}));
    EXPECT_EQ(state().category_slug, slug);
    EXPECT_EQ(state().current_page, page);
    EXPECT_EQ(state().total_pages_text, "24");
    EXPECT_EQ(harness->text(PAGE_LABEL), label_for(page));
    EXPECT_EQ(site.poster_connections(slug, page), workers);
    EXPECT_EQ(site.poster_requests(), workers * POSTER_CELL_COUNT);
    EXPECT_EQ(grid(), page_grid(slug, page));
  }

  ListSite site;
  std::unique_ptr<AppHarness> harness;
};

TEST_F(Browsing, StartUpShowsPageOneOfTheSeriesWithAllThirtyCells) {
  start();
  expect_shown("dianshi", 1, START_WORKERS);
  EXPECT_EQ(current_tab(), 0);
}

struct CategoryCase {
  int link;
  const char* slug;
};
constexpr CategoryCase CATEGORY_CASES[] = {{0, "dianshi"}, {1, "dianying"}, {2, "dongman"}, {3, "zongyi"}};

class CategoryLink : public Browsing, public ::testing::WithParamInterface<CategoryCase> {};

TEST_P(CategoryLink, ShowsPageOneOfItsCategoryOnTheGridTab) {
  start();
  jump("7");
  harness->ui().user_pick_tab(2);
  site.reset_counts();

  press(CATEGORY_LINKS[GetParam().link]);

  expect_shown(GetParam().slug, 1, PAGING_WORKERS);
  EXPECT_EQ(current_tab(), 0);
}

INSTANTIATE_TEST_SUITE_P(Links, CategoryLink, ::testing::ValuesIn(CATEGORY_CASES),
                         [](const auto& info) { return std::string(info.param.slug); });

// One user action and what it shows; workers 0: the action changes nothing at all.
struct Step {
  enum Action { category, next, previous, jump } action;
  const char* arg;  // the category's index, or the jump text
  const char* slug;
  int page;
  int workers;
};

struct Scenario {
  const char* name;
  std::vector<Step> steps;
};

const Scenario SCENARIOS[] = {
    {"NextTwiceInAnimation",
     {{Step::category, "2", "dongman", 1, 3},
      {Step::next, "", "dongman", 2, 3},
      {Step::next, "", "dongman", 3, 3}}},
    {"PreviousKeepsTheCategory",
     {{Step::category, "3", "zongyi", 1, 3},
      {Step::next, "", "zongyi", 2, 3},
      {Step::previous, "", "zongyi", 1, 3},
      {Step::next, "", "zongyi", 2, 3}}},
    {"PreviousOnPageOneDoesNothing",
     {{Step::previous, "", "", 0, 0},
      {Step::previous, "", "", 0, 0},
      {Step::next, "", "dianshi", 2, 3},
      {Step::previous, "", "dianshi", 1, 3},
      {Step::previous, "", "", 0, 0}}},
    {"JumpThenNext", {{Step::jump, "5", "dianshi", 5, 1}, {Step::next, "", "dianshi", 6, 3}}},
    {"JumpKeepsTheCategory",
     {{Step::category, "1", "dianying", 1, 3},
      {Step::jump, "12", "dianying", 12, 1},
      {Step::previous, "", "dianying", 11, 3}}},
    {"RefusedJumpsDoNothing",
     {{Step::next, "", "dianshi", 2, 3},
      {Step::jump, "abc", "", 0, 0},
      {Step::jump, "-2.7", "", 0, 0},
      {Step::jump, "0", "", 0, 0},
      {Step::jump, "", "", 0, 0},
      {Step::next, "", "dianshi", 3, 3}}},
    {"NoPageBeyondTheLargestNumber",
     {{Step::jump, "2147483647", "dianshi", 2147483647, 1},
      {Step::next, "", "", 0, 0},
      {Step::previous, "", "dianshi", 2147483646, 3}}},
};

class Paging : public Browsing, public ::testing::WithParamInterface<Scenario> {
 protected:
  void act(const Step& step) {
    switch (step.action) {
      case Step::category:
        return press(CATEGORY_LINKS[std::atoi(step.arg)]);
      case Step::next:
        return press(NEXT_LINK);
      case Step::previous:
        return press(PREVIOUS_LINK);
      case Step::jump:
        return jump(step.arg);
    }
  }
};

TEST_P(Paging, EachStepShowsItsPageOrNothingChanges) {
  start();
  for (std::size_t i = 0; i < GetParam().steps.size(); ++i) {
    const Step& step = GetParam().steps[i];
    SCOPED_TRACE("step " + std::to_string(i + 1));
    site.reset_counts();
    const std::string label = harness->text(PAGE_LABEL);
    const AppState& s = state();
    const std::string slug = s.category_slug;
    const int page = s.current_page;
    const GridView cells = grid();

    act(step);

    if (step.workers > 0) {
      expect_shown(step.slug, step.page, step.workers);
      continue;
    }
    EXPECT_TRUE(site.list_requests().empty());
    EXPECT_EQ(site.poster_requests(), 0);
    EXPECT_EQ(harness->text(PAGE_LABEL), label);
    EXPECT_EQ(state().category_slug, slug);
    EXPECT_EQ(state().current_page, page);
    EXPECT_EQ(grid(), cells);
  }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Paging, ::testing::ValuesIn(SCENARIOS),
                         [](const auto& info) { return std::string(info.param.name); });

// The jump box's text: the page it goes to, or 0 when the jump changes nothing.
struct JumpCase {
  const char* name;
  const char* text;
  int page;
};
constexpr JumpCase JUMP_CASES[] = {
    {"Twelve", "12", 12},
    {"FractionTruncated", "3.9", 3},
    {"NegativeRefused", "-2.7", 0},
    {"LettersRefused", "abc", 0},
    {"EmptyRefused", "", 0},
    {"BlanksAndUnit", "  5页", 5},
    {"FullWidthDigits", "１２", 12},
    {"Exponent", "1e2", 100},
    {"ZeroRefused", "0", 0},
    {"BelowOneRefused", "0.99", 0},
    {"IdeographicSpace", "　7", 7},
    {"LargestPage", "2147483647", 2147483647},
    {"BeyondTheRangeRefused", "2147483648", 0},
    {"HugeExponentRefused", "1e10", 0},
    {"HexadecimalRefused", "0x10", 0},
};

class Jump : public Browsing, public ::testing::WithParamInterface<JumpCase> {};

TEST_P(Jump, GoesToTheTypedPageOfTheCategoryWithOneWorker) {
  start();
  site.reset_counts();
  jump(GetParam().text);
  if (GetParam().page > 0) {
    expect_shown("dianshi", GetParam().page, JUMP_WORKERS);
    return;
  }
  EXPECT_TRUE(site.list_requests().empty());
  EXPECT_EQ(site.poster_requests(), 0);
  EXPECT_EQ(state().current_page, 1);
  EXPECT_EQ(harness->text(PAGE_LABEL), label_for(1));
  EXPECT_EQ(grid(), page_grid("dianshi", 1));
}

INSTANTIATE_TEST_SUITE_P(Texts, Jump, ::testing::ValuesIn(JUMP_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Browsing, AnEmptyPageShowsItsNumberAndKeepsTheGrid) {
  site.set_body("dianshi", 2, "");
  start();
  press(NEXT_LINK);
  EXPECT_EQ(state().current_page, 2);
  EXPECT_EQ(harness->text(PAGE_LABEL), label_for(2));
  EXPECT_EQ(grid(), page_grid("dianshi", 1));
}

TEST_F(Browsing, APageOfTwelveTitlesKeepsTheCellsAfterThem) {
  site.set_shape("dongman", 1, 12, 12);
  start();
  press(CATEGORY_LINKS[2]);
  EXPECT_EQ(grid(), page_grid("dongman", 1, 12, 12, page_grid("dianshi", 1)));
}

TEST_F(Browsing, AnOldSlowRequestOvertakenByANewOneLeavesOnlyTheNewPage) {
  site.hold_posters("dianshi", 1);
  harness->start();
  // Both start-up workers are inside their first poster download.
  ASSERT_TRUE(site.wait_poster_requests("dianshi", 1, START_WORKERS));

  harness->press(NEXT_LINK);
  // Wait until only the two held workers still run: the three of page 2 have filled the grid.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (harness->workers().running() > START_WORKERS && std::chrono::steady_clock::now() < deadline)
    harness->workers().wait_idle(std::chrono::milliseconds(5));
  ASSERT_EQ(harness->workers().running(), START_WORKERS);
  EXPECT_EQ(grid(), page_grid("dianshi", 2));

  site.release_posters();
  ASSERT_TRUE(harness->settle());
  EXPECT_EQ(grid(), page_grid("dianshi", 2));
  EXPECT_EQ(site.poster_requests("dianshi", 1), START_WORKERS);
}

}  // namespace
}  // namespace morvessa::test
