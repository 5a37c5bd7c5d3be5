// The browser boxes on Qt WebEngine: document ready, the document access on small pages loaded in a real
// box, the player's full screen and pop-ups, and the clearing of the browser data.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <atomic>
#include <condition_variable>
#include <mutex>

#include "app/document_access.h"
#include "net/codepage.h"
#include "platform/qt/browser_box.h"
#include "platform/qt/webengine_browser_data.h"
#include "support/loopback_server.h"
#include "support/qt_fixture.h"

namespace morvessa::test {
namespace {

constexpr ControlRef SEARCH_BOX = main_control("超文本浏览框1");
constexpr ControlRef PLAYER = main_control("超文本浏览框2");

constexpr const char* DOCUMENT_PAGE = R"HTML(<!DOCTYPE html><html><head><meta charset="utf-8"></head><body>
<div class="b-mainpic" id="main"><a href="/detail/1.html">一</a><div class="inner">内层<a href="rel/2.html">二</a></div></div>
<div class="b-mainpic extra">second</div>
<div id="b-mainpic">by id</div>
<div title="标题">by title</div>
<div name="n1">named</div>
<a href="http://other.example/x">outside</a>
</body></html>)HTML";

constexpr const char* OTHER_PAGE =
    R"HTML(<!DOCTYPE html><html><body><div class="other">other</div><a href="/o">o</a></body></html>)HTML";

constexpr const char* PLAYER_PAGE = R"HTML(<!DOCTYPE html><html><head><style>
html, body { margin: 0; height: 100%; background: #101010; }
button { width: 100%; height: 100%; font-size: 40px; }
</style></head><body><button onclick="document.documentElement.requestFullscreen()">play</button></body></html>)HTML";

constexpr const char* POPUP_PAGE = R"HTML(<!DOCTYPE html><html><head><style>
html, body { margin: 0; height: 100%; }
button { width: 100%; height: 100%; }
</style></head><body><button onclick="window.open('/other', '_blank')">open</button></body></html>)HTML";

class BrowserTest : public QtToolkitTest {
 protected:
  void SetUp() override {
    site.server().Get("/doc", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(DOCUMENT_PAGE, "text/html; charset=utf-8");
    });
    site.server().Get("/other", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(OTHER_PAGE, "text/html");
    });
    site.server().Get("/player", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(PLAYER_PAGE, "text/html");
    });
    site.server().Get("/popup", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(POPUP_PAGE, "text/html");
    });
    site.server().Get("/held", [this](const httplib::Request&, httplib::Response& res) {
      std::unique_lock lock(held_mutex);
      held_cv.wait(lock, [this] { return release_held; });
      res.set_content(OTHER_PAGE, "text/html");
    });
    site.server().Get("/set-cookie", [](const httplib::Request&, httplib::Response& res) {
      res.set_header("Set-Cookie", "session=abc; Max-Age=3600; Path=/");
      res.set_content("<html><body>set</body></html>", "text/html");
    });
    site.server().Get("/echo", [this](const httplib::Request& req, httplib::Response& res) {
      std::lock_guard lock(held_mutex);
      cookie_headers.push_back(req.get_header_value("Cookie"));
      res.set_content("<html><body>echo</body></html>", "text/html");
    });
    site.server().Get("/cached", [this](const httplib::Request&, httplib::Response& res) {
      ++cached_hits;
      res.set_header("Cache-Control", "max-age=3600");
      res.set_content("<html><body>cached</body></html>", "text/html");
    });
    site.start();
    QtToolkitTest::SetUp();
  }

  void TearDown() override {
    {
      std::lock_guard lock(held_mutex);
      release_held = true;
    }
    held_cv.notify_all();
    QtToolkitTest::TearDown();
  }

  int ready(ControlRef box) { return sink->count(box, EventKind::document_ready); }

  // Navigates and waits for the document-ready event of that load.
  void load(ControlRef box, const std::string& path) {
    const int before = ready(box);
    toolkit->navigate(box, site.url(path));
    ASSERT_TRUE(wait_until([&] { return ready(box) > before; })) << path;
  }

  std::shared_ptr<DocumentAccess> document(ControlRef box) {
    return toolkit->document_from_handle(toolkit->native_handle(box));
  }

  // Clicks the middle of the page until it has done what the click is for: the first clicks may come
  // before the page is drawn.
  void click_until(BrowserBoxWidget& box, const std::function<bool()>& done) {
    ASSERT_TRUE(wait_until([&] { return box.focusProxy() != nullptr; }));
    ASSERT_TRUE(wait_until([&] {
      QTest::mouseClick(box.focusProxy(), Qt::LeftButton, {}, box.rect().center());
      return wait_until(done, 500);
    }));
  }

  BrowserBoxWidget& box_widget(ControlRef box) { return *qobject_cast<BrowserBoxWidget*>(&widget(box)); }

  LoopbackServer site;
  std::mutex held_mutex;
  std::condition_variable held_cv;
  bool release_held = false;
  std::vector<std::string> cookie_headers;
  std::atomic<int> cached_hits{0};
};

TEST_F(BrowserTest, DivsComeInDocumentOrderWithTheirFiveTexts) {
  load(SEARCH_BOX, "/doc");
  auto doc = document(SEARCH_BOX);
  ASSERT_TRUE(doc);
  std::vector<DivProperties> divs = doc->divs();
  ASSERT_EQ(divs.size(), 6u);
  EXPECT_EQ(divs[0].class_name, "b-mainpic");  // the outer DIV before the one inside it
  EXPECT_EQ(divs[0].id, "main");
  EXPECT_EQ(divs[1].class_name, "inner");
  EXPECT_EQ(divs[1].inner_text, gbk("内层二"));
  EXPECT_EQ(divs[2].class_name, "b-mainpic extra");
  EXPECT_EQ(divs[3].id, "b-mainpic");
  EXPECT_EQ(divs[4].title, gbk("标题"));
  EXPECT_EQ(divs[5].name, "n1");
  EXPECT_EQ(divs[5].inner_text, "named");
  EXPECT_EQ(doc->div_outer_html(99), "");
}

TEST_F(BrowserTest, WritingADivsOuterHtmlLeavesExactlyItsLinksAndRaisesNoDocumentReady) {
  load(SEARCH_BOX, "/doc");
  auto doc = document(SEARCH_BOX);
  ASSERT_TRUE(doc);
  const std::string outer = doc->div_outer_html(0);
  EXPECT_EQ(outer.rfind(R"(<div class="b-mainpic" id="main">)", 0), 0u) << outer;
  EXPECT_EQ(doc->link_hrefs().size(), 3u);
  doc->write_html(outer);
  const std::vector<std::string> expected = {site.url("/detail/1.html"), site.url("/rel/2.html")};
  EXPECT_EQ(doc->link_hrefs(), expected);
  EXPECT_EQ(doc->link_hrefs(), expected);  // reading twice reads the same
  EXPECT_EQ(doc->divs().size(), 2u);
  // A later navigation is the next document ready: the write raised none in between.
  load(SEARCH_BOX, "/other");
  EXPECT_EQ(ready(SEARCH_BOX), 2);
  EXPECT_EQ(document(SEARCH_BOX)->divs().at(0).class_name, "other");
}

TEST_F(BrowserTest, ALoadCutShortByALaterNavigationRaisesNothing) {
  toolkit->navigate(SEARCH_BOX, site.url("/held"));
  toolkit->navigate(SEARCH_BOX, site.url("/doc"));
  ASSERT_TRUE(wait_until([&] { return ready(SEARCH_BOX) == 1; }));
  EXPECT_EQ(document(SEARCH_BOX)->divs().size(), 6u);
  {
    std::lock_guard lock(held_mutex);
    release_held = true;
  }
  held_cv.notify_all();
  load(SEARCH_BOX, "/other");
  EXPECT_EQ(ready(SEARCH_BOX), 2);
  const auto raised = sink->of(SEARCH_BOX, EventKind::document_ready);
  ASSERT_TRUE(raised[0].source);
  EXPECT_EQ(raised[0].source->control, SEARCH_BOX);
}

TEST_F(BrowserTest, NoDocumentBeforeTheFirstLoadAndNoneForOtherHandles) {
  EXPECT_EQ(document(SEARCH_BOX), nullptr);
  EXPECT_EQ(toolkit->native_handle(ControlRef{WindowId::main, -1}), 0u);
  EXPECT_EQ(toolkit->document_from_handle(0), nullptr);
  EXPECT_EQ(toolkit->document_from_handle(toolkit->native_handle(main_control("图片框1"))), nullptr);
}

TEST_F(BrowserTest, AScriptThatDoesNotAnswerGivesEmptyResultsAfterTheTimeOut) {
  load(SEARCH_BOX, "/doc");
  auto doc = document(SEARCH_BOX);
  // Keeps the page's thread busy longer than the document access waits.
  box_widget(SEARCH_BOX)
      .loaded_page()
      ->runJavaScript("var until = Date.now() + 4000; while (Date.now() < until) {}");
  EXPECT_TRUE(doc->divs().empty());
  EXPECT_EQ(doc->div_outer_html(0), "");
}

TEST_F(BrowserTest, PopUpsOfThePlayerAreRefused) {
  toolkit->set_current_tab(1);
  load(PLAYER, "/popup");
  BrowserBoxWidget& player = box_widget(PLAYER);
  const auto windows_before = QApplication::topLevelWidgets().size();
  // Opened by a click, so that the page's own pop-up blocking does not stop it first.
  click_until(player, [&] { return player.loaded_page()->refused_popups() >= 1; });
  EXPECT_EQ(player.loaded_page()->refused_popups(), 1);
  EXPECT_EQ(QApplication::topLevelWidgets().size(), windows_before);
}

TEST_F(BrowserTest, ThePlayerGoesFullScreenAndEscLeavesItWithoutClosingTheProgram) {
  toolkit->set_current_tab(1);
  load(PLAYER, "/player");
  BrowserBoxWidget& player = box_widget(PLAYER);
  // A click is a user gesture: the page may ask for full screen.
  click_until(player, [&] { return player.full_screen(); });
  QWidget* full = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->isFullScreen()) full = w;
  ASSERT_NE(full, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(full));
  full->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(full));
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : full, Qt::Key_Escape);
  EXPECT_TRUE(wait_until([&] { return !player.full_screen(); }));
  EXPECT_FALSE(toolkit->main_destroyed());
  EXPECT_EQ(player.page(), player.loaded_page());  // the page is back in its box
}

// Once the profile is open, it deletes the cookies itself. (Its cache is cleared on disk at start-up,
// before it opens: see the next test.)
TEST_F(BrowserTest, ClearingTheCookiesOfAnOpenProfile) {
  auto data = make_webengine_browser_data(toolkit);
  load(SEARCH_BOX, "/set-cookie");
  load(SEARCH_BOX, "/echo");
  data->clear_cookies();
  load(SEARCH_BOX, "/echo");
  std::lock_guard lock(held_mutex);
  ASSERT_EQ(cookie_headers.size(), 2u);
  EXPECT_NE(cookie_headers[0].find("session=abc"), std::string::npos);
  EXPECT_EQ(cookie_headers[1], "");
}

TEST_F(BrowserTest, ClearingBeforeTheProfileIsOpenDeletesItsStoredCookiesAndCache) {
  load(SEARCH_BOX, "/set-cookie");
  load(SEARCH_BOX, "/cached");
  load(SEARCH_BOX, "/other");
  load(SEARCH_BOX, "/cached");
  ASSERT_EQ(cached_hits, 1) << "the second load came from the cache";
  // The next program run, which clears the data at start-up before any box is sent anywhere.
  toolkit->router().set_sink(nullptr);
  toolkit->shutdown();
  const std::filesystem::path folder = temp.path() / "profile";
  ASSERT_TRUE(std::filesystem::exists(folder / "storage" / "Cookies"));
  toolkit = QtToolkit::create(QtToolkitSettings{folder});
  sink = std::make_unique<RecordingSink>(*toolkit);
  toolkit->router().set_sink(sink.get());
  toolkit->create_main_window();
  auto data = make_webengine_browser_data(toolkit);
  data->clear_cache();
  data->clear_cookies();
  EXPECT_FALSE(std::filesystem::exists(folder / "storage" / "Cookies"));
  load(SEARCH_BOX, "/echo");
  load(SEARCH_BOX, "/cached");
  std::lock_guard lock(held_mutex);
  ASSERT_EQ(cookie_headers.size(), 1u);
  EXPECT_EQ(cookie_headers[0], "");
  EXPECT_EQ(cached_hits, 2);
}

}  // namespace
}  // namespace morvessa::test
