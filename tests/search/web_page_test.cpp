#include "search/web_page.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <optional>

#include "app/layout.h"
#include "net/codepage.h"
#include "platform/headless/html_document.h"
#include "platform/headless/record_toolkit.h"

namespace morvessa {
namespace {

constexpr ControlRef BROWSER_BOX = main_control("超文本浏览框1");
constexpr ControlRef LIST_VIEW = main_control("超级列表框1");
constexpr char ADDRESS[] = "http://site.test/dir/page.html";

// Serves fixed pages to the browser box, parsed as the headless toolkit parses any page.
class FixedPages final : public PageLoader {
 public:
  std::shared_ptr<DocumentAccess> load(const std::string& address) override {
    auto page = pages.find(address);
    return std::make_shared<HtmlDocument>(page == pages.end() ? "" : page->second, address);
  }
  std::map<std::string, std::string> pages;
};

class WebPageTest : public testing::Test {
 protected:
  void SetUp() override {
    ui_->create_main_window();
    ui_->set_page_loader(pages_);
  }

  // Loads the page into the browser box and delivers its document-ready event.
  void show(const std::string& body, const std::string& address = ADDRESS) {
    pages_->pages[address] = "<html><body>" + body + "</body></html>";
    ui_->navigate(BROWSER_BOX, address);
    ASSERT_TRUE(workers_->wait_idle(std::chrono::seconds(30)));
    ui_->run_pending();
  }

  NativeHandle box() { return ui_->native_handle(BROWSER_BOX); }

  std::shared_ptr<Workers> workers_ = Workers::create();
  std::shared_ptr<RecordToolkit> ui_ = RecordToolkit::create(workers_);
  std::shared_ptr<FixedPages> pages_ = std::make_shared<FixedPages>();
  WebPage page_{*ui_};
};

struct FindCase {
  std::string body;
  std::optional<std::size_t> found;  // position among the page's DIVs
};

class FindDiv : public WebPageTest, public testing::WithParamInterface<FindCase> {};

TEST_P(FindDiv, MatchesAnyOfTheFivePropertiesExactly) {
  show(GetParam().body);
  ASSERT_TRUE(page_.attach_window(box()));
  EXPECT_EQ(page_.find_div("b-mainpic"), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindDiv,
    testing::Values(
        FindCase{R"(<div class="b-mainpic"></div>)", 0},
        FindCase{R"(<div class="b-mainpic other"></div>)", std::nullopt},
        FindCase{R"(<div class="b-mainpic other" title="b-mainpic"></div>)", 0},
        FindCase{R"(<div class="B-MAINPIC"></div>)", std::nullopt},
        FindCase{R"(<div id="b-mainpic"></div>)", 0}, FindCase{R"(<div title="b-mainpic"></div>)", 0},
        FindCase{R"(<div name="b-mainpic"></div>)", 0}, FindCase{R"(<div>  b-mainpic </div>)", 0},
        FindCase{R"(<div>b-mainpic <span>more</span></div>)", std::nullopt},
        FindCase{R"(<p class="b-mainpic"></p><section id="b-mainpic"></section>)", std::nullopt},
        FindCase{R"(<div id="a"></div><div class="b-mainpic"></div><div id="b-mainpic"></div>)", 1},
        FindCase{R"(<div id="a"><div class="b-mainpic"><div id="b-mainpic"></div></div></div>)", 1}));

TEST_F(WebPageTest, FirstAndOuterMatchingDivGiveTheirOuterHtml) {
  show(R"(<div class="b-mainpic" id="outer"><div class="b-mainpic" id="inner">x</div></div>)"
       R"(<div class="b-mainpic" id="later"></div>)");
  page_.attach_window(box());
  EXPECT_EQ(page_.div_outer_html("b-mainpic"),
            R"(<div class="b-mainpic" id="outer"><div class="b-mainpic" id="inner">x</div></div>)");
  EXPECT_EQ(page_.div_outer_html("missing"), "");
}

TEST_F(WebPageTest, KeysCompareAsCodePage936Bytes) {
  show(R"(<div title="主图">x</div>)");
  page_.attach_window(box());
  EXPECT_EQ(page_.find_div(gbk("主图")), std::optional<std::size_t>(0));
}

TEST_F(WebPageTest, CollectingTwiceAppendsEveryLinkTwice) {
  show(R"(<a href="/a">a</a><div><a href="b">b</a></div>)");
  page_.attach_window(box());
  std::vector<std::string> urls{"kept"};
  EXPECT_EQ(page_.collect_links(urls), 2);
  EXPECT_EQ(page_.collect_links(urls), 2);
  EXPECT_EQ(urls, (std::vector<std::string>{"kept", "http://site.test/a", "http://site.test/dir/b",
                                            "http://site.test/a", "http://site.test/dir/b"}));
}

TEST_F(WebPageTest, WritingTheBlockBackLeavesExactlyItsLinks) {
  show(R"(<a href="/before">0</a><div class="b-mainpic"><a href="/one">1</a><p><a href="two">2</a></p></div>)"
       R"(<a href="/after">3</a>)");
  page_.attach_window(box());
  page_.write_html(page_.div_outer_html("b-mainpic"));
  std::vector<std::string> urls;
  EXPECT_EQ(page_.collect_links(urls), 2);
  EXPECT_EQ(urls, (std::vector<std::string>{"http://site.test/one", "http://site.test/dir/two"}));
  // Writing raises no new document-ready event: nothing waits on the window's queue.
  EXPECT_FALSE(ui_->run_pending());
}

TEST_F(WebPageTest, OnlyABrowserBoxWithADocumentAttaches) {
  EXPECT_FALSE(page_.attach_window(0));
  EXPECT_FALSE(page_.attach_window(box()));  // nothing loaded yet
  EXPECT_FALSE(page_.attach_window(ui_->native_handle(LIST_VIEW)));
  EXPECT_EQ(page_.find_browser_window(ui_->native_handle(LIST_VIEW)), 0u);

  show(R"(<div id="first"></div>)");
  EXPECT_EQ(page_.find_browser_window(box()), box());
  EXPECT_TRUE(page_.attach_window(box()));
  EXPECT_EQ(page_.window(), box());
  // A handle without a document takes none, and the one held stays.
  EXPECT_TRUE(page_.attach_window(ui_->native_handle(LIST_VIEW)));
  EXPECT_EQ(page_.find_div("first"), std::optional<std::size_t>(0));

  show(R"(<div></div><div id="second"></div>)", "http://site.test/other");
  EXPECT_TRUE(page_.attach_window(box()));
  EXPECT_EQ(page_.find_div("second"), std::optional<std::size_t>(1));
}

TEST_F(WebPageTest, WithoutADocumentEveryResultIsEmpty) {
  std::vector<std::string> urls{"kept"};
  page_.write_html("<div id=x></div>");
  EXPECT_EQ(page_.find_div("x"), std::nullopt);
  EXPECT_EQ(page_.div_outer_html("x"), "");
  EXPECT_EQ(page_.collect_links(urls), 0);
  EXPECT_EQ(urls, std::vector<std::string>{"kept"});
}

}  // namespace
}  // namespace morvessa
