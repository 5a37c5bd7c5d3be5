#include "net/http_request.h"

#include <gtest/gtest.h>

#include <thread>

#include "net/codepage.h"
#include "net/curl/curl_transport.h"
#include "net/http_failure.h"
#include "net/http_request_steps.h"
#include "support/loopback_server.h"
#include "support/raw_server.h"
#include "support/recording_transport.h"

namespace morvessa {
namespace {

using namespace std::string_literals;
using test::AnsweringServer;

const std::string UA_LINE =
    "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n";
const std::string ACCEPT_LINE = "Accept: text/html, application/xhtml+xml, */*\r\n";
const std::string ENCODING_LINE = "Accept-Encoding: gbk, GB2312\r\n";
const std::string LANGUAGE_LINE = "Accept-Language: zh-cn\r\n";
const std::string FORM_LINE = "Content-Type: application/x-www-form-urlencoded\r\n";
const std::string CACHE_LINE = "Cache-Control: no-cache\r\n";
const std::string DEFAULT_LINES =
    UA_LINE + ACCEPT_LINE + ENCODING_LINE + LANGUAGE_LINE + FORM_LINE + CACHE_LINE;

const std::string ZHONGWEN_UTF8 = "\xE4\xB8\xAD\xE6\x96\x87";
const std::string ZHONGWEN_GBK = "\xD6\xD0\xCE\xC4";

struct HeaderTextCase {
  const char* name;
  std::string extra;
  std::optional<std::string> cookies;
  std::string text;
};

class RequestHeaderText : public testing::TestWithParam<HeaderTextCase> {};

TEST_P(RequestHeaderText, CallerLinesThenTheMissingDefaults) {
  EXPECT_EQ(build_request_header_text(GetParam().extra, GetParam().cookies), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RequestHeaderText,
    testing::Values(
        HeaderTextCase{"no_caller_lines", "", std::nullopt, DEFAULT_LINES},
        HeaderTextCase{
            "user_agent_in_small_letters_replaces_the_default", "user-agent: me", std::nullopt,
            "user-agent: me\r\n" + ACCEPT_LINE + ENCODING_LINE + LANGUAGE_LINE + FORM_LINE + CACHE_LINE},
        HeaderTextCase{"accept", "Accept: */*", std::nullopt,
                       "Accept: */*\r\n" + UA_LINE + ENCODING_LINE + LANGUAGE_LINE + FORM_LINE + CACHE_LINE},
        HeaderTextCase{"check_text_anywhere_in_a_line", "X-Accept: 1", std::nullopt,
                       "X-Accept: 1\r\n" + UA_LINE + ENCODING_LINE + LANGUAGE_LINE + FORM_LINE + CACHE_LINE},
        HeaderTextCase{
            "accept_encoding", "ACCEPT-ENCODING: identity", std::nullopt,
            "ACCEPT-ENCODING: identity\r\n" + UA_LINE + ACCEPT_LINE + LANGUAGE_LINE + FORM_LINE + CACHE_LINE},
        HeaderTextCase{
            "accept_language", "Accept-Language: en", std::nullopt,
            "Accept-Language: en\r\n" + UA_LINE + ACCEPT_LINE + ENCODING_LINE + FORM_LINE + CACHE_LINE},
        HeaderTextCase{"content_type_in_small_letters_keeps_the_default", "content-type: text/plain",
                       std::nullopt, "content-type: text/plain\r\n" + DEFAULT_LINES},
        HeaderTextCase{
            "content_type_exact_without_blank", "Content-Type:text/xml", std::nullopt,
            "Content-Type:text/xml\r\n" + UA_LINE + ACCEPT_LINE + ENCODING_LINE + LANGUAGE_LINE + CACHE_LINE},
        HeaderTextCase{"cache_control", "cache-control: max-age=0", std::nullopt,
                       "cache-control: max-age=0\r\n" + UA_LINE + ACCEPT_LINE + ENCODING_LINE +
                           LANGUAGE_LINE + FORM_LINE},
        HeaderTextCase{"cookies_given", "", "a=1; b=2", DEFAULT_LINES + "Cookie: a=1; b=2\r\n"},
        HeaderTextCase{"cookies_given_empty", "", "", DEFAULT_LINES},
        HeaderTextCase{"caller_cookie_line_wins", "cookie: z=9", "a=1", "cookie: z=9\r\n" + DEFAULT_LINES},
        HeaderTextCase{"two_caller_lines", "A: 1\r\nB: 2", std::nullopt, "A: 1\r\nB: 2\r\n" + DEFAULT_LINES}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RequestHeaderLines, LaterLinesOfTheSameNameReplaceAndEmptyValuesRemove) {
  EXPECT_EQ(request_header_lines("A: 1\r\nb: 2\r\na: 3\r\nB:\r\nC: 4\r\n"),
            (std::vector<std::string>{"a: 3", "C: 4"}));
  EXPECT_EQ(request_header_lines(""), std::vector<std::string>{});
  EXPECT_EQ(request_header_lines("no colon here\r\n"), std::nullopt);
  EXPECT_EQ(request_header_lines(": value\r\n"), std::nullopt);
  EXPECT_EQ(request_header_lines("Bad Name: x\r\n"), std::nullopt);
  // A bare line feed ends the line, so it cannot smuggle a second header onto the wire inside a value.
  EXPECT_EQ(request_header_lines("A: 1\nInjected: 2\r\n"), (std::vector<std::string>{"A: 1", "Injected: 2"}));
}

TEST(RequestSteps, TimeoutsVerbsProxiesAndStatus) {
  EXPECT_EQ(phase_timeout_ms(0), 30000);
  EXPECT_EQ(phase_timeout_ms(-5), 30000);
  EXPECT_EQ(phase_timeout_ms(10), 10000);
  EXPECT_EQ(request_verb(0), "GET");
  EXPECT_EQ(request_verb(1), "POST");
  EXPECT_EQ(request_verb(2), "HEAD");
  EXPECT_EQ(request_verb(3), "PUT");
  EXPECT_EQ(request_verb(7), "GET");
  EXPECT_EQ(request_verb(-1), "GET");
  EXPECT_EQ(proxy_name("p:8080", false), "http=p:8080");
  EXPECT_EQ(proxy_name("p:8080", true), "p:8080");
  EXPECT_EQ(proxy_for_scheme("http=p:8080", false), "http://p:8080");
  EXPECT_EQ(proxy_for_scheme("p:8080", true), "http://p:8080");
  EXPECT_EQ(proxy_for_scheme("http=q:1", true), "");
  EXPECT_EQ(proxy_for_scheme("http=a:1;https=s:2", true), "http://s:2");
  EXPECT_EQ(status_from_header_block("HTTP/1.1 200 OK\r\nA: b\r\n\r\n"), "200 OK");
  EXPECT_EQ(status_from_header_block("HTTP/1.1 404 Not Found\r\n\r\n"), "404 Not Found");
  EXPECT_EQ(status_from_header_block("HTTP/1.1"), "");
}

class HttpRequest : public testing::Test {
 protected:
  std::string request(HttpRequestParams& params) { return http_request(*transport_, params); }
  static HttpRequestParams params_for(std::string url) {
    HttpRequestParams params;
    params.url = std::move(url);
    return params;
  }

  std::shared_ptr<HttpTransport> transport_ = make_curl_transport();
};

TEST_F(HttpRequest, DefaultRequestOnTheWire) {
  AnsweringServer server("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
  HttpRequestParams params = params_for(server.url(""));
  EXPECT_EQ(request(params), "ok");
  EXPECT_EQ(params.status_text, "200 OK");
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0],
            "GET / HTTP/1.1\r\nHost: " + server.host() + "\r\n" + DEFAULT_LINES + "\r\n");
}

TEST_F(HttpRequest, ObjectNameKeepsTheQueryAndDropsTheFragment) {
  AnsweringServer server("HTTP/1.1 204 No Content\r\n\r\n");
  HttpRequestParams bare_query = params_for("http://" + server.host() + "?kw=a b#top");
  request(bare_query);
  HttpRequestParams path = params_for(server.url("/d/1.html?x=1#part"));
  request(path);
  ASSERT_EQ(server.requests().size(), 2u);
  EXPECT_TRUE(server.requests()[0].starts_with("GET /?kw=a%20b HTTP/1.1\r\n")) << server.requests()[0];
  EXPECT_TRUE(server.requests()[1].starts_with("GET /d/1.html?x=1 HTTP/1.1\r\n")) << server.requests()[1];
}

TEST_F(HttpRequest, CallerLinesGoFirstAndSameNamedLinesAreReplaced) {
  AnsweringServer server("HTTP/1.1 204 No Content\r\n\r\n");
  HttpRequestParams params = params_for(server.url("/"));
  params.extra_headers = "X-Mine: 1\r\ncontent-type: text/plain\r\nuser-agent: tool";
  params.method = 1;
  params.post_text = "k=v";
  request(params);
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0], "POST / HTTP/1.1\r\nHost: " + server.host() +
                                      "\r\nX-Mine: 1\r\nContent-Type: application/x-www-form-urlencoded\r\n"
                                      "user-agent: tool\r\n" +
                                      ACCEPT_LINE + ENCODING_LINE + LANGUAGE_LINE + CACHE_LINE +
                                      "Content-Length: 3\r\n\r\nk=v");
}

TEST_F(HttpRequest, ContentCodingIsNeitherAskedForNorUndone) {
  const std::string coded = "\x1F\x8B\x08\x00 not really gzip";
  AnsweringServer server("HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nContent-Length: " +
                         std::to_string(coded.size()) + "\r\n\r\n" + coded);
  HttpRequestParams params = params_for(server.url("/"));
  request(params);
  EXPECT_EQ(params.response_bytes, coded);
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_NE(server.requests()[0].find("\r\nAccept-Encoding: gbk, GB2312\r\n"), std::string::npos);
}

TEST_F(HttpRequest, MethodsAndCredentials) {
  struct Case {
    int method;
    std::string request_line;
  };
  for (const Case& c : {Case{0, "GET / HTTP/1.1"}, Case{1, "POST / HTTP/1.1"}, Case{2, "HEAD / HTTP/1.1"},
                        Case{3, "PUT / HTTP/1.1"}, Case{7, "GET / HTTP/1.1"}}) {
    AnsweringServer server("HTTP/1.1 204 No Content\r\n\r\n");
    HttpRequestParams params = params_for(server.url("/"));
    params.method = c.method;
    params.server_user = "user";
    params.server_password = "pass";
    request(params);
    ASSERT_EQ(server.requests().size(), 1u);
    const std::string seen = server.requests()[0];
    EXPECT_TRUE(seen.starts_with(c.request_line + "\r\n")) << seen;
    EXPECT_NE(seen.find("\r\nAuthorization: Basic dXNlcjpwYXNz\r\n"), std::string::npos) << seen;
  }
  AnsweringServer server("HTTP/1.1 204 No Content\r\n\r\n");
  HttpRequestParams half = params_for(server.url("/"));
  half.server_user = "user";  // no password: no credentials
  request(half);
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0].find("Authorization"), std::string::npos);
}

TEST_F(HttpRequest, ProxyGetsTheRequestAndItsCredentials) {
  AnsweringServer proxy("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nproxy");
  HttpRequestParams params = params_for("http://catalogue.invalid/x");
  params.proxy_address = proxy.host();
  params.proxy_user = "pu";
  params.proxy_password = "pp";
  EXPECT_EQ(request(params), "proxy");
  ASSERT_EQ(proxy.requests().size(), 1u);
  const std::string seen = proxy.requests()[0];
  EXPECT_TRUE(seen.starts_with("GET http://catalogue.invalid/x HTTP/1.1\r\n")) << seen;
  EXPECT_NE(seen.find("Proxy-Authorization: Basic cHU6cHA=\r\n"), std::string::npos) << seen;
}

TEST_F(HttpRequest, AsksTheTransportForTheTimeoutAndTheCap) {
  AnsweringServer server("HTTP/1.1 204 No Content\r\n\r\n");
  test::RecordingTransport recording(transport_);
  for (int seconds : {0, -5, 10}) {
    HttpRequestParams params = params_for(server.url("/"));
    params.timeout_seconds = seconds;
    http_request(recording, params);
  }
  const std::vector<TransportRequest> requests = recording.requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].timeout_ms, 30000);
  EXPECT_EQ(requests[1].timeout_ms, 30000);
  EXPECT_EQ(requests[2].timeout_ms, 10000);
  EXPECT_EQ(requests[0].max_body_bytes, 64u * 1024u * 1024u);
  EXPECT_FALSE(requests[0].cookie_engine);
}

class HttpRequestOverLoopback : public HttpRequest {
 protected:
  void SetUp() override {
    auto page = [](std::string body) {
      return [body](const httplib::Request&, httplib::Response& response) {
        response.set_content(body, "text/html");
      };
    };
    auto& s = server_.server();
    s.Get("/utf8", page("<html><head><meta charset=utf-8></head>" + ZHONGWEN_UTF8 + "</html>"));
    s.Get("/gbk-capitals",
          page("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=GBK\">" + ZHONGWEN_GBK));
    s.Get("/gbk-small", page("<META CHARSET=\"gbk\">" + ZHONGWEN_GBK));
    s.Get("/none", page("<html>" + ZHONGWEN_UTF8 + "</html>"));
    s.Get("/late", page(std::string(1020, ' ') + "<meta charset=utf-8>" + ZHONGWEN_UTF8));
    s.Get("/split", page("<meta\ncharset=utf-8>" + ZHONGWEN_UTF8));
    s.Get("/unknown", page("<meta charset=x-no-such>" + ZHONGWEN_UTF8));
    s.Get("/zero", page("<meta charset=utf-8>ab\0cd"s));
    s.Get("/missing", [](const httplib::Request&, httplib::Response& response) {
      response.status = 404;
      response.set_content("gone", "text/html");
    });
    s.Get("/moved", [](const httplib::Request&, httplib::Response& response) {
      response.set_header("Set-Cookie", "m=1; Path=/");
      response.set_redirect("/target");
    });
    s.Get("/target", [](const httplib::Request& request, httplib::Response& response) {
      response.set_content("cookie=" + request.get_header_value("Cookie"), "text/plain");
    });
    s.Get("/cookies", [](const httplib::Request&, httplib::Response& response) {
      response.set_header("Set-Cookie", "a=1; path=/; HttpOnly");
      response.set_header("set-cookie", "b=2");
      response.set_content("x", "text/plain");
    });
    s.Get("/silent", server_.never_answer());
    s.Get("/slow", server_.answer_when_released("<html>late but in time</html>"));
    s.Get("/cut", test::LoopbackServer::cut_off("<html>partial", 100));
    server_.start();
  }

  test::LoopbackServer server_;
};

TEST_F(HttpRequestOverLoopback, DecodesFromTheDeclaredCharset) {
  struct Case {
    std::string path;
    std::string page_text_after_markup;
  };
  for (const Case& c :
       {Case{"/utf8", ZHONGWEN_GBK + "</html>"}, Case{"/gbk-capitals", ZHONGWEN_GBK},
        Case{"/gbk-small", ZHONGWEN_GBK}, Case{"/none", ZHONGWEN_UTF8 + "</html>"},
        Case{"/late", ZHONGWEN_UTF8}, Case{"/split", ZHONGWEN_UTF8}, Case{"/unknown", ZHONGWEN_UTF8}}) {
    const std::string page = http_request(*transport_, server_.url(c.path));
    EXPECT_TRUE(page.ends_with(c.page_text_after_markup)) << c.path << ": " << page;
  }
}

TEST_F(HttpRequestOverLoopback, BodyWithAZeroByte) {
  HttpRequestParams params = params_for(server_.url("/zero"));
  EXPECT_EQ(request(params), "<meta charset=utf-8>ab");
  EXPECT_EQ(params.response_bytes, "<meta charset=utf-8>ab\0cd"s);
}

TEST_F(HttpRequestOverLoopback, ErrorPagesAreReturnedWithTheirStatus) {
  HttpRequestParams params = params_for(server_.url("/missing"));
  EXPECT_EQ(request(params), "gone");
  EXPECT_EQ(params.status_text, "404 Not Found");
  EXPECT_TRUE(params.response_headers.starts_with("HTTP/1.1 404 Not Found\r\n"));
  EXPECT_TRUE(params.response_headers.ends_with("\r\n\r\n"));
}

TEST_F(HttpRequestOverLoopback, RedirectsWithAndWithoutNoRedirect) {
  HttpRequestParams stopped = params_for(server_.url("/moved"));
  stopped.no_redirect = true;
  request(stopped);
  EXPECT_EQ(stopped.status_text, "302 Found");
  EXPECT_EQ(stopped.redirect_location, "/target");
  EXPECT_EQ(stopped.response_cookies, "m=1");

  HttpRequestParams followed = params_for(server_.url("/moved"));
  followed.redirect_location = "kept";
  EXPECT_EQ(request(followed), "cookie=");
  EXPECT_EQ(followed.status_text, "200 OK");
  EXPECT_EQ(followed.redirect_location, "kept");  // the final response has no Location line

  // With cookies carried, a cookie set on the way through the redirect is sent on to its target.
  HttpRequestParams carried = params_for(server_.url("/moved"));
  carried.request_cookies = "";
  EXPECT_EQ(request(carried), "cookie=m=1");
}

TEST_F(HttpRequestOverLoopback, SetCookieLinesAndTheMerge) {
  HttpRequestParams params = params_for(server_.url("/cookies"));
  request(params);
  EXPECT_EQ(params.response_cookies, "a=1; b=2");
  EXPECT_NE(params.response_headers.find("\r\nSet-Cookie: b=2\r\n"), std::string::npos)
      << params.response_headers;
  EXPECT_FALSE(params.request_cookies.has_value());

  HttpRequestParams merging = params_for(server_.url("/cookies"));
  merging.request_cookies = "b=0; z=9";
  request(merging);
  EXPECT_EQ(*merging.request_cookies, "a=1; b=2; z=9");
  EXPECT_EQ(merging.response_cookies, "a=1;b=2");
}

TEST_F(HttpRequestOverLoopback, FailuresLeaveTheirNumberedText) {
  const std::string untouched = "as the caller left it";
  test::RefusingPort refusing;
  struct Case {
    std::string url;
    int timeout_seconds;
    HttpFailure failure;
  };
  for (const Case& c :
       {Case{"http://127.0.0.1:" + std::to_string(refusing.port()) + "/", 0, HttpFailure::send},
        Case{server_.url("/silent"), 1, HttpFailure::no_response},
        Case{"not an address", 0, HttpFailure::url}, Case{"ftp://127.0.0.1/", 0, HttpFailure::url},
        Case{"http://", 0, HttpFailure::url}, Case{"http://host:99999/", 0, HttpFailure::url}}) {
    HttpRequestParams params = params_for(c.url);
    params.timeout_seconds = c.timeout_seconds;
    params.response_headers = untouched;
    params.response_bytes = untouched;
    EXPECT_EQ(request(params), "") << c.url;
    EXPECT_EQ(params.status_text, http_failure_text(c.failure)) << c.url;
    EXPECT_EQ(params.response_headers, untouched);
    EXPECT_EQ(params.response_bytes, untouched);
  }
  EXPECT_EQ(http_failure_text(HttpFailure::send), gbk("711 发送请求失败!"));
  EXPECT_EQ(http_failure_text(HttpFailure::read), gbk("713 读取数据失败!"));
}

TEST_F(HttpRequestOverLoopback, SlowAnswerWithinTheTimeoutArrives) {
  std::string page;
  std::thread caller([&] {
    HttpRequestParams params = params_for(server_.url("/slow"));
    params.timeout_seconds = 20;
    page = request(params);
  });
  server_.wait_until_held(1);
  server_.release();
  caller.join();
  EXPECT_EQ(page, "<html>late but in time</html>");
}

TEST_F(HttpRequestOverLoopback, ConnectionCutMidBodyKeepsWhatArrived) {
  HttpRequestParams params = params_for(server_.url("/cut"));
  EXPECT_EQ(request(params), "<html>partial");
  // The failed read is noted, then the status line of the response takes its place.
  EXPECT_EQ(params.status_text, "200 OK");
  EXPECT_EQ(params.response_bytes, "<html>partial");
}

TEST_F(HttpRequestOverLoopback, BadHeaderLineIsRefusedBeforeSending) {
  HttpRequestParams params = params_for(server_.url("/utf8"));
  params.extra_headers = "this is no header";
  EXPECT_EQ(request(params), "");
  EXPECT_EQ(params.status_text, http_failure_text(HttpFailure::headers));
}

TEST_F(HttpRequestOverLoopback, ConcurrentCallsShareNothing) {
  std::vector<std::string> pages(6);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    threads.emplace_back(
        [&, i] { pages[i] = http_request(*transport_, server_.url(i % 2 ? "/utf8" : "/none")); });
  }
  for (std::thread& thread : threads) thread.join();
  for (std::size_t i = 0; i < pages.size(); ++i) {
    EXPECT_TRUE(pages[i].ends_with(i % 2 ? ZHONGWEN_GBK + "</html>" : ZHONGWEN_UTF8 + "</html>"));
  }
}

}  // namespace
}  // namespace morvessa
