#include "history/profile_file.h"

#include "history/gbk_chars.h"

namespace morvessa {
namespace {

constexpr std::string_view CRLF = "\r\n";
constexpr char COMMENT_MARK = ';';

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
}

// Trail bytes of double-byte characters are 0x40 or above, so blanks can be trimmed byte by byte.
std::string_view trim_blanks(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view up_to_zero(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

// What a line can hold: a text ends at its first zero byte and line breaks become blanks.
std::string one_line(std::string_view text) {
  std::string line(up_to_zero(text));
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return line;
}

std::vector<std::string_view> split_lines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
    if (bytes[pos] != '\r' && bytes[pos] != '\n') continue;
    lines.push_back(bytes.substr(start, pos - start));
    if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') ++pos;
    start = pos + 1;
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

// The name between '[' and the first ']' of a section line, or npos in first when the line is none.
std::pair<std::size_t, std::size_t> section_name_span(std::string_view line) {
  std::size_t open = 0;
  while (open < line.size() && is_blank(line[open])) ++open;
  if (open == line.size() || line[open] != '[') return {std::string_view::npos, 0};
  std::size_t close = gbk_find(line, "]", open + 1);
  if (close == std::string_view::npos) return {std::string_view::npos, 0};
  return {open + 1, close - open - 1};
}

}  // namespace

ProfileFile ProfileFile::parse(std::string_view bytes) {
  ProfileFile file;
  for (std::string_view line : split_lines(bytes)) {
    auto [name_start, name_size] = section_name_span(line);
    if (name_start != std::string_view::npos) {
      file.add_section(std::string(line), line.substr(name_start, name_size));
      continue;
    }
    if (file.sections_.empty()) file.sections_.emplace_back();  // the lines before the first section
    add_line(file.sections_.back(), std::string(line));
  }
  return file;
}

ProfileFile::Section& ProfileFile::add_section(std::string header, std::string_view name) {
  section_index_.try_emplace(gbk_ascii_lower(name), sections_.size());
  Section& section = sections_.emplace_back();
  section.header = std::move(header);
  return section;
}

void ProfileFile::add_line(Section& section, std::string text) {
  Line line{std::move(text)};
  std::string_view view = line.text;
  std::string_view content = trim_blanks(view);
  std::size_t equals = gbk_find(view, "=");
  if (!content.empty() && content.front() != COMMENT_MARK && equals != std::string_view::npos) {
    line.value_start = equals + 1;
    section.keys.try_emplace(gbk_ascii_lower(trim_blanks(view.substr(0, equals))), section.lines.size());
    section.key_end = section.lines.size() + 1;
  }
  section.lines.push_back(std::move(line));
}

std::string ProfileFile::value(std::string_view section_name, std::string_view key) const {
  auto section = section_index_.find(gbk_ascii_lower(section_name));
  if (section == section_index_.end()) return {};
  const Section& s = sections_[section->second];
  auto found = s.keys.find(gbk_ascii_lower(trim_blanks(key)));
  if (found == s.keys.end()) return {};
  const Line& line = s.lines[found->second];
  std::string_view value = trim_blanks(std::string_view(line.text).substr(line.value_start));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(up_to_zero(value));
}

void ProfileFile::set(std::string_view section_name, std::string_view key_name, std::string_view value) {
  std::string name = one_line(section_name), key = one_line(key_name);
  auto found_section = section_index_.find(gbk_ascii_lower(name));
  Section& section = found_section != section_index_.end() ? sections_[found_section->second]
                                                           : add_section("[" + name + "]", name);
  std::string folded = gbk_ascii_lower(trim_blanks(key));
  if (auto found = section.keys.find(folded); found != section.keys.end()) {
    Line& line = section.lines[found->second];
    // The key keeps its spelling in the file; the line is written afresh as name=value.
    std::string old_name(trim_blanks(std::string_view(line.text).substr(0, line.value_start - 1)));
    line.text = old_name + "=" + one_line(value);
    line.value_start = old_name.size() + 1;
    return;
  }
  // Only non-key lines follow key_end, so inserting there moves no line that the key index holds.
  std::string text = key + "=" + one_line(value);
  std::size_t at = section.key_end;
  section.lines.insert(section.lines.begin() + static_cast<std::ptrdiff_t>(at),
                       Line{std::move(text), key.size() + 1});
  section.keys.emplace(std::move(folded), at);
  section.key_end = at + 1;
}

std::string ProfileFile::bytes() const {
  std::size_t size = 0;
  for (const Section& s : sections_) {
    size += s.header.empty() ? 0 : s.header.size() + CRLF.size();
    for (const Line& line : s.lines) size += line.text.size() + CRLF.size();
  }
  std::string out;
  out.reserve(size);
  for (const Section& s : sections_) {
    if (!s.header.empty()) (out += s.header) += CRLF;
    for (const Line& line : s.lines) (out += line.text) += CRLF;
  }
  return out;
}

std::string read_profile_string(FileStore& files, const std::filesystem::path& file, std::string_view section,
                                std::string_view key) {
  FileRead read = files.read(file);
  if (read.status != FileRead::Status::ok) return {};
  return ProfileFile::parse(read.bytes).value(section, key);
}

bool write_profile_string(FileStore& files, const std::filesystem::path& file, std::string_view section,
                          std::string_view key, std::string_view value) {
  ProfileEntry entry{std::string(key), std::string(value)};
  return write_profile_strings(files, file, section, std::span(&entry, 1));
}

bool write_profile_strings(FileStore& files, const std::filesystem::path& file, std::string_view section,
                           std::span<const ProfileEntry> entries) {
  FileRead read = files.read(file);
  // A file that exists but can't be read is not overwritten with a fresh one.
  if (read.status == FileRead::Status::failed) return false;
  ProfileFile profile = ProfileFile::parse(read.bytes);
  for (const ProfileEntry& entry : entries) profile.set(section, entry.key, entry.value);
  return files.replace(file, profile.bytes());
}

}  // namespace morvessa
