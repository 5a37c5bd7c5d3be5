#pragma once
// INI files as the Windows profile-file functions read and write them (GetPrivateProfileStringA,
// WritePrivateProfileStringA), on code page 936 bytes. Read: the value of a key in a section, the empty
// text when the file, the section or the key is missing. Write: creates the file, the section and the key
// as needed and replaces the key's old value; every other section, key and line stays as it was.
//
// Details, as Windows has them: section and key names match case-insensitively for ASCII letters; only the
// first section of a name counts, and in it the first line of a key; a value is read without the blanks
// around it and without one pair of enclosing quotes (' or "). Lines end with CR LF, LF or CR when read and
// are written with CR LF; lines starting with ';' are comments. A new key goes after the last key of its
// section, a new section at the end of the file. Line breaks in names and values are written as blanks,
// since a record has to stay on its line.

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "history/file_store.h"

namespace morvessa {

class ProfileFile final {
 public:
  static ProfileFile parse(std::string_view bytes);

  std::string value(std::string_view section, std::string_view key) const;
  void set(std::string_view section, std::string_view key, std::string_view value);
  // The file's bytes, every line ending with CR LF.
  std::string bytes() const;

 private:
  struct Line {
    std::string text;
    std::size_t value_start = std::string::npos;  // after the '=' of a key line
  };
  struct Section {
    std::string header;  // the section's line as it stands; empty for the lines before the first section
    std::vector<Line> lines;
    std::size_t key_end = 0;                            // one past the section's last key line
    std::unordered_map<std::string, std::size_t> keys;  // folded name -> its first line
  };

  Section& add_section(std::string header, std::string_view name);
  static void add_line(Section& section, std::string text);

  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> section_index_;  // folded name -> first section
};

struct ProfileEntry {
  std::string key;
  std::string value;
};

std::string read_profile_string(FileStore& files, const std::filesystem::path& file, std::string_view section,
                                std::string_view key);
bool write_profile_string(FileStore& files, const std::filesystem::path& file, std::string_view section,
                          std::string_view key, std::string_view value);
// The file that writing the entries one by one, in order, would leave, written in one replacement.
// False when the file could not be read or written; it is then as it was.
bool write_profile_strings(FileStore& files, const std::filesystem::path& file, std::string_view section,
                           std::span<const ProfileEntry> entries);

}  // namespace morvessa
