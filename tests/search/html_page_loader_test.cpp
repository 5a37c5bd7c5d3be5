// The headless browser box's loads: a GET as a browser makes it, over real sockets.

#include <gtest/gtest.h>

#include <mutex>

#include "app/document_access.h"
#include "net/codepage.h"
#include "net/curl/curl_transport.h"
#include "platform/headless/program_hosts.h"
#include "support/loopback_server.h"

namespace morvessa {
namespace {

class PageLoad : public testing::Test {
 protected:
  void SetUp() override {
    httplib::Server& s = server_.server();
    s.Get("/moved",
          [](const httplib::Request&, httplib::Response& r) { r.set_redirect("/final/page.html", 302); });
    s.Get("/moved-twice",
          [](const httplib::Request&, httplib::Response& r) { r.set_redirect("/moved", 301); });
    s.Get("/loop", [](const httplib::Request&, httplib::Response& r) { r.set_redirect("/loop", 302); });
    s.Get("/final/page.html", [this](const httplib::Request& request, httplib::Response& r) {
      {
        std::lock_guard lock(mutex_);
        accept_ = request.get_header_value("Accept");
      }
      r.set_content(R"(<div id="final"><a href="x.html">x</a></div>)", "text/html");
    });
    s.Get("/gbk-meta", [](const httplib::Request&, httplib::Response& r) {
      r.set_content(
          "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\"></head>"
          "<body><div class=\"" +
              gbk("电视剧") + "\"></div></body></html>",
          "text/html");
    });
    s.Get("/gbk-header", [](const httplib::Request&, httplib::Response& r) {
      r.set_content("<div title=\"" + gbk("电影") + "\"></div>", "text/html; charset=GBK");
    });
    s.Get("/utf8", [](const httplib::Request&, httplib::Response& r) {
      r.set_content("<div title=\"动漫\"></div>", "text/html");
    });
    s.Get("/missing", [](const httplib::Request&, httplib::Response& r) {
      r.status = 404;
      r.set_content("<div id=\"not-found\"></div>", "text/html");
    });
    server_.start();
  }

  std::shared_ptr<DocumentAccess> load(const std::string& path) { return loader_->load(server_.url(path)); }

  test::LoopbackServer server_;
  std::shared_ptr<PageLoader> loader_ = make_headless_page_loader(make_curl_transport());
  std::mutex mutex_;
  std::string accept_;
};

TEST_F(PageLoad, FollowsRedirectsAndResolvesLinksAgainstThePageThatAnswered) {
  auto doc = load("/moved-twice");
  ASSERT_TRUE(doc);
  ASSERT_EQ(doc->divs().size(), 1u);
  EXPECT_EQ(doc->divs()[0].id, "final");
  EXPECT_EQ(doc->link_hrefs(), std::vector<std::string>{server_.url("/final/x.html")});
  std::lock_guard lock(mutex_);
  EXPECT_NE(accept_.find("text/html"), std::string::npos);
}

TEST_F(PageLoad, DecodesByTheDeclaredCharsetElseUtf8) {
  EXPECT_EQ(load("/gbk-meta")->divs().at(0).class_name, gbk("电视剧"));
  EXPECT_EQ(load("/gbk-header")->divs().at(0).title, gbk("电影"));
  EXPECT_EQ(load("/utf8")->divs().at(0).title, gbk("动漫"));
}

TEST_F(PageLoad, AnErrorPageIsADocumentLikeAnyOther) {
  EXPECT_EQ(load("/missing")->divs().at(0).id, "not-found");
}

// What can't be loaded still gives a document, an empty one, as a browser shows its own error page: the
// document of an earlier page is never taken for it.
TEST_F(PageLoad, WhatCantBeLoadedGivesAnEmptyDocument) {
  for (const std::string& address : {server_.url("/loop"), std::string("http://127.0.0.1:1/refused"),
                                     std::string("ftp://nowhere.test/"), std::string()}) {
    auto doc = loader_->load(address);
    ASSERT_TRUE(doc) << address;
    EXPECT_TRUE(doc->divs().empty()) << address;
    EXPECT_TRUE(doc->link_hrefs().empty()) << address;
  }
}

}  // namespace
}  // namespace morvessa
