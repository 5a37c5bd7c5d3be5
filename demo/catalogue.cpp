#include "demo/catalogue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <set>
#include <tuple>

#include "demo/catalogue_words.h"
#include "demo/seeded_random.h"

namespace morvessa::demo {
namespace {

constexpr std::uint64_t CATALOGUE_SEED = 0x4D6F727665737361ULL;
constexpr int CODE_LENGTH = 10;
constexpr std::string_view CODE_LETTERS = "abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view CODE_CHARACTERS = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::string_view PLAY_PATH_PREFIX = "/play/";
constexpr std::string_view DETAIL_SUFFIX = ".html";
constexpr std::string_view SOURCE_ITEM_PREFIX = "s";
constexpr int FIRST_YEAR = 2006;
constexpr int LAST_YEAR = 2024;
constexpr int SEQUEL_ONE_IN = 12;

std::string_view pick(SeededRandom& random, TextList items) {
  return random.pick(items);
}

std::string person_name(SeededRandom& random) {
  std::string name{pick(random, surnames())};
  int given = random.below(3) == 0 ? 1 : 2;
  for (int i = 0; i < given; ++i) name += pick(random, given_name_characters());
  return name;
}

std::vector<std::string> distinct_picks(SeededRandom& random, TextList items, int count) {
  std::vector<std::string> picked;
  while (static_cast<int>(picked.size()) < count && picked.size() < items.size()) {
    std::string item{pick(random, items)};
    if (std::find(picked.begin(), picked.end(), item) == picked.end()) picked.push_back(std::move(item));
  }
  return picked;
}

// Days since 1970-01-01 for a civil date, and back (H. Hinnant's algorithms).
int days_from_civil(int y, int m, int d) {
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

std::string civil_from_days(int z) {
  z += 719468;
  const int era = (z >= 0 ? z : z - 146096) / 146097;
  const int doe = z - era * 146097;
  const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int mp = (5 * doy + 2) / 153;
  const int d = doy - (153 * mp + 2) / 5 + 1;
  const int m = mp + (mp < 10 ? 3 : -9);
  const int y = yoe + era * 400 + (m <= 2);
  char text[40];
  std::snprintf(text, sizeof text, "%04d%02d%02d", y, m, d);
  return text;
}

std::vector<Issue> make_issues(SeededRandom& random, int year) {
  const int count = random.between(6, 16);
  // Weekly, on the same weekday, from a day in the first quarter of the year.
  const int first = days_from_civil(year, random.between(1, 3), random.between(1, 28));
  std::vector<Issue> issues;
  for (int i = count - 1; i >= 0; --i) {
    Issue issue;
    issue.date = civil_from_days(first + 7 * i);
    issue.label = issue.date + "期：";
    issue.label += pick(random, issue_guests());
    issue.label += pick(random, issue_activities());
    issues.push_back(std::move(issue));
  }
  return issues;
}

std::string make_code(SeededRandom& random) {
  std::string code(
      1, CODE_LETTERS[static_cast<std::size_t>(random.below(static_cast<int>(CODE_LETTERS.size())))]);
  while (code.size() < CODE_LENGTH) {
    code += CODE_CHARACTERS[static_cast<std::size_t>(random.below(static_cast<int>(CODE_CHARACTERS.size())))];
  }
  return code;
}

Title make_title(int category, int rank, SeededRandom& random, std::set<std::string>& names,
                 std::set<std::string>& codes) {
  const Category& info = CATEGORIES[static_cast<std::size_t>(category)];
  const std::vector<TitlePattern>& patterns = title_patterns(info.slug);
  Title t;
  t.category = category;
  t.rank = rank;
  do {
    t.name.clear();
    t.initials.clear();
    const TitlePattern& pattern =
        patterns[static_cast<std::size_t>(random.below(static_cast<int>(patterns.size())))];
    for (WordList list : pattern) {
      const Word& word = random.pick(list);
      t.name += word.text;
      t.initials += word.initials;
    }
    if (info.layout == Layout::film && random.below(SEQUEL_ONE_IN) == 0) {
      const Word& number = random.pick(sequel_numbers());
      t.name += number.text;
      t.initials += number.initials;
    }
  } while (!names.insert(t.name).second);

  SeededRandom code_random(hash_text(t.name) ^ CATALOGUE_SEED);
  do t.code = make_code(code_random);
  while (!codes.insert(t.code).second);

  const CategoryWords& words = category_words(info.slug);
  t.year = random.between(FIRST_YEAR, LAST_YEAR);
  t.score = std::round(random.between(5.8, 9.7) * 10) / 10;
  t.area = pick(random, words.areas);
  t.genres = distinct_picks(random, words.genres, 2);
  if (info.layout != Layout::variety) t.director = person_name(random);
  const int cast_count = random.between(3, 6);
  for (int i = 0; i < cast_count; ++i) t.cast.push_back(person_name(random));
  t.blurb = std::string{pick(random, story_places())};
  t.blurb += pick(random, words.openers);
  t.blurb += pick(random, words.subjects);
  t.blurb += pick(random, words.events);
  t.blurb += "。";
  t.blurb += pick(random, words.endings);
  t.poster_format = rank % 2 == 0 ? PosterFormat::jpeg : PosterFormat::png;
  switch (info.layout) {
    case Layout::series:
      t.episode_count = info.slug == "dongman" ? random.between(12, 52) : random.between(12, 46);
      break;
    case Layout::variety:
      t.issues = make_issues(random, t.year);
      break;
    case Layout::film:
      t.sources = distinct_picks(random, viewing_sites(), random.between(2, 5));
      break;
  }
  return t;
}

// UTF-8 characters of a text; a byte that starts no valid sequence counts as one character.
std::vector<std::string_view> characters(std::string_view text) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80           ? 1
                         : (lead >> 5) == 0x6  ? 2
                         : (lead >> 4) == 0xE  ? 3
                         : (lead >> 3) == 0x1E ? 4
                                               : 1;
    if (i + length > text.size()) length = 1;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
        length = 1;
        break;
      }
    }
    out.push_back(text.substr(i, length));
    i += length;
  }
  return out;
}

std::string_view trim(std::string_view text) {
  constexpr std::string_view BLANKS = " \t\r\n";
  const std::size_t first = text.find_first_not_of(BLANKS);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(BLANKS) - first + 1);
}

std::string_view next_segment(std::string_view& rest) {
  const std::size_t slash = rest.find('/');
  std::string_view segment = rest.substr(0, slash);
  rest = slash == std::string_view::npos ? std::string_view{} : rest.substr(slash + 1);
  return segment;
}

bool parse_int(std::string_view text, int& value) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size();
}

}  // namespace

std::string Title::path() const {
  return std::string{category_info().slug} + "/" + code;
}

std::string Title::poster_path() const {
  return "/poster/" + path() + (poster_format == PosterFormat::jpeg ? ".jpg" : ".png");
}

int category_index(std::string_view slug) {
  for (std::size_t i = 0; i < CATEGORIES.size(); ++i) {
    if (CATEGORIES[i].slug == slug) return static_cast<int>(i);
  }
  return -1;
}

Catalogue::Catalogue() {
  titles_.reserve(CATEGORIES.size() * TITLES_PER_CATEGORY);
  std::set<std::string> names;
  std::set<std::string> codes;
  for (int c = 0; c < static_cast<int>(CATEGORIES.size()); ++c) {
    SeededRandom random(CATALOGUE_SEED + static_cast<std::uint64_t>(c) * 0x100000001B3ULL);
    for (int rank = 0; rank < TITLES_PER_CATEGORY; ++rank) {
      titles_.push_back(make_title(c, rank, random, names, codes));
    }
  }
}

std::span<const Title> Catalogue::category_titles(int category) const {
  if (category < 0 || category >= static_cast<int>(CATEGORIES.size())) return {};
  return std::span<const Title>(titles_).subspan(static_cast<std::size_t>(category) * TITLES_PER_CATEGORY,
                                                 TITLES_PER_CATEGORY);
}

std::span<const Title> Catalogue::list_page(int category, int page) const {
  if (page < 1 || page > LIST_PAGE_COUNT) return {};
  std::span<const Title> all = category_titles(category);
  if (all.empty()) return {};
  return all.subspan(static_cast<std::size_t>(page - 1) * TITLES_PER_PAGE, TITLES_PER_PAGE);
}

const Title* Catalogue::find(std::string_view slug, std::string_view code) const {
  for (const Title& t : category_titles(category_index(slug))) {
    if (t.code == code) return &t;
  }
  return nullptr;
}

std::string Catalogue::play_path(const Title& title, std::string_view item) {
  std::string path{PLAY_PATH_PREFIX};
  path += title.path();
  path += '/';
  path += item;
  return path;
}

std::vector<std::string> Catalogue::play_items(const Title& title) {
  std::vector<std::string> items;
  switch (title.category_info().layout) {
    case Layout::series:
      for (int i = 1; i <= title.episode_count; ++i) items.push_back(std::to_string(i));
      break;
    case Layout::variety:
      for (const Issue& issue : title.issues) items.push_back(issue.date);
      break;
    case Layout::film:
      for (std::size_t i = 1; i <= title.sources.size(); ++i) {
        items.push_back(std::string{SOURCE_ITEM_PREFIX} + std::to_string(i));
      }
      break;
  }
  return items;
}

PlayItem Catalogue::resolve(std::string_view address) const {
  PlayItem found;
  std::string_view rest = trim(address);
  for (std::string_view scheme : {"http://", "https://"}) {
    if (rest.starts_with(scheme)) rest.remove_prefix(scheme.size());
  }
  // Drop the host: everything before the first slash.
  const std::size_t slash = rest.find('/');
  if (slash == std::string_view::npos) return found;
  rest = rest.substr(slash);
  rest = rest.substr(0, rest.find_first_of("?#"));

  std::string item;
  if (rest.starts_with(PLAY_PATH_PREFIX)) {
    rest.remove_prefix(PLAY_PATH_PREFIX.size());
    const std::string_view slug = next_segment(rest);
    const std::string_view code = next_segment(rest);
    found.title = find(slug, code);
    item = std::string{next_segment(rest)};
  } else {
    rest.remove_prefix(1);
    const std::string_view slug = next_segment(rest);
    if (!rest.ends_with(DETAIL_SUFFIX)) return found;
    found.title = find(slug, rest.substr(0, rest.size() - DETAIL_SUFFIX.size()));
    if (found.title) {
      std::vector<std::string> items = play_items(*found.title);
      if (!items.empty()) item = items.front();
    }
  }
  if (!found.title) return found;
  found.item = item;
  const Title& t = *found.title;
  int number = 0;
  switch (t.category_info().layout) {
    case Layout::series:
      if (parse_int(item, number) && number >= 1 && number <= t.episode_count) {
        found.label = "第" + item + "集";
      }
      break;
    case Layout::variety:
      for (const Issue& issue : t.issues) {
        if (issue.date == item) found.label = issue.label;
      }
      break;
    case Layout::film:
      if (std::string_view{item}.starts_with(SOURCE_ITEM_PREFIX) &&
          parse_int(std::string_view{item}.substr(SOURCE_ITEM_PREFIX.size()), number) && number >= 1 &&
          number <= static_cast<int>(t.sources.size())) {
        found.label =
            "观看来源" + std::to_string(number) + " · " + t.sources[static_cast<std::size_t>(number - 1)];
      }
      break;
  }
  return found;
}

Catalogue::SearchResult Catalogue::search(std::string_view keyword, std::size_t limit) const {
  keyword = trim(keyword);
  SearchResult results;
  if (keyword.empty() || limit == 0) return results;

  // (kind, length difference, catalogue order): exact, then prefix, then anywhere.
  std::vector<std::tuple<int, std::size_t, const Title*>> ranked;
  for (const Title& t : titles_) {
    const std::size_t at = t.name.find(keyword);
    if (at == std::string::npos) continue;
    const int kind = t.name.size() == keyword.size() ? 0 : at == 0 ? 1 : 2;
    ranked.emplace_back(kind, t.name.size() - keyword.size(), &t);
  }
  if (ranked.empty()) {
    results.similar_only = true;
    std::vector<std::string_view> wanted = characters(keyword);
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    const std::size_t needed = std::max<std::size_t>(1, (wanted.size() + 1) / 2);
    for (const Title& t : titles_) {
      std::vector<std::string_view> own = characters(t.name);
      std::size_t shared = 0;
      for (std::string_view c : wanted) shared += std::find(own.begin(), own.end(), c) != own.end();
      if (shared >= needed) ranked.emplace_back(static_cast<int>(wanted.size() - shared), 0, &t);
    }
  }
  std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
    return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
  });
  for (const auto& entry : ranked) {
    if (results.titles.size() == limit) break;
    results.titles.push_back(std::get<2>(entry));
  }
  return results;
}

}  // namespace morvessa::demo
