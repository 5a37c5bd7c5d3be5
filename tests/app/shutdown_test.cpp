// The program may end while its workers still run: it must end cleanly every time.

#include <gtest/gtest.h>

#include "list_site.h"
#include "support/headless_run.h"

namespace morvessa {
namespace {

constexpr int RUNS = 100;

TEST(Shutdown, EndingWhileThirtyWorkersRunIsClean) {
  test::ListSite site;
  site.set_poster_delay(std::chrono::milliseconds(20));
  site.start();
  // Two workers at start-up and three per next page: 2 + 3 * 10 = 32 workers, all mid-download at the exit.
  std::string script;
  for (int i = 0; i < 10; ++i) script += "event main 超级链接框2 press 1 1\n";
  script += "exit\n";
  for (int run = 0; run < RUNS; ++run) {
    test::HeadlessResult r = test::run_headless(
        {"--main-host", site.host(), "--history-file", "/nonexistent/morvessa/h.ini"}, script);
    ASSERT_EQ(r.exit_status, 0) << "run " << run << "\n" << r.err;
    ASSERT_TRUE(r.err.empty()) << "run " << run << "\n" << r.err;
  }
}

}  // namespace
}  // namespace morvessa
