// The demo's pages read through the markers that the program's scrapers use, over real loopback sockets.

#include <gtest/gtest.h>

#include <set>

#include "demo/catalogue.h"
#include "image_decoding.h"
#include "page_reading.h"
#include "site_client.h"

namespace morvessa::demo_test {
namespace {

using demo::Catalogue;
using demo::CATEGORIES;
using demo::Layout;
using demo::Title;

// List pages: a title in a span of class s1 ending its line, a poster address in an image tag ending its
// line.
const std::string TITLE_LEFT = std::string(18, ' ') + "<span class=\"s1\">";
const std::string TITLE_RIGHT = "</span>\r\n" + std::string(15, ' ');
const std::string IMAGE_LEFT = std::string(30, ' ') + "<img src=\"";
const std::string IMAGE_RIGHT = "\">\r\n" + std::string(21, ' ');

// Search pages.
const std::string RESULT_TITLE_LEFT = ".html\" class=\"g-playicon js-playicon\" title=\"";
const std::string RESULT_TITLE_RIGHT = "\" data-logger='ctype=detail'";
const std::string RESULT_PATH_RIGHT = ".html\" class=\"g-playicon js-playicon\"";
std::string result_path_left(const std::string& host) {
  return "    <a href=\"http://" + host + "/";
}

// Detail pages, in code page 936 like the page text the parsers get.
struct DetailMarkers {
  std::string episode_block_start = std::string(20, ' ') + "<div class=\"num-tab-main";
  std::string episode_block_end =
      gbk("<div data-block=\"tj-xiangguan\" class=\"shipin p-mod g-clear \" monitor-desc=\"相关视频\">");
  std::string episode_number_left = std::string(68, ' ') + "<a data-num=\"";
  std::string episode_number_right = "\" data-daochu=\"to=";
  std::string episode_address_left = "\" href=\"http://";
  std::string episode_address_right = "\">\r\n" + std::string(10, ' ');
  std::string issue_block_start =
      std::string(8, ' ') +
      "\t<ul class=\"list w-newfigure-list g-clear js-year-page\" style=\"display:block;\">";
  std::string issue_block_end =
      std::string(8, ' ') +
      gbk("<div class=\"juji-page\"><div monitor-desc='分页' id='js-ew-page' data-block='js-ew-page'  "
          "class='ew-page'></div></div>");
  std::string issue_title_left = "<li  title='";
  std::string issue_title_right = "' class='w-newfigure w-newfigure-180x153'>";
  std::string issue_address_left = "<a href='http://";
  std::string issue_address_right = "' data-daochu=to=";
  std::string source_block_start = gbk("<span class=\"txt\">站点排序：</span>");
  std::string source_block_end = std::string(8, ' ') + gbk("<span class=\"p-mod-label\">相关视频</span>");
  std::string source_address_left = "\" href=\"http://";
  std::string source_address_right = "\">";
};

struct ParsedDetail {
  std::vector<std::string> episode_numbers, episode_addresses;
  std::vector<std::string> issue_titles, issue_addresses;
  std::vector<std::string> source_addresses;
};

ParsedDetail parse_detail(const std::string& text) {
  static const DetailMarkers m;
  ParsedDetail parsed;
  const std::string episodes = first_between(text, m.episode_block_start, m.episode_block_end);
  parsed.episode_numbers = all_between(episodes, m.episode_number_left, m.episode_number_right);
  parsed.episode_addresses = all_between(episodes, m.episode_address_left, m.episode_address_right);
  const std::string issues = first_between(text, m.issue_block_start, m.issue_block_end);
  parsed.issue_titles = all_between(issues, m.issue_title_left, m.issue_title_right);
  parsed.issue_addresses = all_between(issues, m.issue_address_left, m.issue_address_right);
  const std::string sources = first_between(text, m.source_block_start, m.source_block_end);
  parsed.source_addresses = all_between(sources, m.source_address_left, m.source_address_right);
  return parsed;
}

std::string list_url(const std::string& host, std::string_view slug, std::string_view page) {
  return "http://" + host + "/" + std::string{slug} +
         "/list?rank=rankhot&cat=all&area=all&act=all&year=all&pageno=" + std::string{page};
}

std::string detail_url(const std::string& host, const Title& t) {
  return "http://" + host + "/" + t.path() + ".html";
}

std::string play_address(const std::string& host, const Title& t, std::string_view item) {
  return host + Catalogue::play_path(t, item);
}

std::string category_name(const testing::TestParamInfo<int>& info) {
  return std::string{CATEGORIES[static_cast<std::size_t>(info.param)].slug};
}

class DemoCategory : public testing::TestWithParam<int> {
 protected:
  demo::DemoSite& site = shared_site();
  const std::string host = site.host();
  const Catalogue& catalogue = site.catalogue();
  const int category = GetParam();
  const std::string_view slug = CATEGORIES[static_cast<std::size_t>(category)].slug;
};

TEST_P(DemoCategory, EveryListPageGivesThirtyTitlesAndPostersByTheMarkers) {
  for (int page = 1; page <= demo::LIST_PAGE_COUNT; ++page) {
    SCOPED_TRACE("page " + std::to_string(page));
    const Fetched fetched = fetch(list_url(host, slug, std::to_string(page)));
    ASSERT_EQ(fetched.status, 200);
    EXPECT_EQ(fetched.content_type, "text/html; charset=utf-8");
    const std::string text = gbk(fetched.body);  // list pages are always read as UTF-8
    const std::vector<std::string> titles = all_between(text, TITLE_LEFT, TITLE_RIGHT);
    const std::vector<std::string> images = all_between(text, IMAGE_LEFT, IMAGE_RIGHT);
    ASSERT_EQ(titles.size(), 30u);
    ASSERT_EQ(images.size(), 30u);
    const std::span<const Title> expected = catalogue.list_page(category, page);
    for (std::size_t i = 0; i < titles.size(); ++i) {
      EXPECT_EQ(utf8(titles[i]), expected[i].name);
      EXPECT_EQ(images[i], "http://" + host + expected[i].poster_path());
    }
  }
}

TEST_P(DemoCategory, PagesPastEitherEndHaveNoTitles) {
  for (std::string_view page : {"0", "25", "-1", "abc", "2147483648", ""}) {
    SCOPED_TRACE(std::string{"pageno="} + std::string{page});
    const Fetched fetched = fetch(list_url(host, slug, page));
    EXPECT_EQ(fetched.status, 404);
    EXPECT_NE(fetched.body.find("</html>"), std::string::npos);
    EXPECT_TRUE(all_between(gbk(fetched.body), TITLE_LEFT, TITLE_RIGHT).empty());
    EXPECT_TRUE(all_between(gbk(fetched.body), IMAGE_LEFT, IMAGE_RIGHT).empty());
  }
}

TEST_P(DemoCategory, PostersDecodeAtTheirSizeAndDifferFromEachOther) {
  std::set<std::string> seen;
  int jpegs = 0;
  int pngs = 0;
  for (int page : {1, demo::LIST_PAGE_COUNT}) {
    const std::string text = gbk(fetch(list_url(host, slug, std::to_string(page))).body);
    for (const std::string& address : all_between(text, IMAGE_LEFT, IMAGE_RIGHT)) {
      SCOPED_TRACE(address);
      const Fetched poster = fetch(address);
      ASSERT_EQ(poster.status, 200);
      DecodedImage image;
      if (address.ends_with(".jpg")) {
        ++jpegs;
        EXPECT_EQ(poster.content_type, "image/jpeg");
        ASSERT_TRUE(poster.body.starts_with("\xFF\xD8\xFF"));
        image = decode_jpeg(poster.body);
      } else {
        ++pngs;
        EXPECT_EQ(poster.content_type, "image/png");
        ASSERT_TRUE(poster.body.starts_with("\x89PNG\r\n\x1A\n"));
        image = decode_png(poster.body);
      }
      ASSERT_TRUE(image.ok) << image.error;
      EXPECT_EQ(image.width, 95);
      EXPECT_EQ(image.height, 128);
      EXPECT_TRUE(seen.insert(poster.body).second) << "the same poster twice";
    }
  }
  EXPECT_GT(jpegs, 0);
  EXPECT_GT(pngs, 0);
}

TEST_P(DemoCategory, PosterTitlesFindThemselvesByResultsAndMainPicture) {
  for (int page : {1, demo::LIST_PAGE_COUNT}) {
    const std::string list = gbk(fetch(list_url(host, slug, std::to_string(page))).body);
    const std::span<const Title> expected = catalogue.list_page(category, page);
    const std::vector<std::string> titles = all_between(list, TITLE_LEFT, TITLE_RIGHT);
    ASSERT_EQ(titles.size(), expected.size());
    for (std::size_t i = 0; i < titles.size(); ++i) {
      SCOPED_TRACE(expected[i].name);
      const Fetched found = fetch("http://" + host + "/index.php?kw=" + encode_keyword(titles[i]));
      ASSERT_EQ(found.status, 200);
      const std::string text = gbk(found.body);
      const std::vector<std::string> names = all_between(text, RESULT_TITLE_LEFT, RESULT_TITLE_RIGHT);
      const std::vector<std::string> paths = all_between(text, result_path_left(host), RESULT_PATH_RIGHT);
      ASSERT_FALSE(names.empty());
      ASSERT_EQ(names.size(), paths.size());
      EXPECT_EQ(names.front(), titles[i]);
      EXPECT_EQ(paths.front(), expected[i].path());
      for (const std::string& name : names) EXPECT_NE(name.find(titles[i]), std::string::npos);
      // The poster path takes the last link of the main-picture block.
      const std::vector<std::string> links = links_in_div(found.body, "b-mainpic");
      ASSERT_FALSE(links.empty());
      EXPECT_EQ(links.back(), detail_url(host, expected[i]));
    }
  }
}

TEST_P(DemoCategory, DetailPagesDeclareTheirCharsetAndGiveTheirRowsToTheRightParser) {
  const demo::Category& info = CATEGORIES[static_cast<std::size_t>(category)];
  std::vector<const Title*> sample;
  for (const Title& t : catalogue.list_page(category, 1)) sample.push_back(&t);
  sample.push_back(&catalogue.category_titles(category).back());
  for (const Title* t : sample) {
    SCOPED_TRACE(t->name);
    const Fetched fetched = fetch(detail_url(host, *t));
    ASSERT_EQ(fetched.status, 200);
    EXPECT_EQ(declared_charset(fetched.body), info.charset);
    EXPECT_EQ(fetched.content_type, "text/html; charset=" + std::string{info.charset});
    const std::string text = engine_text(fetched.body);
    ASSERT_FALSE(text.empty());
    const ParsedDetail parsed = parse_detail(text);
    const std::vector<std::string> items = Catalogue::play_items(*t);
    switch (info.layout) {
      case Layout::series: {
        ASSERT_EQ(parsed.episode_numbers.size(), static_cast<std::size_t>(t->episode_count));
        ASSERT_EQ(parsed.episode_addresses.size(), parsed.episode_numbers.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
          EXPECT_EQ(parsed.episode_numbers[i], std::to_string(i + 1));
          EXPECT_EQ(parsed.episode_addresses[i], play_address(host, *t, items[i]));
        }
        break;
      }
      case Layout::variety: {
        EXPECT_TRUE(parsed.episode_numbers.empty());
        ASSERT_EQ(parsed.issue_titles.size(), t->issues.size());
        ASSERT_EQ(parsed.issue_addresses.size(), t->issues.size());
        for (std::size_t i = 0; i < t->issues.size(); ++i) {
          EXPECT_EQ(parsed.issue_titles[i], gbk(t->issues[i].label));
          EXPECT_EQ(parsed.issue_addresses[i], play_address(host, *t, t->issues[i].date));
        }
        break;
      }
      case Layout::film: {
        EXPECT_TRUE(parsed.episode_numbers.empty());
        EXPECT_TRUE(parsed.issue_titles.empty());
        ASSERT_GE(parsed.source_addresses.size(), 2u);
        ASSERT_EQ(parsed.source_addresses.size(), t->sources.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
          EXPECT_EQ(parsed.source_addresses[i], play_address(host, *t, items[i]));
        }
        break;
      }
    }
  }
}

TEST_P(DemoCategory, EveryPlayableAddressOfADetailPageAnswers) {
  const Title& t = catalogue.category_titles(category)[7];
  for (const std::string& item : Catalogue::play_items(t)) {
    const Fetched fetched = fetch("http://" + play_address(host, t, item));
    EXPECT_EQ(fetched.status, 200) << item;
    EXPECT_NE(fetched.body.find(t.name), std::string::npos) << item;
  }
}

INSTANTIATE_TEST_SUITE_P(Categories, DemoCategory, testing::Range(0, static_cast<int>(CATEGORIES.size())),
                         category_name);

TEST(DemoSearch, EveryTitleIsItsOwnBestMatch) {
  const Catalogue& catalogue = shared_site().catalogue();
  for (const Title& t : catalogue.titles()) {
    const Catalogue::SearchResult found = catalogue.search(t.name, 20);
    ASSERT_FALSE(found.titles.empty()) << t.name;
    EXPECT_EQ(found.titles.front(), &t) << t.name;
    EXPECT_FALSE(found.similar_only);
  }
}

TEST(DemoSearch, APartOfATitleListsTitlesContainingIt) {
  const std::string host = shared_site().host();
  const Catalogue& catalogue = shared_site().catalogue();
  const std::string part = catalogue.titles()[0].name.substr(0, 6);  // two characters
  std::size_t containing = 0;
  for (const Title& t : catalogue.titles()) containing += t.name.find(part) != std::string::npos;
  const std::string text = gbk(fetch("http://" + host + "/index.php?kw=" + encode_keyword(gbk(part))).body);
  const std::vector<std::string> names = all_between(text, RESULT_TITLE_LEFT, RESULT_TITLE_RIGHT);
  EXPECT_EQ(names.size(), std::min<std::size_t>(containing, 20));
  for (const std::string& name : names) EXPECT_NE(utf8(name).find(part), std::string::npos) << utf8(name);
}

TEST(DemoSearch, AKeywordNoTitleContainsListsTitlesSharingItsCharacters) {
  const Catalogue& catalogue = shared_site().catalogue();
  // 月湖人家 backwards: its four characters, in an order no title has.
  const Catalogue::SearchResult found = catalogue.search("家人湖月", 20);
  ASSERT_TRUE(found.similar_only);
  ASSERT_FALSE(found.titles.empty());
  for (std::string_view c : {"家", "人", "湖", "月"})
    EXPECT_NE(found.titles.front()->name.find(c), std::string::npos);
}

TEST(DemoSearch, KeywordsWithoutAMatchGiveNoResultAndNoMainPicture) {
  const std::string host = shared_site().host();
  struct Case {
    std::string_view name;
    std::string_view encoded;
  };
  const Case cases[] = {
      {"empty", ""},
      {"blanks", "%20%20"},
      {"latin letters", "%7A%7A%7A"},
      {"malformed UTF-8", "%FF%FE%C3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Fetched fetched = fetch("http://" + host + "/index.php?kw=" + std::string{c.encoded});
    ASSERT_EQ(fetched.status, 200);
    EXPECT_TRUE(all_between(fetched.body, RESULT_TITLE_LEFT, RESULT_TITLE_RIGHT).empty());
    EXPECT_TRUE(links_in_div(fetched.body, "b-mainpic").empty());
    EXPECT_EQ(fetched.body.find("b-mainpic"), std::string::npos);
    EXPECT_TRUE(is_valid_utf8(fetched.body));
  }
}

TEST(DemoSearch, TheKeywordIsShownEscaped) {
  const Fetched fetched =
      fetch("http://" + shared_site().host() + "/index.php?kw=%3Cscript%3Ex%3C%2Fscript%3E");
  ASSERT_EQ(fetched.status, 200);
  EXPECT_EQ(fetched.body.find("<script>"), std::string::npos);
  EXPECT_NE(fetched.body.find("&lt;script&gt;"), std::string::npos);
}

TEST(DemoPages, AddressesFollowTheHostTheClientUsedButOnlyAPlainOne) {
  demo::DemoSite& site = shared_site();
  const std::string url = list_url(site.host(), "dianshi", "1");
  const std::string port = std::to_string(site.port());
  std::vector<std::string> images =
      all_between(gbk(fetch(url, "localhost:" + port).body), IMAGE_LEFT, IMAGE_RIGHT);
  ASSERT_EQ(images.size(), 30u);
  EXPECT_TRUE(images.front().starts_with("http://localhost:" + port + "/poster/"));
  const Fetched hostile = fetch(url, "x\"><script>alert(1)</script>");
  EXPECT_EQ(hostile.body.find("<script>"), std::string::npos);
  images = all_between(gbk(hostile.body), IMAGE_LEFT, IMAGE_RIGHT);
  ASSERT_EQ(images.size(), 30u);
  EXPECT_TRUE(images.front().starts_with("http://" + site.host() + "/poster/"));
}

TEST(DemoPages, UnknownPagesAreNotFound) {
  const std::string host = shared_site().host();
  for (std::string_view path : {"/dianshi/zzzzzzzzzz.html", "/play/dianshi/zzzzzzzzzz/1",
                                "/poster/dianshi/zz.jpg", "/nothing", "/webcloud/?v=x"}) {
    const Fetched fetched = fetch("http://" + host + std::string{path});
    EXPECT_EQ(fetched.status, 404) << path;
  }
  // A poster asked for in the other format, and an episode past the last.
  const Title& first = shared_site().catalogue().titles()[0];
  std::string other = first.poster_path();
  other.replace(other.size() - 3, 3, other.ends_with("jpg") ? "png" : "jpg");
  EXPECT_EQ(fetch("http://" + host + other).status, 404);
  EXPECT_EQ(fetch("http://" + play_address(host, first, std::to_string(first.episode_count + 1))).status,
            404);
}

TEST(DemoPages, TheRootPageListsWhatTheSiteServes) {
  demo::DemoSite& site = shared_site();
  const Fetched fetched = fetch("http://" + site.host() + "/");
  ASSERT_EQ(fetched.status, 200);
  for (const demo::Category& c : CATEGORIES) {
    EXPECT_NE(fetched.body.find("/" + std::string{c.slug} + "/list?"), std::string::npos) << c.slug;
  }
  for (int line = 0; line < 5; ++line)
    EXPECT_NE(fetched.body.find(site.line_prefix(line)), std::string::npos);
  EXPECT_NE(fetched.body.find("/media/demo-clip.webm"), std::string::npos);
  EXPECT_EQ(fetch("http://" + site.host() + "/static/demo.css").content_type, "text/css; charset=utf-8");
}

}  // namespace
}  // namespace morvessa::demo_test
