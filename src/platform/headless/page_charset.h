#pragma once
// Which character set a browser reads a page in, and the page's text decoded from it.

#include <string>
#include <string_view>

namespace morvessa {

// The charset named by a Content-Type value ("text/html; charset=gbk"), lower case; empty when none.
std::string charset_of_content_type(std::string_view content_type);
// The charset a meta tag declares within the first bytes of the page, lower case; empty when none.
std::string charset_of_meta(std::string_view page);

// The page's text in UTF-8: by its byte order mark, else the header's charset, else the meta tag's, else
// UTF-8. A charset that can't be decoded reads as UTF-8.
std::string decode_page_as_browser(std::string_view bytes, std::string_view content_type);

}  // namespace morvessa
