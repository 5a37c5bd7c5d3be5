#include "net/page_fetch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

#include "net/curl/curl_transport.h"
#include "support/loopback_server.h"
#include "support/raw_server.h"
#include "support/recording_transport.h"

namespace morvessa {
namespace {

using namespace std::string_literals;

struct AddressCase {
  std::string url;
  std::string address;
};

class PageAddress : public testing::TestWithParam<AddressCase> {};

TEST_P(PageAddress, PutsThePrefixInFrontUnlessTheFirstSevenBytesAreIt) {
  EXPECT_EQ(page_address(GetParam().url), GetParam().address);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageAddress,
    testing::Values(AddressCase{"http://a/b", "http://a/b"}, AddressCase{"HTTP://a/b", "HTTP://a/b"},
                    AddressCase{"hTtP://a", "hTtP://a"}, AddressCase{"www.site/list", "http://www.site/list"},
                    AddressCase{"http:/", "http://http:/"}, AddressCase{"a", "http://a"},
                    AddressCase{"", "http://"}, AddressCase{"https://a/", "http://https://a/"}));

class PageFetch : public testing::Test {
 protected:
  std::shared_ptr<HttpTransport> transport_ = make_curl_transport();
};

TEST_F(PageFetch, SendsAPlainGetWithoutHeadersOfOurs) {
  std::mutex mutex;
  std::string seen;
  test::RawServer server([&](test::RawConnection& connection) {
    const std::string request = connection.read_request();
    {
      std::lock_guard lock(mutex);
      seen = request;
    }
    connection.send("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\npage");
  });
  const std::string host = "127.0.0.1:" + std::to_string(server.port());
  EXPECT_EQ(fetch_page_bytes(*transport_, host + "/list?pageno=2"), "page");
  std::lock_guard lock(mutex);
  EXPECT_EQ(seen, "GET /list?pageno=2 HTTP/1.1\r\nHost: " + host + "\r\n\r\n");
}

TEST_F(PageFetch, BodyIsCutAtItsFirstZeroByteWhateverTheStatus) {
  test::LoopbackServer server;
  server.server().Get("/zero", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("before\0after"s, "text/html");
  });
  server.server().Get("/missing", [](const httplib::Request&, httplib::Response& response) {
    response.status = 404;
    response.set_content("not here", "text/html");
  });
  server.server().Get("/empty", [](const httplib::Request&, httplib::Response&) {});
  server.start();
  EXPECT_EQ(fetch_page_bytes(*transport_, server.url("/zero")), "before");
  EXPECT_EQ(fetch_page_bytes(*transport_, server.url("/missing")), "not here");
  EXPECT_EQ(fetch_page_bytes(*transport_, server.url("/empty")), "");
}

TEST_F(PageFetch, FollowsRedirectsAndReadsChunkedBodies) {
  test::LoopbackServer server;
  server.server().Get(
      "/old", [](const httplib::Request&, httplib::Response& response) { response.set_redirect("/new"); });
  server.server().Get("/new", test::LoopbackServer::chunked({"<html>", "\xE4\xB8\xAD", "</html>"}));
  server.start();
  EXPECT_EQ(fetch_page_bytes(*transport_, server.url("/old")), "<html>\xE4\xB8\xAD</html>");
}

TEST_F(PageFetch, FailuresGiveTheBodyThatArrivedOrNothing) {
  test::LoopbackServer server;
  server.server().Get("/cut", test::LoopbackServer::cut_off("first half", 100));
  server.start();
  test::RefusingPort refusing;
  EXPECT_EQ(fetch_page_bytes(*transport_, server.url("/cut")), "first half");
  EXPECT_EQ(fetch_page_bytes(*transport_, "127.0.0.1:" + std::to_string(refusing.port()) + "/"), "");
  EXPECT_EQ(fetch_page_bytes(*transport_, "http://bad host/"), "");
}

TEST_F(PageFetch, AsksForThirtySecondsPerPhaseAndCapsTheBody) {
  test::LoopbackServer server;
  server.server().Get("/", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("x", "text/plain");
  });
  server.start();
  test::RecordingTransport recording(transport_);
  fetch_page_bytes(recording, server.url("/"));
  ASSERT_EQ(recording.requests().size(), 1u);
  const TransportRequest request = recording.requests().front();
  EXPECT_EQ(request.timeout_ms, 30000);
  EXPECT_EQ(request.max_body_bytes, 64u * 1024u * 1024u);
  EXPECT_TRUE(request.header_lines.empty());
  EXPECT_TRUE(request.follow_redirects);
}

TEST_F(PageFetch, DownloadsReuseTheSessionConnectionAndKeepEveryByte) {
  std::atomic<int> connections = 0;
  const std::string image = "\x89PNG\0\0\x01"s;
  test::RawServer server([&](test::RawConnection& connection) {
    ++connections;
    while (!connection.read_request().empty()) {
      connection.send("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(image.size()) + "\r\n\r\n" +
                      image);
    }
  });
  const std::unique_ptr<HttpSession> session = transport_->open_session();
  EXPECT_EQ(download_bytes(*session, server.url("/a.jpg")), image);
  EXPECT_EQ(download_bytes(*session, server.url("/b.jpg")), image);
  EXPECT_EQ(connections.load(), 1);
}

TEST_F(PageFetch, FailedDownloadGivesNoBytes) {
  test::LoopbackServer server;
  server.server().Get("/cut.jpg", test::LoopbackServer::cut_off("\xFF\xD8 partial", 1000));
  server.start();
  const std::unique_ptr<HttpSession> session = transport_->open_session();
  EXPECT_EQ(download_bytes(*session, server.url("/cut.jpg")), "");
  EXPECT_EQ(download_bytes(*session, "/relative.jpg"), "");
}

}  // namespace
}  // namespace morvessa
