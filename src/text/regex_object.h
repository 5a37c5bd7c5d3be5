#pragma once
// A regular expression over wide text with the options and syntax of VBScript's RegExp: case ignored unless
// asked, "^" and "$" at every line, all matches, a dot that does not match a line feed, ASCII \w and \d,
// submatches by number. Texts in and out are code page 936; positions are byte offsets in the subject.
// Copies share the compiled pattern and keep their own results.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace morvessa {

class RegexObject final {
 public:
  RegexObject();
  ~RegexObject();
  RegexObject(const RegexObject&);
  RegexObject& operator=(const RegexObject&);

  // Sets the options and the pattern and runs it over the subject. True when the search ran, even if it
  // found nothing; false for a pattern that does not compile or a search the engine gave up on.
  // quote_word: "#引号" in the pattern stands for a double quote.
  bool create(std::string_view pattern, std::string_view subject, bool case_sensitive = false,
              bool multi_line = true, bool global = true, bool quote_word = false);

  // The pattern of the last create; empty before the first.
  std::string pattern() const;
  // The subject with the matches replaced ($&, $1 to $99, $`, $', $$ as in VBScript); empty before create.
  std::string replace(std::string_view replacement) const;
  int match_count() const;
  // Match number from 1; the empty text for a number beyond the matches. position, when given, receives
  // the byte offset of the match in the subject.
  std::string match_text(int match_number, int* position = nullptr) const;
  // Submatch number from 1; a group that took no part gives the empty text and the position -1.
  std::string submatch_text(int match_number, int submatch_number, int* position = nullptr) const;
  // The number of groups in the first match; 0 when there is none.
  int submatch_count() const;

 private:
  struct Compiled;
  struct Span {
    std::size_t begin = 0;
    std::size_t length = 0;
    bool matched = false;
  };
  using Match = std::vector<Span>;  // the whole match, then each group

  std::string text_of(const Span& span, int* position) const;

  bool created_ = false;
  std::string pattern_;
  std::shared_ptr<const Compiled> compiled_;
  std::u16string subject_;
  std::vector<int> byte_offsets_;  // per unit of the subject, plus its end
  std::vector<Match> matches_;
};

}  // namespace morvessa
