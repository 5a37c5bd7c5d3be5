#include "text/regex_object.h"

#include <boost/regex.hpp>
#include <stdexcept>

#include "net/codepage.h"
#include "text/byte_text.h"

namespace morvessa {
namespace {

constexpr std::string_view QUOTE_WORD_UTF8 = "#引号";
// VBScript's classes are ASCII whatever the characters around them.
constexpr std::wstring_view WORD_CLASS_BODY = L"A-Za-z0-9_";
constexpr std::wstring_view DIGIT_CLASS_BODY = L"0-9";
constexpr std::wstring_view DOT_CLASS = L"[^\\n]";
constexpr int MAX_GROUP_REFERENCE = 99;

std::wstring to_wide(std::u16string_view units) {
  return std::wstring(units.begin(), units.end());
}

// Rewrites the VBScript pattern into Boost syntax where the two differ: the dot, \w, \W, \d, \D and the
// empty classes [] and [^].
std::wstring boost_syntax(std::u16string_view pattern) {
  const std::wstring source = to_wide(pattern);
  std::wstring out;
  bool in_class = false;
  for (std::size_t i = 0; i < source.size(); ++i) {
    const wchar_t c = source[i];
    if (c == L'\\' && i + 1 < source.size()) {
      const wchar_t next = source[++i];
      if (next == L'w' || next == L'd') {
        const std::wstring_view body = next == L'w' ? WORD_CLASS_BODY : DIGIT_CLASS_BODY;
        out += in_class ? std::wstring(body) : L"[" + std::wstring(body) + L"]";
      } else if ((next == L'W' || next == L'D') && !in_class) {
        out += L"[^" + std::wstring(next == L'W' ? WORD_CLASS_BODY : DIGIT_CLASS_BODY) + L"]";
      } else {
        out += c;
        out += next;
      }
    } else if (in_class) {
      out += c;
      if (c == L']') in_class = false;
    } else if (c == L'[') {
      if (source.compare(i, 2, L"[]") == 0) {
        out += L"(?!)";
        ++i;
      } else if (source.compare(i, 3, L"[^]") == 0) {
        out += L"[\\s\\S]";
        i += 2;
      } else {
        out += c;
        in_class = true;
        if (i + 1 < source.size() && source[i + 1] == L'^') out += source[++i];
      }
    } else if (c == L'.') {
      out += DOT_CLASS;
    } else {
      out += c;
    }
  }
  return out.empty() ? L"(?:)" : out;
}

std::string with_quotes(std::string pattern) {
  static const std::string word = gbk(QUOTE_WORD_UTF8);
  std::string out;
  for (std::size_t pos = 0; pos < pattern.size();) {
    const std::size_t found = pattern.find(word, pos);
    out.append(pattern, pos, found == std::string::npos ? std::string::npos : found - pos);
    if (found == std::string::npos) break;
    out += '"';
    pos = found + word.size();
  }
  return out;
}

}  // namespace

struct RegexObject::Compiled {
  boost::wregex expression;
};

RegexObject::RegexObject() = default;
RegexObject::~RegexObject() = default;
RegexObject::RegexObject(const RegexObject&) = default;
RegexObject& RegexObject::operator=(const RegexObject&) = default;

bool RegexObject::create(std::string_view pattern, std::string_view subject, bool case_sensitive,
                         bool multi_line, bool global, bool quote_word) {
  created_ = true;
  compiled_.reset();
  matches_.clear();
  pattern_ = std::string(until_zero(pattern));
  if (quote_word) pattern_ = with_quotes(pattern_);
  subject_ = gbk_to_u16(until_zero(subject), &byte_offsets_);

  auto compiled = std::make_shared<Compiled>();
  boost::regex_constants::syntax_option_type options = boost::regex::ECMAScript;
  if (!case_sensitive) options |= boost::regex::icase;
  if (!multi_line) options |= boost::regex::no_mod_m;
  try {
    compiled->expression.assign(boost_syntax(gbk_to_u16(pattern_)), options);
  } catch (const boost::regex_error&) {
    return false;
  }
  compiled_ = compiled;

  const std::wstring text = to_wide(subject_);
  std::vector<Match> found;
  try {
    std::size_t pos = 0;
    boost::wsmatch match;
    while (pos <= text.size()) {
      auto flags = boost::match_default;
      if (pos > 0) flags |= boost::match_prev_avail;
      if (!boost::regex_search(text.cbegin() + static_cast<std::ptrdiff_t>(pos), text.cend(), match,
                               compiled_->expression, flags)) {
        break;
      }
      Match spans;
      for (std::size_t g = 0; g < match.size(); ++g) {
        spans.push_back({static_cast<std::size_t>(match[g].first - text.cbegin()),
                         static_cast<std::size_t>(match[g].length()), match[g].matched});
      }
      found.push_back(std::move(spans));
      if (!global) break;
      const std::size_t end = found.back()[0].begin + found.back()[0].length;
      pos = found.back()[0].length == 0 ? end + 1 : end;  // an empty match moves on by one, as VBScript does
    }
  } catch (const std::runtime_error&) {
    return false;
  }
  matches_ = std::move(found);
  return true;
}

std::string RegexObject::pattern() const {
  return created_ ? pattern_ : std::string();
}

int RegexObject::match_count() const {
  return static_cast<int>(matches_.size());
}

std::string RegexObject::text_of(const Span& span, int* position) const {
  if (!span.matched) {
    if (position != nullptr) *position = -1;
    return {};
  }
  if (position != nullptr) *position = byte_offsets_[span.begin];
  return u16_to_gbk(std::u16string_view(subject_).substr(span.begin, span.length));
}

std::string RegexObject::match_text(int match_number, int* position) const {
  if (match_number < 1 || match_number > match_count()) return {};
  return text_of(matches_[static_cast<std::size_t>(match_number) - 1][0], position);
}

std::string RegexObject::submatch_text(int match_number, int submatch_number, int* position) const {
  if (match_number < 1 || match_number > match_count()) return {};
  const Match& match = matches_[static_cast<std::size_t>(match_number) - 1];
  if (submatch_number < 1 || static_cast<std::size_t>(submatch_number) >= match.size()) return {};
  return text_of(match[static_cast<std::size_t>(submatch_number)], position);
}

int RegexObject::submatch_count() const {
  return matches_.empty() ? 0 : static_cast<int>(matches_.front().size()) - 1;
}

std::string RegexObject::replace(std::string_view replacement) const {
  if (!compiled_) return {};
  const std::u16string with = gbk_to_u16(until_zero(replacement));
  const std::u16string_view subject = subject_;
  std::u16string out;
  std::size_t copied = 0;
  for (const Match& match : matches_) {
    const Span& whole = match[0];
    out += subject.substr(copied, whole.begin - copied);
    for (std::size_t i = 0; i < with.size(); ++i) {
      if (with[i] != u'$' || i + 1 == with.size()) {
        out += with[i];
        continue;
      }
      const char16_t next = with[i + 1];
      auto group_text = [&](std::size_t g) {
        return match[g].matched ? subject.substr(match[g].begin, match[g].length) : std::u16string_view{};
      };
      if (next == u'$') {
        out += u'$';
        ++i;
      } else if (next == u'&') {
        out += group_text(0);
        ++i;
      } else if (next == u'`') {
        out += subject.substr(0, whole.begin);
        ++i;
      } else if (next == u'\'') {
        out += subject.substr(whole.begin + whole.length);
        ++i;
      } else if (next >= u'0' && next <= u'9') {
        // Two digits when that names a group, else one; $0 and unknown groups stay as written.
        std::size_t digits = 1;
        std::size_t group = static_cast<std::size_t>(next - u'0');
        if (i + 2 < with.size() && with[i + 2] >= u'0' && with[i + 2] <= u'9') {
          const std::size_t two = group * 10 + static_cast<std::size_t>(with[i + 2] - u'0');
          if (two >= 1 && two < match.size() && two <= MAX_GROUP_REFERENCE) {
            group = two;
            digits = 2;
          }
        }
        if (group >= 1 && group < match.size()) {
          out += group_text(group);
          i += digits;
        } else {
          out += with[i];
        }
      } else {
        out += with[i];
      }
    }
    copied = whole.begin + whole.length;
  }
  out += subject.substr(copied);
  return u16_to_gbk(out);
}

}  // namespace morvessa
