#include "net/curl/curl_transport.h"

#include <gtest/gtest.h>

#include <mutex>

#include "support/loopback_server.h"
#include "support/raw_server.h"

namespace morvessa {
namespace {

using namespace std::string_literals;

using test::AnsweringServer;

class CurlTransport : public testing::Test {
 protected:
  TransportResponse perform(const TransportRequest& request) {
    const std::unique_ptr<HttpSession> session = transport_->open_session();
    return session->perform(request);
  }
  static TransportRequest get(std::string url) {
    TransportRequest request;
    request.url = std::move(url);
    return request;
  }

  std::shared_ptr<HttpTransport> transport_ = make_curl_transport();
};

TEST_F(CurlTransport, SendsTheHeaderLinesInOrderAndNothingOfItsOwn) {
  AnsweringServer server("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
  TransportRequest request = get(server.url("/p?q=1"));
  request.method = "POST";
  request.body = "a=1&b=2";
  request.header_lines = {"Zeta: 1", "Accept: text/html", "alpha: 2", "Empty:"};
  const TransportResponse response = perform(request);
  EXPECT_EQ(response.failure, TransportFailure::none);
  EXPECT_EQ(response.body, "ok");
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0],
            "POST /p?q=1 HTTP/1.1\r\nHost: " + server.host() +
                "\r\nZeta: 1\r\nAccept: text/html\r\nalpha: 2\r\nEmpty:\r\nContent-Length: 7\r\n\r\na=1&b=2");
}

TEST_F(CurlTransport, VerbsAndBodies) {
  struct Case {
    std::string method;
    std::string body;
    std::string request_line;
    std::string length_line;
  };
  for (const Case& c : {Case{"GET", "", "GET / HTTP/1.1", ""}, Case{"HEAD", "", "HEAD / HTTP/1.1", ""},
                        Case{"PUT", "x", "PUT / HTTP/1.1", "Content-Length: 1\r\n"},
                        Case{"POST", "", "POST / HTTP/1.1", "Content-Length: 0\r\n"},
                        Case{"GET", "xy", "GET / HTTP/1.1", "Content-Length: 2\r\n"}}) {
    AnsweringServer server("HTTP/1.1 204 No Content\r\n\r\n");
    TransportRequest request = get(server.url("/"));
    request.method = c.method;
    request.body = c.body;
    EXPECT_EQ(perform(request).failure, TransportFailure::none) << c.method;
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0],
              c.request_line + "\r\nHost: " + server.host() + "\r\n" + c.length_line + "\r\n" + c.body);
  }
}

TEST_F(CurlTransport, HeaderBlockIsTheFinalResponsesWithCrLfLines) {
  test::LoopbackServer server;
  server.server().Get("/from", [](const httplib::Request&, httplib::Response& response) {
    response.set_header("X-First", "1");
    response.set_redirect("/to");
  });
  server.server().Get("/to", [](const httplib::Request&, httplib::Response& response) {
    response.set_header("X-Final", "2");
    response.set_content("body", "text/plain");
  });
  server.start();
  const TransportResponse followed = perform(get(server.url("/from")));
  EXPECT_TRUE(followed.header_block.starts_with("HTTP/1.1 200 OK\r\n"));
  EXPECT_NE(followed.header_block.find("\r\nX-Final: 2\r\n"), std::string::npos);
  EXPECT_EQ(followed.header_block.find("X-First"), std::string::npos);
  EXPECT_TRUE(followed.header_block.ends_with("\r\n\r\n"));

  TransportRequest not_followed = get(server.url("/from"));
  not_followed.follow_redirects = false;
  const TransportResponse redirect = perform(not_followed);
  EXPECT_TRUE(redirect.header_block.starts_with("HTTP/1.1 302 Found\r\n"));
  EXPECT_NE(redirect.header_block.find("\r\nLocation: /to\r\n"), std::string::npos);
}

TEST_F(CurlTransport, BareLineFeedsComeBackAsCrLf) {
  AnsweringServer server("HTTP/1.1 200 OK\nX-A: 1\nContent-Length: 1\n\nz");
  const TransportResponse response = perform(get(server.url("/")));
  EXPECT_EQ(response.header_block, "HTTP/1.1 200 OK\r\nX-A: 1\r\nContent-Length: 1\r\n\r\n");
  EXPECT_EQ(response.body, "z");
}

TEST_F(CurlTransport, BodyIsCappedKeepingWhatArrived) {
  test::LoopbackServer server;
  server.server().Get("/big",
                      test::LoopbackServer::chunked({std::string(3000, 'a'), std::string(3000, 'b')}));
  server.start();
  TransportRequest request = get(server.url("/big"));
  request.max_body_bytes = 4000;
  const TransportResponse response = perform(request);
  EXPECT_EQ(response.failure, TransportFailure::none);
  EXPECT_TRUE(response.body_capped);
  EXPECT_EQ(response.body, std::string(3000, 'a') + std::string(1000, 'b'));
}

TEST_F(CurlTransport, FailuresByPhase) {
  test::LoopbackServer server;
  server.server().Get("/silent", server.never_answer());
  server.server().Get("/cut", test::LoopbackServer::cut_off("part", 50));
  server.server().Get("/stall", server.stall_after("part", 50));
  server.start();
  test::RefusingPort refusing;

  TransportRequest refused = get("http://127.0.0.1:" + std::to_string(refusing.port()) + "/");
  EXPECT_EQ(perform(refused).failure, TransportFailure::send);

  TransportRequest silent = get(server.url("/silent"));
  silent.timeout_ms = 1000;
  const TransportResponse no_answer = perform(silent);
  EXPECT_EQ(no_answer.failure, TransportFailure::no_response);
  EXPECT_EQ(no_answer.header_block, "");

  const TransportResponse cut = perform(get(server.url("/cut")));
  EXPECT_EQ(cut.failure, TransportFailure::read);
  EXPECT_EQ(cut.body, "part");
  EXPECT_TRUE(cut.header_block.starts_with("HTTP/1.1 200 OK\r\n"));

  TransportRequest stall = get(server.url("/stall"));
  stall.timeout_ms = 1000;
  const TransportResponse stalled = perform(stall);
  EXPECT_EQ(stalled.failure, TransportFailure::read);
  EXPECT_EQ(stalled.body, "part");

  EXPECT_EQ(perform(get("ftp://127.0.0.1/")).failure, TransportFailure::bad_url);
}

TEST_F(CurlTransport, ProxyFromTheEnvironmentIsNotUsed) {
  AnsweringServer server("HTTP/1.1 200 OK\r\nContent-Length: 6\r\n\r\ndirect");
  test::RefusingPort refusing;
  const std::string proxy = "http://127.0.0.1:" + std::to_string(refusing.port());
  setenv("http_proxy", proxy.c_str(), 1);
  const TransportResponse response = perform(get(server.url("/")));
  unsetenv("http_proxy");
  EXPECT_EQ(response.body, "direct");
}

TEST_F(CurlTransport, NamedProxyReceivesTheRequestWithItsCredentials) {
  AnsweringServer proxy("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nproxy");
  TransportRequest request = get("http://example.invalid/page");
  request.proxy = proxy.host();
  request.proxy_user = "pu";
  request.proxy_password = "pp";
  request.server_user = "su";
  request.server_password = "sp";
  const TransportResponse response = perform(request);
  EXPECT_EQ(response.body, "proxy");
  ASSERT_EQ(proxy.requests().size(), 1u);
  const std::string seen = proxy.requests()[0];
  EXPECT_TRUE(seen.starts_with("GET http://example.invalid/page HTTP/1.1\r\n")) << seen;
  EXPECT_NE(seen.find("Proxy-Authorization: Basic cHU6cHA=\r\n"), std::string::npos) << seen;
  EXPECT_NE(seen.find("Authorization: Basic c3U6c3A=\r\n"), std::string::npos) << seen;
}

}  // namespace
}  // namespace morvessa
