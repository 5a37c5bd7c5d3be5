#include "demo/html.h"

#include "demo/catalogue.h"

namespace morvessa::demo {
namespace {

constexpr std::string_view REPLACEMENT_CHARACTER = "\xEF\xBF\xBD";
constexpr std::string_view SITE_NAME = "Morvessa 演示影视";

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Length of the well-formed UTF-8 sequence at the start of text, or 0.
std::size_t utf8_sequence_length(std::string_view text) {
  const auto b0 = static_cast<unsigned char>(text[0]);
  if (b0 < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    if (b0 == 0xE0) low = 0xA0;
    if (b0 == 0xED) high = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    if (b0 == 0xF0) low = 0x90;
    if (b0 == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < (i == 1 ? low : 0x80) || b > (i == 1 ? high : 0xBF)) return 0;
  }
  return length;
}

}  // namespace

std::string escape_html(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string valid_utf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const std::size_t length = utf8_sequence_length(text);
    if (length == 0) {
      out += REPLACEMENT_CHARACTER;
      text.remove_prefix(1);
    } else {
      out += text.substr(0, length);
      text.remove_prefix(length);
    }
  }
  return out;
}

std::string percent_decode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hex_value(text[i + 1]) >= 0 && hex_value(text[i + 2]) >= 0) {
      out += static_cast<char>(hex_value(text[i + 1]) * 16 + hex_value(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string percent_encode(std::string_view text) {
  constexpr std::string_view HEX = "0123456789ABCDEF";
  std::string out;
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    const bool unreserved = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
                            b == '-' || b == '.' || b == '_' || b == '~';
    if (unreserved) {
      out += c;
    } else {
      out += '%';
      out += HEX[b >> 4];
      out += HEX[b & 0xF];
    }
  }
  return out;
}

HtmlWriter& HtmlWriter::line(std::string_view text) {
  text_ += text;
  text_ += CRLF;
  return *this;
}

HtmlWriter& HtmlWriter::line(int indent, std::string_view text) {
  text_.append(static_cast<std::size_t>(indent), ' ');
  return line(text);
}

HtmlWriter& HtmlWriter::raw(std::string_view text) {
  text_ += text;
  return *this;
}

void begin_page(HtmlWriter& out, const PageFrame& frame) {
  out.line("<!DOCTYPE html>");
  out.line("<html lang=\"zh-CN\">");
  out.line("<head>");
  if (frame.charset == "utf-8") {
    out.line("<meta charset=\"utf-8\">");
  } else {
    out.line(std::string{"<meta http-equiv=\"Content-Type\" content=\"text/html; charset="} +
             std::string{frame.charset} + "\">");
  }
  out.line("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">");
  out.line("<title>" + escape_html(frame.title) + " - " + std::string{SITE_NAME} + "</title>");
  out.line("<link rel=\"stylesheet\" href=\"" + std::string{STYLESHEET_PATH} + "\">");
  out.line("</head>");
  out.line(frame.body_class.empty() ? std::string{"<body>"}
                                    : "<body class=\"" + std::string{frame.body_class} + "\">");
  if (!frame.site_header) return;
  out.line("<header class=\"site-head\">");
  out.line(2, "<div class=\"site-head-inner\">");
  out.line(4, "<a class=\"site-logo\" href=\"/\">" + std::string{SITE_NAME} + "</a>");
  out.line(4, "<nav class=\"site-nav\">");
  for (const Category& c : CATEGORIES) {
    out.line(6, "<a class=\"site-nav-item\" href=\"/" + std::string{c.slug} +
                    "/list?rank=rankhot&amp;cat=all&amp;area=all&amp;act=all&amp;year=all&amp;pageno=1\">" +
                    std::string{c.name} + "</a>");
  }
  out.line(4, "</nav>");
  out.line(4, "<form class=\"site-search\" action=\"/index.php\" method=\"get\">");
  out.line(
      6, "<input class=\"site-search-box\" type=\"text\" name=\"kw\" placeholder=\"请输入完整的视频名称\">");
  out.line(6, "<button class=\"site-search-button\" type=\"submit\">搜索</button>");
  out.line(4, "</form>");
  out.line(2, "</div>");
  out.line("</header>");
}

void end_page(HtmlWriter& out, bool site_footer) {
  if (site_footer) {
    out.line("<footer class=\"site-foot\">");
    out.line(2, "<p>本站为 Morvessa 自带的演示站点：片名、简介、海报与视频均由程序生成，仅供演示。</p>");
    out.line("</footer>");
  }
  out.line("</body>");
  out.line("</html>");
}

}  // namespace morvessa::demo
