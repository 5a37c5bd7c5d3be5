#include "history/profile_file.h"

#include <gtest/gtest.h>

#include "history/test_files.h"
#include "net/codepage.h"

namespace morvessa {
namespace {

using test::CountingFiles;
using test::file_bytes;
using test::put_file;
using test::TempFolder;

struct ReadCase {
  const char* name;
  std::optional<std::string> file;  // nullopt: no file
  std::string section, key, expected;
};

class ProfileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, GivesTheValueWindowsWould) {
  const ReadCase& c = GetParam();
  TempFolder folder;
  std::filesystem::path file = folder / "p.ini";
  if (c.file) put_file(file, *c.file);
  EXPECT_EQ(read_profile_string(disk_files(), file, c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileRead,
    testing::Values(
        ReadCase{"no_file", std::nullopt, "s", "k", ""}, ReadCase{"crlf", "[s]\r\nk=v\r\n", "s", "k", "v"},
        ReadCase{"lf", "[s]\nj=1\nk=v\n", "s", "k", "v"}, ReadCase{"lone_cr", "[s]\rk=v", "s", "k", "v"},
        ReadCase{"no_final_line_end", "[s]\r\nk=v", "s", "k", "v"},
        ReadCase{"missing_section", "[t]\r\nk=v\r\n", "s", "k", ""},
        ReadCase{"missing_key", "[s]\r\nj=v\r\n", "s", "k", ""},
        ReadCase{"key_of_another_section", "[t]\r\nk=v\r\n[s]\r\nj=1\r\n", "s", "k", ""},
        ReadCase{"ascii_case_ignored", "[SeC]\r\nKey=v\r\n", "sEc", "kEY", "v"},
        ReadCase{"blanks_around_name_and_value", "  [s]\r\n \t k \t=  v  w \t\r\n", "s", "k", "v  w"},
        ReadCase{"double_quotes_dropped", "[s]\r\nk= \"v w\" \r\n", "s", "k", "v w"},
        ReadCase{"single_quotes_dropped", "[s]\r\nk='v'\r\n", "s", "k", "v"},
        ReadCase{"unpaired_quote_kept", "[s]\r\nk=\"v\r\n", "s", "k", "\"v"},
        ReadCase{"lone_quote_kept", "[s]\r\nk=\"\r\n", "s", "k", "\""},
        ReadCase{"equals_in_value", "[s]\r\nk=a=b\r\n", "s", "k", "a=b"},
        ReadCase{"empty_value", "[s]\r\nk=\r\n", "s", "k", ""},
        ReadCase{"first_section_counts", "[s]\r\na=1\r\n[S]\r\nk=2\r\n", "s", "k", ""},
        ReadCase{"first_key_counts", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", "1"},
        ReadCase{"comment_is_no_key", "[s]\r\n;k=v\r\n", "s", "k", ""},
        ReadCase{"lines_before_any_section", "k=v\r\n[s]\r\n", "s", "k", ""},
        ReadCase{"text_after_bracket_ignored", "[s] old\r\nk=v\r\n", "s", "k", "v"},
        // 0x81 0x5D is one character whose trail byte is ']': the name runs on to the real ']'.
        ReadCase{"trail_byte_bracket", "[\x81]x]\r\nk=v\r\n", "\x81]x", "k", "v"},
        ReadCase{"trail_byte_bracket_not_a_close", "[\x81]x]\r\nk=v\r\n", "\x81", "k", ""},
        // 0x81 0x41 and 0x81 0x61 are two different characters, not one letter in two cases.
        ReadCase{"trail_byte_letter_not_folded", "[\x81\x41]\r\nk=v\r\n", "\x81\x61", "k", ""},
        ReadCase{"trail_byte_letter_exact", "[\x81\x41]\r\nk=v\r\n", "\x81\x41", "k", "v"},
        ReadCase{"value_ends_at_zero_byte", std::string("[s]\r\nk=a\0b\r\n", 12), "s", "k", "a"}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

struct WriteCase {
  const char* name;
  std::optional<std::string> before;
  std::string section, key, value;
  std::string after;
};

class ProfileWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, ChangesOnlyTheKey) {
  const WriteCase& c = GetParam();
  TempFolder folder;
  std::filesystem::path file = folder / "p.ini";
  if (c.before) put_file(file, *c.before);
  ASSERT_TRUE(write_profile_string(disk_files(), file, c.section, c.key, c.value));
  EXPECT_EQ(file_bytes(file), c.after);
  EXPECT_EQ(folder.others_than(file), 0) << "no temporary file stays behind";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWrite,
    testing::Values(
        WriteCase{"creates_file", std::nullopt, "s", "k", "v", "[s]\r\nk=v\r\n"},
        WriteCase{"empty_file", "", "s", "k", "v", "[s]\r\nk=v\r\n"},
        WriteCase{"replaces_value", "[s]\r\nk=old\r\nj=1\r\n", "s", "k", "new", "[s]\r\nk=new\r\nj=1\r\n"},
        WriteCase{"replaces_keeping_spelling", "[S]\r\n  Key = old \r\n", "s", "KEY", "new",
                  "[S]\r\nKey=new\r\n"},
        WriteCase{"new_key_after_last_key", "[s]\r\na=1\r\n;note\r\n\r\n[t]\r\nb=2\r\n", "s", "c", "3",
                  "[s]\r\na=1\r\nc=3\r\n;note\r\n\r\n[t]\r\nb=2\r\n"},
        WriteCase{"new_key_in_keyless_section", "[s]\r\n\r\n[t]\r\nb=2\r\n", "s", "k", "v",
                  "[s]\r\nk=v\r\n\r\n[t]\r\nb=2\r\n"},
        WriteCase{"new_section_at_end", "[t]\r\nb=2", "s", "k", "v", "[t]\r\nb=2\r\n[s]\r\nk=v\r\n"},
        WriteCase{"other_lines_kept_and_lf_made_crlf", "; top\nstray\n[t]\nb = 2\n\n[s]\nk=1\nodd line\n",
                  "s", "k", "2", "; top\r\nstray\r\n[t]\r\nb = 2\r\n\r\n[s]\r\nk=2\r\nodd line\r\n"},
        WriteCase{"first_of_duplicate_sections", "[s]\r\na=1\r\n[s]\r\nk=1\r\n", "s", "k", "2",
                  "[s]\r\na=1\r\nk=2\r\n[s]\r\nk=1\r\n"},
        WriteCase{"line_breaks_written_as_blanks", std::nullopt, "s", "k", "a\r\nb\nc\rd",
                  "[s]\r\nk=a  b c d\r\n"},
        WriteCase{"empty_value", "[s]\r\nk=v\r\n", "s", "k", "", "[s]\r\nk=\r\n"}),
    [](const testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

TEST(ProfileFileWrite, ReadsBackWhatItWrote) {
  TempFolder folder;
  std::filesystem::path file = folder / "p.ini";
  const std::string section = gbk("播放记录"), value = gbk("记录：某剧 第3集：地址：http://h/p.html");
  ASSERT_TRUE(write_profile_string(disk_files(), file, section, "0", value));
  EXPECT_EQ(read_profile_string(disk_files(), file, section, "0"), value);
  EXPECT_EQ(file_bytes(file), "[" + section + "]\r\n0=" + value + "\r\n");
}

TEST(ProfileFileWrite, BatchLeavesTheFileOfOneByOneWritesInOneReplacement) {
  const std::optional<std::string> starts[] = {
      std::nullopt,
      "[s]\r\n1=old\r\n4=keep\r\n\r\n[t]\r\nx=1\r\n",
      "; lf file\n[t]\nx=1\n[S]\nk=1\n",
  };
  const std::vector<ProfileEntry> entries = {{"0", "a"}, {"1", "b"}, {"2", "c"}, {"1", "b2"}, {"K", "d"}};
  for (const std::optional<std::string>& start : starts) {
    TempFolder folder;
    std::filesystem::path one_by_one = folder / "one.ini", batch = folder / "batch.ini";
    if (start) {
      put_file(one_by_one, *start);
      put_file(batch, *start);
    }
    CountingFiles singles, together;
    for (const ProfileEntry& e : entries)
      ASSERT_TRUE(write_profile_string(singles, one_by_one, "s", e.key, e.value));
    ASSERT_TRUE(write_profile_strings(together, batch, "s", entries));
    EXPECT_EQ(file_bytes(batch), file_bytes(one_by_one)) << start.value_or("(no file)");
    EXPECT_EQ(singles.replacements, static_cast<int>(entries.size()));
    EXPECT_EQ(together.replacements, 1);
  }
}

TEST(ProfileFileParse, GivesBackACrLfFileUnchanged) {
  const std::string bytes = "; c\r\n\r\n[a]\r\nx = 1\r\n odd\r\n[b]\r\n=\r\ny=\"q\"\r\n";
  EXPECT_EQ(ProfileFile::parse(bytes).bytes(), bytes);
}

TEST(ProfileFileWrite, FailsWithoutHarmWhereNoFileCanBe) {
  TempFolder folder;
  std::filesystem::path occupied = folder / "dir.ini";
  std::filesystem::create_directory(occupied);
  EXPECT_FALSE(write_profile_string(disk_files(), occupied, "s", "k", "v"));
  EXPECT_TRUE(std::filesystem::is_directory(occupied));
  EXPECT_FALSE(write_profile_string(disk_files(), folder / "missing" / "p.ini", "s", "k", "v"));
  EXPECT_EQ(folder.others_than(occupied), 0) << "no temporary file stays behind";
}

TEST(ProfileFileWrite, KeepsALinkAndWritesItsTarget) {
  TempFolder folder;
  std::filesystem::path target = folder / "real.ini", link = folder / "link.ini";
  put_file(target, "[s]\r\nk=1\r\n");
  std::filesystem::create_symlink(target, link);
  ASSERT_TRUE(write_profile_string(disk_files(), link, "s", "k", "2"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(file_bytes(target), "[s]\r\nk=2\r\n");
}

}  // namespace
}  // namespace morvessa
