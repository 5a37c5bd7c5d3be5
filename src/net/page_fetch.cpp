#include "net/page_fetch.h"

#include <algorithm>
#include <cctype>

#include "net/url_parts.h"
#include "text/byte_text.h"

namespace morvessa {
namespace {

constexpr std::string_view HTTP_PREFIX = "http://";

bool begins_with_http_prefix(std::string_view url) {
  if (url.size() < HTTP_PREFIX.size()) return false;
  return std::equal(HTTP_PREFIX.begin(), HTTP_PREFIX.end(), url.begin(), [](char prefix, char c) {
    return prefix == static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  });
}

}  // namespace

std::string page_address(std::string_view url) {
  std::string address{until_zero(url)};
  if (!begins_with_http_prefix(address)) address.insert(0, HTTP_PREFIX);
  return address;
}

std::string fetch_page_bytes(HttpTransport& transport, std::string_view url) {
  const std::optional<UrlParts> parts = split_url(page_address(url));
  if (!parts) return {};
  const std::unique_ptr<HttpSession> session = transport.open_session();
  if (!session) return {};

  TransportRequest request;  // a plain GET: no header lines, redirects followed, the default time-outs
  request.url = transport_url(*parts);
  const TransportResponse response = session->perform(request);
  return std::string(until_zero(response.body));
}

std::string download_bytes(HttpSession& session, std::string_view url) {
  const std::optional<UrlParts> parts = split_url(until_zero(url));
  if (!parts) return {};
  TransportRequest request;
  request.url = transport_url(*parts);
  TransportResponse response = session.perform(request);
  if (response.failure != TransportFailure::none) return {};
  return std::move(response.body);
}

}  // namespace morvessa
