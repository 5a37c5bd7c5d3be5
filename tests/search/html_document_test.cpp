#include "platform/headless/html_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "net/codepage.h"
#include "platform/headless/html_inner_text.h"
#include "platform/headless/html_serialise.h"
#include "platform/headless/page_charset.h"
#include "platform/headless/url_resolve.h"

namespace morvessa {
namespace {

constexpr char PAGE_ADDRESS[] = "http://site.test/dir/page.html?kw=1";

std::string page(const std::string& body) {
  return "<!DOCTYPE html><html><head><title>t</title></head><body>" + body + "</body></html>";
}

struct TextCase {
  std::string body;  // the first DIV of the body is read
  std::string inner_text;
};

class InnerText : public testing::TestWithParam<TextCase> {};

TEST_P(InnerText, ReadsAsABrowserRendersIt) {
  HtmlDocument doc(page(GetParam().body), PAGE_ADDRESS);
  std::vector<DivProperties> divs = doc.divs();
  ASSERT_FALSE(divs.empty());
  EXPECT_EQ(to_utf8(divs[0].inner_text), GetParam().inner_text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InnerText,
    testing::Values(TextCase{"<div>b-mainpic</div>", "b-mainpic"},
                    TextCase{"<div>\n   b-mainpic \r\n</div>", "b-mainpic"},
                    TextCase{"<div> <span>b-</span><b>mainpic</b> </div>", "b-mainpic"},
                    TextCase{"<div>a  \t b</div>", "a b"}, TextCase{"<div>a<div>b</div>c</div>", "a\nb\nc"},
                    TextCase{"<div><p>x</p><p>y</p></div>", "x\n\ny"}, TextCase{"<div>a<br>b</div>", "a\nb"},
                    TextCase{"<div>a<script>var s = 1;</script><style>p{}</style>b</div>", "ab"},
                    TextCase{"<div><pre>a  b\nc</pre></div>", "a  b\nc"},
                    TextCase{"<div>a&nbsp;b &amp; c</div>", "a b & c"},
                    TextCase{"<div><table><tr><td>a</td> <td>b</td></tr><tr><td>c</td></tr></table></div>",
                             "a\tb\nc"},
                    TextCase{"<div>电视剧</div>", "电视剧"}, TextCase{"<div>  </div>", ""},
                    TextCase{"<div><ul><li>one</li><li>two</li></ul></div>", "one\ntwo"}));

TEST(HtmlDocument, ReadsTheFivePropertiesOfEveryBodyDivInDocumentOrder) {
  HtmlDocument doc(page(R"(<div class="a b" id="x" name="n" title="标题">t<div id="inner">u</div></div>)"
                        R"(<template><div id="not-in-the-document"></div></template><div></div>)"),
                   PAGE_ADDRESS);
  std::vector<DivProperties> divs = doc.divs();
  ASSERT_EQ(divs.size(), 3u);
  EXPECT_EQ(divs[0].class_name, "a b");
  EXPECT_EQ(divs[0].id, "x");
  EXPECT_EQ(divs[0].name, "n");
  EXPECT_EQ(divs[0].title, gbk("标题"));
  EXPECT_EQ(divs[0].inner_text, "t\nu");
  EXPECT_EQ(divs[1].id, "inner");
  EXPECT_EQ(divs[2].class_name, "");
}

struct OuterCase {
  std::string body;
  std::string outer_html;
};

class OuterHtml : public testing::TestWithParam<OuterCase> {};

TEST_P(OuterHtml, SerialisesTheParsedTree) {
  HtmlDocument doc(page(GetParam().body), PAGE_ADDRESS);
  EXPECT_EQ(to_utf8(doc.div_outer_html(0)), GetParam().outer_html);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OuterHtml,
    testing::Values(
        OuterCase{R"(<DIV Class='b-mainpic'><a href=/x.html>x</a></DIV>)",
                  R"(<div class="b-mainpic"><a href="/x.html">x</a></div>)"},
        OuterCase{R"(<div title='say "hi" &amp; go'>1 &lt; 2 &gt; 0 &amp;&nbsp;</div>)",
                  R"(<div title="say &quot;hi&quot; &amp; go">1 &lt; 2 &gt; 0 &amp;&nbsp;</div>)"},
        OuterCase{R"(<div><img src="p.jpg"><br><input value=1></div>)",
                  R"(<div><img src="p.jpg"><br><input value="1"></div>)"},
        OuterCase{R"(<div><script>if (a < b && c) {}</script><!-- note --></div>)",
                  R"(<div><script>if (a < b && c) {}</script><!-- note --></div>)"},
        OuterCase{R"(<div><p>one<p>two</div>)", R"(<div><p>one</p><p>two</p></div>)"},
        OuterCase{
            R"(<div><svg viewBox="0 0 1 1"><foreignObject></foreignObject></svg><my-tag>x</my-tag></div>)",
            R"(<div><svg viewBox="0 0 1 1"><foreignObject></foreignObject></svg><my-tag>x</my-tag></div>)"},
        OuterCase{R"(<div>中文</div>)", R"(<div>中文</div>)"}));

TEST(HtmlDocument, OuterHtmlOfAnIndexBeyondTheDivsIsEmpty) {
  HtmlDocument doc(page("<div></div>"), PAGE_ADDRESS);
  EXPECT_EQ(doc.div_outer_html(1), "");
}

struct ResolveCase {
  std::string base;
  std::string reference;
  std::string resolved;
};

class ResolveUrl : public testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveUrl, GivesTheAbsoluteAddress) {
  EXPECT_EQ(resolve_url(GetParam().base, GetParam().reference), GetParam().resolved);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResolveUrl,
    testing::Values(ResolveCase{"http://a.test/b/c.html?q", "d.html", "http://a.test/b/d.html"},
                    ResolveCase{"http://a.test/b/c.html", "/x/y", "http://a.test/x/y"},
                    ResolveCase{"http://a.test/b/c.html", "../x", "http://a.test/x"},
                    ResolveCase{"http://a.test/b/c/d", "./../../e/./f", "http://a.test/e/f"},
                    ResolveCase{"http://a.test/b/c.html", "//other.test/p", "http://other.test/p"},
                    ResolveCase{"http://a.test/b/c.html?q=1#f", "", "http://a.test/b/c.html?q=1"},
                    ResolveCase{"http://a.test/b/c.html?q=1", "?r=2", "http://a.test/b/c.html?r=2"},
                    ResolveCase{"http://a.test/b/c.html", "#top", "http://a.test/b/c.html#top"},
                    ResolveCase{"http://a.test/b/", "HTTP://Other.TEST:80/X", "http://other.test/X"},
                    ResolveCase{"http://a.test", "x", "http://a.test/x"},
                    ResolveCase{"http://a.test/", "https://b.test", "https://b.test/"},
                    ResolveCase{"http://a.test/b/c", "http:d", "http://a.test/b/d"},
                    ResolveCase{"http://a.test/b/c", " \\x\\y z\n ", "http://a.test/x/y%20z"},
                    ResolveCase{"http://a.test/", "中", "http://a.test/%E4%B8%AD"},
                    ResolveCase{"http://a.test/", "javascript:void(0)", "javascript:void(0)"},
                    ResolveCase{"", "relative.html", "relative.html"}));

TEST(HtmlDocument, LinksResolveAgainstThePageOrItsBase) {
  HtmlDocument doc(page(R"(<a href="d.html">1</a><a href="http://x.test/e">2</a><a>no address</a>)"
                        R"(<a href="">self</a><svg><a href="svg-link"></a></svg>)"),
                   PAGE_ADDRESS);
  EXPECT_EQ(doc.link_hrefs(), (std::vector<std::string>{"http://site.test/dir/d.html", "http://x.test/e", "",
                                                        "http://site.test/dir/page.html?kw=1"}));

  HtmlDocument based("<html><head><base href=\"/root/\"></head><body><a href=\"f\">f</a></body></html>",
                     PAGE_ADDRESS);
  EXPECT_EQ(based.link_hrefs(), std::vector<std::string>{"http://site.test/root/f"});
}

TEST(HtmlDocument, WriteReplacesTheWholeDocumentAndKeepsItsAddress) {
  HtmlDocument doc(page(R"(<div id="one"><a href="a">a</a></div><div id="two"></div>)"), PAGE_ADDRESS);
  doc.write_html(gbk(R"(<div id="三"><a href="b">b</a></div>)"));
  std::vector<DivProperties> divs = doc.divs();
  ASSERT_EQ(divs.size(), 1u);
  EXPECT_EQ(divs[0].id, gbk("三"));
  EXPECT_EQ(doc.link_hrefs(), std::vector<std::string>{"http://site.test/dir/b"});
  doc.write_html("");
  EXPECT_TRUE(doc.divs().empty());
  EXPECT_TRUE(doc.link_hrefs().empty());
}

// A page nested far deeper than any browser nests must not exhaust the stack, in parsing, reading or
// serialising; nesting stops at the browsers' depth, as it does there.
TEST(HtmlDocument, DeepNestingIsFlattenedAtTheBrowsersDepth) {
  constexpr int DEPTH = 3000;
  std::string body;
  for (int i = 0; i < DEPTH; ++i) body += "<div>x";
  HtmlDocument doc(page(body), PAGE_ADDRESS);
  std::vector<DivProperties> divs = doc.divs();
  ASSERT_EQ(divs.size(), static_cast<std::size_t>(DEPTH));
  EXPECT_EQ(std::count(divs[0].inner_text.begin(), divs[0].inner_text.end(), 'x'), DEPTH);
  std::string outer = doc.div_outer_html(0);
  EXPECT_EQ(outer.substr(0, 11), "<div>x<div>");
  HtmlTree reparsed = parse_html(outer);
  std::size_t deepest = 0;
  for (std::size_t i = 0; i < reparsed.nodes.size(); ++i) {
    std::size_t depth = 0;
    for (std::size_t p = i; p != 0; p = reparsed.nodes[p].parent) ++depth;
    deepest = std::max(deepest, depth);
  }
  EXPECT_LE(deepest, MAX_TREE_DEPTH);
  doc.write_html(outer);
  EXPECT_EQ(doc.divs().size(), static_cast<std::size_t>(DEPTH));
}

struct CharsetCase {
  std::string content_type;
  std::string head;
  std::string charset;  // what the page is read as; empty: UTF-8
};

class Charset : public testing::TestWithParam<CharsetCase> {};

TEST_P(Charset, ComesFromTheHeaderElseTheMetaTag) {
  std::string found = charset_of_content_type(GetParam().content_type);
  if (found.empty()) found = charset_of_meta(GetParam().head);
  EXPECT_EQ(found, GetParam().charset);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Charset,
    testing::Values(CharsetCase{"text/html; charset=GBK", "<meta charset=utf-8>", "gbk"},
                    CharsetCase{"text/html",
                                "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=gb2312\">",
                                "gb2312"},
                    CharsetCase{"", "<head><meta charset = 'Big5'>", "big5"},
                    CharsetCase{"", "<meta name=x content=y><meta charset=\"utf-8\">", "utf-8"},
                    CharsetCase{"", std::string(1100, ' ') + "<meta charset=gbk>", ""},
                    CharsetCase{"", "<p>charset=gbk</p>", ""}));

TEST(DecodePage, ReadsEachDeclaredCharsetIntoUtf8) {
  std::string chinese = "中文";
  EXPECT_EQ(decode_page_as_browser("<meta charset=gbk>" + gbk(chinese), ""), "<meta charset=gbk>" + chinese);
  EXPECT_EQ(decode_page_as_browser(gbk(chinese), "text/html; charset=gb2312"), chinese);
  EXPECT_EQ(decode_page_as_browser(chinese, ""), chinese);
  EXPECT_EQ(decode_page_as_browser("\xEF\xBB\xBF" + chinese, "text/html; charset=gbk"), chinese);
  EXPECT_EQ(decode_page_as_browser("<meta charset=big5>\xA4\xA4", ""), "<meta charset=big5>中");
  EXPECT_EQ(decode_page_as_browser("<meta charset=no-such-set>" + chinese, ""),
            "<meta charset=no-such-set>" + chinese);
}

}  // namespace
}  // namespace morvessa
