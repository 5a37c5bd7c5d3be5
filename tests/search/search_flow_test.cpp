// Typed search, poster search and the detail chain, in process on the in-memory toolkit against a loopback
// catalogue site.

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <set>

#include "app/document_access.h"
#include "app/layout.h"
#include "net/codepage.h"
#include "search/catalogue_pages.h"
#include "search/search.h"
#include "support/app_harness.h"
#include "support/loopback_server.h"

namespace morvessa {
namespace {

using test::blanks;
using Rows = std::vector<std::pair<std::string, std::string>>;

constexpr ControlRef SEARCH_BOX = main_control("编辑框2");
constexpr ControlRef SEARCH_LINK = main_control("超级链接框8");
constexpr ControlRef SEARCH_RESULTS = main_control("超级列表框1");
constexpr ControlRef EPISODE_LIST = main_control("超级列表框2");
constexpr ControlRef BROWSER_BOX = main_control("超文本浏览框1");
constexpr ControlRef CHOSEN_TITLE = main_control("透明标签32");
constexpr ControlRef TABS = main_control("选择夹1");

struct EncodeCase {
  std::string text;  // code page 936 bytes
  std::string encoded;
};

class EncodeKeyword : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeKeyword, EscapesEveryUtf8Byte) {
  EXPECT_EQ(encode_keyword(GetParam().text), GetParam().encoded);
}

INSTANTIATE_TEST_SUITE_P(Cases, EncodeKeyword,
                         testing::Values(EncodeCase{"ab 1", "%61%62%20%31"},
                                         EncodeCase{"\xD6\xD0\xCE\xC4", "%E4%B8%AD%E6%96%87"},
                                         EncodeCase{"\t", "%09"}, EncodeCase{"", ""},
                                         EncodeCase{"a-./Z", "%61%2D%2E%2F%5A"}));

// The catalogue site: search pages by keyword, other pages by path; every request is counted, and a
// gated path holds its requests until the test releases them.
class CatalogueSite {
 public:
  CatalogueSite() {
    server_.server().Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
      std::string key = request.path == "/index.php" ? "?kw=" + request.get_param_value("kw") : request.path;
      bool gated = false;
      {
        std::lock_guard lock(mutex_);
        ++hits_[key];
        targets_.push_back(request.target);
        gated = gated_.count(key) > 0;
      }
      if (gated) server_.hold_until_released();
      std::lock_guard lock(mutex_);
      auto page = pages_.find(key);
      if (page == pages_.end()) {
        response.status = 404;
        return;
      }
      response.set_content(page->second, "text/html");
    });
    server_.start();
  }

  std::string host() const { return server_.host(); }
  void search_page(const std::string& keyword, const std::string& page) { set("?kw=" + keyword, page); }
  void page(const std::string& path, const std::string& page) { set(path, page); }
  void gate(const std::string& path) {
    std::lock_guard lock(mutex_);
    gated_.insert(path);
  }
  void release() { server_.release(); }
  // Until n requests of gated paths are being held.
  void wait_until_held(int n) { server_.wait_until_held(n); }
  int hits(const std::string& path) {
    std::lock_guard lock(mutex_);
    return hits_[path];
  }
  int searches(const std::string& keyword) { return hits("?kw=" + keyword); }
  std::vector<std::string> targets() {
    std::lock_guard lock(mutex_);
    return targets_;
  }

 private:
  void set(const std::string& key, const std::string& page) {
    std::lock_guard lock(mutex_);
    pages_[key] = page;
  }

  test::LoopbackServer server_;
  std::mutex mutex_;
  std::map<std::string, std::string> pages_;
  std::map<std::string, int> hits_;
  std::set<std::string> gated_;
  std::vector<std::string> targets_;
};

class SearchFlow : public testing::Test {
 protected:
  SearchFlow()
      : harness_(
            Endpoints{site_.host(), site_.host(), {"l0.test", "l1.test", "l2.test", "l3.test", "l4.test"}}) {}

  void SetUp() override {
    harness_.start();
    ASSERT_TRUE(harness_.settle());
  }

  std::string detail(const std::string& path) { return "http://" + site_.host() + path; }

  Rows rows(ControlRef list) {
    Rows out;
    for (int r = 0; r < harness_.ui().list_row_count(list); ++r)
      out.emplace_back(harness_.cell(list, r, 0), harness_.cell(list, r, 1));
    return out;
  }

  int current_tab() {
    return harness_.ui().snapshot().main.controls[static_cast<std::size_t>(TABS.index)].current_tab;
  }

  // Rows in the result list, as a finished typed search leaves them.
  void offer_results(const Rows& results) {
    RecordToolkit& ui = harness_.ui();
    ui.list_clear(SEARCH_RESULTS);
    for (const auto& [title, address] : results) {
      int row = ui.list_insert_row(SEARCH_RESULTS);
      ui.list_set_cell(SEARCH_RESULTS, row, 0, gbk(title));
      ui.list_set_cell(SEARCH_RESULTS, row, 1, gbk(address));
    }
  }

  void double_click_result(int row) {
    harness_.ui().user_select(SEARCH_RESULTS, row);
    harness_.ui().user_event(SEARCH_RESULTS, EventKind::clicked);
    harness_.ui().user_event(SEARCH_RESULTS, EventKind::double_clicked);
  }

  // Waits for a state that a worker still running brings about.
  bool wait_until(const std::function<bool()>& done) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done()) {
      if (std::chrono::steady_clock::now() >= deadline) return false;
      harness_.ui().run_pending();
      harness_.workers().wait_idle(std::chrono::milliseconds(5));
    }
    return true;
  }

  ControlRef cell_control(int tag) { return harness_.ui().find_control_by_tag(WindowId::main, tag)->control; }

  void poster_search(int cell, const std::string& title) {
    harness_.ui().set_text(cell_control(cell), gbk(title));
    harness_.ui().user_event(cell_control(cell), EventKind::left_press);
  }

  CatalogueSite site_;
  test::AppHarness harness_;
};

TEST_F(SearchFlow, EnterListsTheResultsAndShowsTheSearchTab) {
  site_.search_page("中文", test::search_page({{site_.host(), "dianshi/abc", "标题一"},
                                               {site_.host(), "dianying/x9", "Title \"2\""}}));
  harness_.type(SEARCH_BOX, "中文");
  harness_.ui().user_event(SEARCH_BOX, EventKind::key_pressed, {0, 0, KEY_ENTER});
  EXPECT_EQ(current_tab(), 2);
  ASSERT_TRUE(harness_.settle());
  EXPECT_EQ(rows(SEARCH_RESULTS),
            (Rows{{"标题一", detail("/dianshi/abc.html")}, {"Title \"2\"", detail("/dianying/x9.html")}}));
  EXPECT_EQ(site_.targets().back(), "/index.php?kw=%E4%B8%AD%E6%96%87");
  EXPECT_GT(harness_.app().state.page_html->size(), 0u);
}

TEST_F(SearchFlow, TheLinkListsTheSameResultsAndLeavesTheTab) {
  site_.search_page("abc", test::search_page({{site_.host(), "dianshi/abc", "A"}}));
  harness_.type(SEARCH_BOX, "abc");
  harness_.press(SEARCH_LINK);
  ASSERT_TRUE(harness_.settle());
  EXPECT_EQ(rows(SEARCH_RESULTS), (Rows{{"A", detail("/dianshi/abc.html")}}));
  EXPECT_EQ(current_tab(), 0);
}

TEST_F(SearchFlow, AnotherKeyFetchesNothing) {
  offer_results({{"kept", "http://x"}});
  harness_.type(SEARCH_BOX, "abc");
  harness_.ui().user_event(SEARCH_BOX, EventKind::key_pressed, {0, 0, 'A'});
  ASSERT_TRUE(harness_.settle());
  EXPECT_EQ(site_.searches("abc"), 0);
  EXPECT_EQ(rows(SEARCH_RESULTS), (Rows{{"kept", "http://x"}}));
  EXPECT_EQ(current_tab(), 0);
}

TEST_F(SearchFlow, APressInTheSearchBoxEmptiesIt) {
  EXPECT_EQ(harness_.text(SEARCH_BOX), "请输入完整的视频名称");
  harness_.press(SEARCH_BOX);
  EXPECT_EQ(harness_.text(SEARCH_BOX), "");
  harness_.type(SEARCH_BOX, "typed by the user");
  harness_.press(SEARCH_BOX);
  EXPECT_EQ(harness_.text(SEARCH_BOX), "");
}

TEST_F(SearchFlow, ASearchWithoutResultsLeavesTheListEmpty) {
  offer_results({{"earlier", "http://x"}});
  site_.search_page("", test::search_page({}));
  harness_.type(SEARCH_BOX, "");
  harness_.press(SEARCH_LINK);
  ASSERT_TRUE(harness_.settle());
  EXPECT_TRUE(rows(SEARCH_RESULTS).empty());
  EXPECT_EQ(site_.targets().back(), "/index.php?kw=");
}

TEST_F(SearchFlow, AResultWithoutAnAddressIsLeftOut) {
  // The second result's anchor points to another host: its title is found, its path is not.
  site_.search_page("x", test::search_page({{site_.host(), "dianshi/one", "one"},
                                            {site_.host(), "dianshi/two", "two"},
                                            {"elsewhere.test", "dianshi/three", "three"}}));
  harness_.type(SEARCH_BOX, "x");
  harness_.press(SEARCH_LINK);
  ASSERT_TRUE(harness_.settle());
  EXPECT_EQ(rows(SEARCH_RESULTS),
            (Rows{{"one", detail("/dianshi/one.html")}, {"two", detail("/dianshi/two.html")}}));
}

TEST(FillSearchResults, AStaleSearchWritesNothing) {
  auto workers = Workers::create();
  auto ui = RecordToolkit::create(workers);
  ui->create_main_window();
  Endpoints endpoints{"main.test", "search.test", {}};
  std::string page = decode_utf8_page(test::search_page({{"main.test", "dianshi/a", "a"}}));
  RequestSerial serial;
  RequestSerial::Ticket older = serial.begin();
  RequestSerial::Ticket newer = serial.begin();
  fill_search_results(*ui, page, endpoints, older);
  EXPECT_EQ(ui->list_row_count(SEARCH_RESULTS), 0);
  fill_search_results(*ui, page, endpoints, newer);
  EXPECT_EQ(ui->list_get_cell(SEARCH_RESULTS, 0, 1), "http://main.test/dianshi/a.html");
}

// A search started while the worker of an earlier one still appends: only the newer search's rows remain.
TEST_F(SearchFlow, TheNewestSearchTakesPrecedence) {
  std::vector<test::SearchResult> many;
  for (int i = 0; i < 3000; ++i) many.push_back({site_.host(), "dianshi/m" + std::to_string(i), "many"});
  site_.search_page("many", test::search_page(many));
  site_.search_page("few", test::search_page({{site_.host(), "dianshi/f", "few"}}));
  harness_.type(SEARCH_BOX, "many");
  harness_.press(SEARCH_LINK);
  harness_.type(SEARCH_BOX, "few");
  harness_.press(SEARCH_LINK);
  ASSERT_TRUE(harness_.settle());
  EXPECT_EQ(rows(SEARCH_RESULTS), (Rows{{"few", detail("/dianshi/f.html")}}));
}

struct PosterCase {
  bool from_picture;
  int tag;
};

class PosterSearch : public SearchFlow, public testing::WithParamInterface<PosterCase> {};

TEST_P(PosterSearch, SearchesForTheCellsTitle) {
  ControlRef label = cell_control(15);
  harness_.ui().set_text(label, gbk("星际 穿越"));
  harness_.app().state.drag_active = true;
  ControlRef source = cell_control(GetParam().tag);
  harness_.ui().user_event(source, GetParam().from_picture ? EventKind::left_release : EventKind::left_press);
  EXPECT_EQ(
      to_utf8(harness_.ui().snapshot().main.controls[static_cast<std::size_t>(BROWSER_BOX.index)].address),
      "http://" + site_.host() + "/index.php?kw=" + encode_keyword(gbk("星际 穿越")));
  EXPECT_EQ(harness_.text(CHOSEN_TITLE), "星际 穿越");
  EXPECT_EQ(harness_.app().state.drag_active, !GetParam().from_picture);
  EXPECT_EQ(current_tab(), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, PosterSearch, testing::Values(PosterCase{false, 15}, PosterCase{true, 45}));

TEST_F(SearchFlow, APosterWithoutATitleSearchesForNothing) {
  harness_.ui().set_text(CHOSEN_TITLE, gbk("earlier"));
  poster_search(3, "");
  EXPECT_EQ(
      to_utf8(harness_.ui().snapshot().main.controls[static_cast<std::size_t>(BROWSER_BOX.index)].address),
      "http://" + site_.host() + "/index.php?kw=");
  EXPECT_EQ(harness_.text(CHOSEN_TITLE), "");
}

struct DetailCase {
  std::string name;
  std::string page;
  Rows rows;
  int fetches;
};

class DetailChain : public SearchFlow, public testing::WithParamInterface<DetailCase> {};

TEST_P(DetailChain, ListsWhatTheFirstMatchingParserFinds) {
  site_.page("/dianshi/t.html", GetParam().page);
  offer_results({{"other", detail("/dianshi/other.html")}, {"节目", detail("/dianshi/t.html")}});
  harness_.ui().list_insert_row(EPISODE_LIST);  // rows of an earlier lookup go
  double_click_result(1);
  EXPECT_EQ(current_tab(), 1);
  ASSERT_TRUE(harness_.settle());
  EXPECT_EQ(rows(EPISODE_LIST), GetParam().rows);
  EXPECT_EQ(site_.hits("/dianshi/t.html"), GetParam().fetches);
  EXPECT_EQ(site_.hits("/dianshi/other.html"), 0);
  EXPECT_EQ(harness_.text(CHOSEN_TITLE), "节目");
}

INSTANTIATE_TEST_SUITE_P(
    Pages, DetailChain,
    testing::Values(
        DetailCase{"Series",
                   test::detail_page(test::episode_block({{"1", "v.test/e1.html"}, {"2", "v.test/e2.html"}}) +
                                     test::source_block({"s.test/never"})),
                   {{"1", "http://v.test/e1.html"}, {"2", "http://v.test/e2.html"}},
                   1},
        DetailCase{"Variety",
                   test::detail_page(test::issue_block({{"第1期 开场", "v.test/i1.html"},
                                                        {"第2期", "v.test/i2.html"}})),
                   {{"第1期 开场", "http://v.test/i1.html"}, {"第2期", "http://v.test/i2.html"}},
                   2},
        DetailCase{"FilmWithThreeSources",
                   test::detail_page(test::source_block({"s1.test/f", "s2.test/f", "s3.test/f"})),
                   {{"观看来源1", "http://s1.test/f"},
                    {"观看来源2", "http://s2.test/f"},
                    {"观看来源3", "http://s3.test/f"}},
                   3},
        DetailCase{"NoneOfTheLayouts", test::detail_page("<p>nothing here</p>"), {}, 3},
        DetailCase{"EpisodeBlockWithoutItsEnd",
                   test::detail_page(test::episode_block({{"1", "v.test/e1.html"}}, false)),
                   {},
                   3},
        DetailCase{
            "EpisodeWithoutAnAddress",
            test::detail_page(test::episode_block({{"1", "v.test/e1.html"}, {"2", "v.test/e2.html", false}})),
            {{"1", "http://v.test/e1.html"}},
            1},
        DetailCase{
            "IssueWithoutAnAddress",
            test::detail_page(test::issue_block({{"一", "v.test/i1.html"}, {"二", "v.test/i2.html", false}})),
            {{"一", "http://v.test/i1.html"}},
            2}),
    [](const testing::TestParamInfo<DetailCase>& info) { return info.param.name; });

TEST_F(SearchFlow, ADoubleClickBelowTheRowsFetchesNothingAndAddsNoRow) {
  offer_results({{"节目", detail("/dianshi/t.html")}});
  harness_.ui().set_text(CHOSEN_TITLE, gbk("earlier"));
  double_click_result(-1);
  ASSERT_TRUE(harness_.settle());
  EXPECT_TRUE(rows(EPISODE_LIST).empty());
  EXPECT_EQ(harness_.text(CHOSEN_TITLE), "");
}

// Two lookups close together: the older one, still fetching, writes nothing once the newer one has begun.
TEST_F(SearchFlow, TheNewestLookupTakesPrecedence) {
  site_.page("/slow.html", test::detail_page(test::episode_block({{"old", "v.test/old.html"}})));
  site_.page("/fast.html", test::detail_page(test::episode_block({{"new", "v.test/new.html"}})));
  site_.gate("/slow.html");
  offer_results({{"慢", detail("/slow.html")}, {"快", detail("/fast.html")}});
  double_click_result(0);
  site_.wait_until_held(1);
  double_click_result(1);
  ASSERT_TRUE(wait_until([&] { return harness_.ui().list_row_count(EPISODE_LIST) == 1; }));
  site_.release();
  ASSERT_TRUE(harness_.settle());
  EXPECT_EQ(rows(EPISODE_LIST), (Rows{{"new", "http://v.test/new.html"}}));
  EXPECT_EQ(harness_.text(CHOSEN_TITLE), "快");
}

// The chain keeps to the row that was double-clicked, however the selection moves while it runs.
TEST_F(SearchFlow, TheChainKeepsTheRowItWasStartedFor) {
  site_.page("/variety.html", test::detail_page(test::issue_block({{"第1期", "v.test/i1.html"}})));
  site_.page("/other.html", test::detail_page(test::source_block({"s.test/o"})));
  site_.gate("/variety.html");
  offer_results({{"综艺", detail("/variety.html")}, {"别的", detail("/other.html")}});
  double_click_result(0);
  site_.wait_until_held(1);
  harness_.ui().user_select(SEARCH_RESULTS, 1);
  site_.release();
  ASSERT_TRUE(harness_.settle());
  EXPECT_EQ(rows(EPISODE_LIST), (Rows{{"第1期", "http://v.test/i1.html"}}));
  EXPECT_EQ(harness_.text(CHOSEN_TITLE), "综艺");
  EXPECT_EQ(site_.hits("/variety.html"), 2);
  EXPECT_EQ(site_.hits("/other.html"), 0);
}

TEST_F(SearchFlow, APosterLooksItsTitleUpThroughTheBrowserBox) {
  site_.search_page("剧名", test::poster_search_page(
                                {"/dianshi/first.html", "http://" + site_.host() + "/dianshi/t.html"}));
  site_.page("/dianshi/t.html", test::detail_page(test::episode_block({{"1", "v.test/e1.html"}})));
  poster_search(7, "剧名");
  ASSERT_TRUE(harness_.settle());
  EXPECT_EQ(rows(EPISODE_LIST), (Rows{{"1", "http://v.test/e1.html"}}));
  EXPECT_EQ(current_tab(), 1);
  EXPECT_EQ(harness_.text(CHOSEN_TITLE), "剧名");
  EXPECT_EQ(harness_.app().state.detail_link_urls,
            (std::vector<std::string>{detail("/dianshi/first.html"), detail("/dianshi/t.html")}));
  EXPECT_EQ(site_.hits("/dianshi/first.html"), 0);
  // The box's document now holds the main-picture block alone.
  auto document = harness_.ui().document_from_handle(harness_.ui().native_handle(BROWSER_BOX));
  ASSERT_TRUE(document);
  ASSERT_EQ(document->divs().size(), 1u);
  EXPECT_EQ(document->divs()[0].class_name, "b-mainpic");
}

TEST_F(SearchFlow, TwoPosterSearchesInARowUseTheLastLinkOfTheSecondBlock) {
  site_.search_page("A", test::poster_search_page({"/a1.html", "/a2.html"}));
  site_.search_page("B", test::poster_search_page({"/b1.html", "/b2.html"}));
  site_.page("/a2.html", test::detail_page(test::episode_block({{"a", "v.test/a.html"}})));
  site_.page("/b2.html", test::detail_page(test::source_block({"s.test/b"})));
  poster_search(1, "A");
  ASSERT_TRUE(harness_.settle());
  poster_search(30, "B");
  ASSERT_TRUE(harness_.settle());
  EXPECT_EQ(harness_.app().state.detail_link_urls,
            (std::vector<std::string>{detail("/a1.html"), detail("/a2.html"), detail("/b1.html"),
                                      detail("/b2.html")}));
  EXPECT_EQ(rows(EPISODE_LIST), (Rows{{"观看来源1", "http://s.test/b"}}));
  EXPECT_EQ(site_.hits("/a2.html"), 1);
}

// A page without the block, or a block without a link, names no title: the earlier poster's episodes
// must not be listed under the new title.
TEST_F(SearchFlow, APosterPageWithoutALinkEndsTheLookupWithoutARow) {
  site_.search_page("A", test::poster_search_page({"/a.html"}));
  site_.search_page("no block", test::poster_search_page({}, false));
  site_.search_page("no link", test::poster_search_page({}));
  site_.page("/a.html", test::detail_page(test::episode_block({{"a", "v.test/a.html"}})));

  poster_search(2, "no block");  // the first of the run: nothing to fall back on
  ASSERT_TRUE(harness_.settle());
  EXPECT_TRUE(rows(EPISODE_LIST).empty());
  EXPECT_TRUE(harness_.app().state.detail_link_urls.empty());

  poster_search(2, "A");
  ASSERT_TRUE(harness_.settle());
  EXPECT_EQ(rows(EPISODE_LIST), (Rows{{"a", "http://v.test/a.html"}}));

  for (const char* title : {"no block", "no link"}) {
    poster_search(2, title);
    ASSERT_TRUE(harness_.settle());
    EXPECT_TRUE(rows(EPISODE_LIST).empty()) << title;
    EXPECT_EQ(harness_.text(CHOSEN_TITLE), title);
    EXPECT_EQ(current_tab(), 1);
  }
  EXPECT_EQ(site_.hits("/a.html"), 1);
  EXPECT_EQ(harness_.app().state.detail_link_urls, std::vector<std::string>{detail("/a.html")});
}

// A poster search empties the list for its own lookup; a lookup still running from before adds nothing.
TEST_F(SearchFlow, APosterSearchStopsTheLookupBeforeIt) {
  site_.page("/slow.html", test::detail_page(test::episode_block({{"old", "v.test/old.html"}})));
  site_.gate("/slow.html");
  site_.search_page("P", test::poster_search_page({}, false));
  offer_results({{"慢", detail("/slow.html")}});
  double_click_result(0);
  site_.wait_until_held(1);
  poster_search(4, "P");
  ASSERT_TRUE(wait_until([&] { return site_.searches("P") == 1 && harness_.ui().idle(); }));
  site_.release();
  ASSERT_TRUE(harness_.settle());
  EXPECT_TRUE(rows(EPISODE_LIST).empty());
  EXPECT_EQ(harness_.text(CHOSEN_TITLE), "P");
}

}  // namespace
}  // namespace morvessa
