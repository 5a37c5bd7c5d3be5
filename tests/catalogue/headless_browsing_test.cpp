#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <filesystem>

#include "app/layout.h"
#include "list_site.h"
#include "support/headless_run.h"

namespace morvessa::test {
namespace {

std::string sha256_hex(const std::string& bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr);
  static constexpr char HEX[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < length; ++i) {
    hex += HEX[digest[i] >> 4];
    hex += HEX[digest[i] & 15];
  }
  return hex;
}

struct Shown {
  const char* slug;
  int page;
};

// The script's dumps, in order, and the page each one must show.
constexpr const char* SCRIPT =
    "wait\n"
    "dump\n"
    "event main 超级链接框4 press 1 1\n"
    "wait\n"
    "dump\n"
    "event main 超级链接框2 press 1 1\n"
    "wait\n"
    "dump\n"
    "event main 超级链接框1 press 1 1\n"
    "wait\n"
    "dump\n"
    "event main 超级链接框1 press 1 1\n"
    "wait\n"
    "dump\n"
    "type main 编辑框1 １２\n"
    "event main 超级链接框7 press 1 1\n"
    "wait\n"
    "dump\n"
    "type main 编辑框1 -2.7\n"
    "event main 超级链接框7 press 1 1\n"
    "wait\n"
    "dump\n"
    "exit\n";
constexpr Shown DUMPS[] = {{"dianshi", 1},  {"dianying", 1},  {"dianying", 2}, {"dianying", 1},
                           {"dianying", 1}, {"dianying", 12}, {"dianying", 12}};

TEST(HeadlessBrowsing, StartUpCategoryNextPreviousAndJumpAgainstALoopbackCopy) {
  ListSite site;
  site.start();
  const std::filesystem::path history =
      std::filesystem::temp_directory_path() / ("morvessa-catalogue-" + std::to_string(::getpid()) + ".ini");

  HeadlessResult run = run_headless({"--main-host", site.host(), "--history-file", history.string()}, SCRIPT);
  std::filesystem::remove(history);

  ASSERT_EQ(run.exit_status, 0) << run.err;
  ASSERT_EQ(run.dumps.size(), std::size(DUMPS));
  for (std::size_t d = 0; d < std::size(DUMPS); ++d) {
    SCOPED_TRACE("dump " + std::to_string(d + 1));
    const nlohmann::json& dump = run.dumps[d];
    const Shown& want = DUMPS[d];
    EXPECT_EQ(dump["state"]["category_slug"], want.slug);
    EXPECT_EQ(dump["state"]["current_page"], want.page);
    EXPECT_EQ(dump["state"]["total_pages_text"], "24");
    const nlohmann::json& controls = dump["main"]["controls"];
    EXPECT_EQ(controls["透明标签26"]["text"], "共有：24页/当前：第" + std::to_string(want.page) + "页");
    EXPECT_EQ(controls["选择夹1"]["current"], 0);
    for (const PosterCellSpec& cell : POSTER_CELLS) {
      EXPECT_EQ(controls[std::string(cell.label)]["text"], ListSite::title(want.slug, want.page, cell.cell));
      EXPECT_EQ(controls[std::string(cell.picture)]["picture_sha256"],
                sha256_hex(ListSite::poster(want.slug, want.page, cell.cell)));
    }
  }
  // The second previous page on page 1 and the jump to -2.7 asked for nothing.
  EXPECT_EQ(
      site.list_requests(),
      (std::vector<ListRequest>{
          {"dianshi", "1"}, {"dianying", "1"}, {"dianying", "2"}, {"dianying", "1"}, {"dianying", "12"}}));
}

}  // namespace
}  // namespace morvessa::test
