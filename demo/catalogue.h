#pragma once
// The demo catalogue: four categories of invented titles, made deterministically at start and read-only
// afterwards, so that the server's threads share it without locks.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace morvessa::demo {

// Which detail-page layout a category uses.
enum class Layout { series, variety, film };

struct Category {
  std::string_view slug;
  std::string_view name;  // UTF-8
  Layout layout;
  std::string_view charset;  // charset of its detail pages
};

inline constexpr std::array<Category, 4> CATEGORIES = {{
    {"dianshi", "电视剧", Layout::series, "utf-8"},
    {"dianying", "电影", Layout::film, "utf-8"},
    {"dongman", "动漫", Layout::series, "utf-8"},
    // GBK bytes declared as "gbk", so that a client decoding by the declared charset gets them unchanged.
    {"zongyi", "综艺", Layout::variety, "gbk"},
}};
inline constexpr int LIST_PAGE_COUNT = 24;
inline constexpr int TITLES_PER_PAGE = 30;
inline constexpr int TITLES_PER_CATEGORY = LIST_PAGE_COUNT * TITLES_PER_PAGE;

enum class PosterFormat { jpeg, png };

struct Issue {
  std::string date;   // "20231104"
  std::string label;  // "20231104期：全员挑战野外露营"
};

struct Title {
  int category = 0;  // index into CATEGORIES
  int rank = 0;      // 0-based place in its category's ranked list
  std::string code;  // letters and digits, unique within the catalogue
  std::string name;  // UTF-8, unique within the catalogue
  std::string initials;
  int year = 0;
  double score = 0;
  std::string area;
  std::vector<std::string> genres;
  std::string director;  // empty for variety shows
  std::vector<std::string> cast;
  std::string blurb;
  PosterFormat poster_format = PosterFormat::jpeg;
  int episode_count = 0;             // series
  std::vector<Issue> issues;         // variety, newest first
  std::vector<std::string> sources;  // film: names of the viewing sites

  const Category& category_info() const { return CATEGORIES[static_cast<std::size_t>(category)]; }
  // "dianshi/abc123": the detail page is "/" path ".html".
  std::string path() const;
  // "/poster/dianshi/abc123.jpg"
  std::string poster_path() const;
};

// What a playable address names: a title and one of its items.
struct PlayItem {
  const Title* title = nullptr;
  std::string item;   // episode number, issue date or "s" and the source number
  std::string label;  // how the item is shown: "第3集", the issue label, "观看来源2 · 青柠视频"
};

class Catalogue final {
 public:
  Catalogue();

  std::span<const Title> titles() const { return titles_; }
  std::span<const Title> category_titles(int category) const;
  // The titles of list page n (1-based) of a category; empty past either end.
  std::span<const Title> list_page(int category, int page) const;
  const Title* find(std::string_view slug, std::string_view code) const;

  // "/play/SLUG/CODE/ITEM", the path of a playable item on the catalogue site.
  static std::string play_path(const Title& title, std::string_view item);
  // The items of a title in page order (episode numbers, issue dates, source keys).
  static std::vector<std::string> play_items(const Title& title);
  // Resolves any address whose path is a play path or a detail path of this catalogue; the host is ignored.
  PlayItem resolve(std::string_view address) const;

  struct SearchResult {
    std::vector<const Title*> titles;
    bool similar_only = false;  // no title contains the keyword; these share most of its characters
  };
  // Titles matching a keyword (UTF-8, blanks around it ignored), best first: the exact title, then titles
  // beginning with the keyword, then titles containing it, or, when none contains it, the titles sharing
  // at least half of its characters.
  SearchResult search(std::string_view keyword, std::size_t limit) const;

 private:
  std::vector<Title> titles_;
};

int category_index(std::string_view slug);  // -1 when unknown

}  // namespace morvessa::demo
