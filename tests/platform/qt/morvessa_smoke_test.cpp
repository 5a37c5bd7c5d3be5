// The desktop program as users run it: started on a loopback catalogue, it fills the 30 poster cells; a
// screenshot is kept, and a termination signal ends it like closing the window.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "platform/qt/startup_trace.h"
#include "support/catalogue_site.h"
#include "support/program_run.h"
#include "support/qt_fixture.h"

namespace morvessa::test {
namespace {

constexpr std::chrono::seconds START_LIMIT{120};
constexpr std::chrono::seconds END_LIMIT{30};

TEST(MorvessaSmoke, FillsTheGridOnALoopbackCatalogue) {
  CatalogueSite site;
  TempFolder temp;
  const std::string host = site.host();
  const std::string hosts = host + "," + host + "," + host + "," + host + "," + host;
  ProgramRun run(MORVESSA_BIN,
                 {"--main-host", host, "--search-host", host, "--line-hosts", hosts, "--history-file",
                  (temp.path() / "history.ini").string()},
                 {{STARTUP_TRACE_VARIABLE, "1"}, {"XDG_CACHE_HOME", (temp.path() / "cache").string()}});
  ASSERT_TRUE(run.wait_for_line(std::string(TRACE_WINDOW_SHOWN), START_LIMIT)) << run.output();
  ASSERT_TRUE(run.wait_for_line(std::string(TRACE_GRID_DRAWN), START_LIMIT)) << run.output();
  EXPECT_GE(site.poster_requests(), CATALOGUE_TITLES);

  const std::filesystem::path shots = MORVESSA_SCREENSHOT_DIR;
  std::filesystem::create_directories(shots);
  const std::filesystem::path shot = shots / "smoke-grid.png";
  const std::string command = "import -window root '" + shot.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_GT(std::filesystem::file_size(shot), 10000u);

  run.signal(SIGTERM);
  std::optional<int> status = run.wait_for_end(END_LIMIT);
  ASSERT_TRUE(status) << "still running after SIGTERM";
  ASSERT_TRUE(WIFEXITED(*status)) << run.output();
  EXPECT_EQ(WEXITSTATUS(*status), 0) << run.output();
}

}  // namespace
}  // namespace morvessa::test
