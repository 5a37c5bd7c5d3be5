#pragma once
// Resolving a link's address against the address of its page, as a browser reports a link's href.

#include <string>
#include <string_view>

namespace morvessa {

// The absolute address (UTF-8, with non-ASCII bytes and blanks percent-encoded). A reference that can't be
// resolved (a relative one against a base that is no hierarchical address) comes back as written.
std::string resolve_url(std::string_view base, std::string_view reference);

}  // namespace morvessa
