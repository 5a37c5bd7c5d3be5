#pragma once
// The steps of the request engine that decide what is sent, apart so that each can be checked on its own.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvessa {

// The time-out of each phase: the seconds given, or 30 seconds for 0 or less.
long phase_timeout_ms(int timeout_seconds);

// 0 GET, 1 POST, 2 HEAD, 3 PUT, anything else GET.
std::string request_verb(int method);

// The caller's lines, then each default line whose check text is not yet anywhere in the text, each line
// ended by CR LF.
std::string build_request_header_text(std::string_view extra_headers,
                                      const std::optional<std::string>& request_cookies);

// The lines of a header text as they go out, added one by one with replace semantics: a later line of the
// same name (in any case) takes the place of the earlier one, and a line with an empty value removes it.
// Nothing when a line is not of the form "Name: value".
std::optional<std::vector<std::string>> request_header_lines(std::string_view header_text);

// The proxy name as the engine forms it: the address itself for https, "http=" and the address otherwise.
std::string proxy_name(std::string_view proxy_address, bool secure);
// The proxy that a proxy name (entries "[scheme=]host[:port]" separated by ";" or blanks) gives for the
// scheme, as "http://host:port"; empty for none.
std::string proxy_for_scheme(std::string_view name, bool secure);

// The status code and reason phrase: from the 10th character of the header block to the first CR LF.
std::string status_from_header_block(std::string_view header_block);

}  // namespace morvessa
