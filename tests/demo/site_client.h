#pragma once
// Fetching the demo's pages over loopback, and the one demo site that the tests of a binary share.

#include <string>
#include <string_view>

#include "demo/demo_site.h"

namespace morvessa::demo_test {

struct Fetched {
  int status = 0;  // 0 when the request failed
  std::string body;
  std::string content_type;
};

// GET of an "http://host[:port]/path" address.
Fetched fetch(std::string_view url, std::string_view host_header = {});
// GET over https, trusting exactly the given PEM certificate and checking the host name.
Fetched fetch_tls(std::string_view host, std::string_view path, std::string_view certificate_pem);
// GET of a byte range, for the clip.
Fetched fetch_range(std::string_view url, std::size_t first, std::size_t last);

// Started before the first test of the binary and stopped after the last.
demo::DemoSite& shared_site();

}  // namespace morvessa::demo_test
