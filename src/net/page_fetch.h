#pragma once
// The simple road to a page: a plain GET without headers of ours, the body whatever the status.

#include <string>
#include <string_view>

#include "net/http_transport.h"

namespace morvessa {

// The body up to its first zero byte; empty when nothing came back. "http://" is put in front of a URL whose
// first seven bytes are not "http://" in any case.
std::string fetch_page_bytes(HttpTransport& transport, std::string_view url);

// The address fetch_page_bytes asks for: the URL, with "http://" put in front unless it begins so.
std::string page_address(std::string_view url);

// Every body byte of a GET over the given session (its connection is reused); empty when the request fails.
std::string download_bytes(HttpSession& session, std::string_view url);

}  // namespace morvessa
