#include <cctype>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "net/codepage.h"
#include "net/http_transport.h"
#include "platform/headless/html_document.h"
#include "platform/headless/page_charset.h"
#include "platform/headless/program_hosts.h"
#include "platform/headless/url_resolve.h"

namespace morvessa {
namespace {

// Browsers give up after this many redirects in a row.
constexpr int MAX_REDIRECTS = 20;
constexpr std::string_view BROWSER_HEADERS[] = {
    "User-Agent: Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/102.0 "
    "Safari/537.36",
    "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8",
    "Accept-Language: zh-CN,zh;q=0.9",
};
// What a browser box shows when the page can't be had: a document without content.
constexpr std::string_view ERROR_PAGE = "<html><head></head><body></body></html>";

struct HttpHead {
  int status = 0;
  std::string location;
  std::string content_type;
};

bool starts_with_ignoring_case(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (std::size_t k = 0; k < prefix.size(); ++k)
    if (std::tolower(static_cast<unsigned char>(s[k])) != std::tolower(static_cast<unsigned char>(prefix[k])))
      return false;
  return true;
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// The status and the headers a browser acts on, from the last response of the header block.
HttpHead read_head(std::string_view block) {
  HttpHead head;
  std::size_t start = 0;
  while (start < block.size()) {
    std::size_t end = block.find('\n', start);
    std::string_view line = block.substr(start, end == std::string_view::npos ? end : end - start);
    start = end == std::string_view::npos ? block.size() : end + 1;
    line = trimmed(line);
    if (starts_with_ignoring_case(line, "HTTP/")) {
      head = {};
      std::size_t blank = line.find(' ');
      if (blank != std::string_view::npos)
        head.status = std::atoi(std::string(line.substr(blank + 1, 3)).c_str());
    } else if (starts_with_ignoring_case(line, "Location:")) {
      head.location = std::string(trimmed(line.substr(9)));
    } else if (starts_with_ignoring_case(line, "Content-Type:")) {
      head.content_type = std::string(trimmed(line.substr(13)));
    }
  }
  return head;
}

bool is_redirect(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool is_web_address(std::string_view url) {
  return starts_with_ignoring_case(url, "http://") || starts_with_ignoring_case(url, "https://");
}

class HtmlPageLoader final : public PageLoader {
 public:
  explicit HtmlPageLoader(std::shared_ptr<HttpTransport> transport) : transport_(std::move(transport)) {}

  std::shared_ptr<DocumentAccess> load(const std::string& address) override {
    // The logic hands code page 936 text; a browser sends non-ASCII bytes of an address as UTF-8 escapes.
    std::string url = to_utf8(address);
    if (!is_web_address(url)) url = "http://" + url;
    if (std::string normal = resolve_url(url, ""); !normal.empty()) url = normal;
    std::optional<std::string> page = fetch(url);
    return std::make_shared<HtmlDocument>(page ? *page : std::string(ERROR_PAGE), url);
  }

 private:
  // The page's text in UTF-8, following redirects; url becomes the address of the page that answered.
  std::optional<std::string> fetch(std::string& url) {
    if (!transport_) return std::nullopt;
    std::unique_ptr<HttpSession> session = transport_->open_session();
    if (!session) return std::nullopt;
    for (int hop = 0; hop <= MAX_REDIRECTS; ++hop) {
      TransportRequest request;
      request.url = url;
      request.follow_redirects = false;
      for (std::string_view line : BROWSER_HEADERS) request.header_lines.emplace_back(line);
      TransportResponse response = session->perform(request);
      if (response.failure != TransportFailure::none) return std::nullopt;
      HttpHead head = read_head(response.header_block);
      if (is_redirect(head.status) && !head.location.empty()) {
        std::string next = resolve_url(url, head.location);
        if (!is_web_address(next)) return std::nullopt;
        url = next;
        continue;
      }
      return decode_page_as_browser(response.body, head.content_type);
    }
    return std::nullopt;
  }

  std::shared_ptr<HttpTransport> transport_;
};

}  // namespace

std::shared_ptr<PageLoader> make_headless_page_loader(std::shared_ptr<HttpTransport> transport) {
  return std::make_shared<HtmlPageLoader>(std::move(transport));
}

}  // namespace morvessa
