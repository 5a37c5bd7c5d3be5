#pragma once
// The word lists from which the demo catalogue invents its titles, people and blurbs. Every title word
// carries the initials of its pinyin, which the posters show.

#include <span>
#include <string_view>
#include <vector>

namespace morvessa::demo {

struct Word {
  std::string_view text;      // UTF-8
  std::string_view initials;  // capital pinyin initials, e.g. "CA" for 长安
};
using WordList = std::span<const Word>;
// One shape of title: one word of each list in turn, joined without a separator.
using TitlePattern = std::vector<WordList>;

// The title shapes of a category (by its slug); empty for an unknown slug.
const std::vector<TitlePattern>& title_patterns(std::string_view slug);

using TextList = std::span<const std::string_view>;

struct CategoryWords {
  TextList areas;
  TextList genres;
  TextList openers;   // start of a blurb: a place and a time
  TextList subjects;  // who the story follows
  TextList events;    // what happens to them
  TextList endings;   // the closing sentence
};
const CategoryWords& category_words(std::string_view slug);

TextList surnames();
TextList given_name_characters();
TextList viewing_sites();     // invented names of the sites a film can be watched on
TextList issue_guests();      // who an issue of a variety show is about
TextList issue_activities();  // what they do in it
TextList story_places();      // places named in blurbs
WordList sequel_numbers();    // appended to a few film titles

}  // namespace morvessa::demo
