// A save stopped half-way through writing, in a child process: the kernel's file-size limit either kills
// the process in the middle of the write (as a crash would) or, with its signal ignored, fails the write.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "history/history_app.h"
#include "history/history_store.h"
#include "history/test_files.h"

namespace morvessa {
namespace {

using test::file_bytes;
using test::HISTORY;
using test::HistoryApp;
using test::Rows;
using test::TempFolder;

constexpr int SAVE_RETURNED = 42;

struct StopCase {
  const char* name;
  bool killed;  // false: the write fails and the save returns
};

class HistorySaveStopped : public testing::TestWithParam<StopCase> {};

TEST_P(HistorySaveStopped, LeavesTheOldFileWhole) {
  const StopCase& c = GetParam();
  TempFolder folder;
  std::filesystem::path file = folder / "播放记录.ini";
  HistoryApp app(file);
  Rows old_rows;
  for (int i = 0; i < 5000; ++i) {
    old_rows.emplace_back("旧" + std::to_string(i) + " 第1集", "http://h/" + std::to_string(i));
    app.add_row(HISTORY, old_rows.back().first, old_rows.back().second);
  }
  save_history(app.app());
  std::optional<std::string> old_file = file_bytes(file);
  ASSERT_TRUE(old_file);
  for (int i = 0; i < 5000; ++i) app.add_row(HISTORY, "新" + std::to_string(i) + " 第2集", "http://n/");

  // The new file is about twice the old one: the limit stops its writing about half-way.
  auto limit = static_cast<rlim_t>(old_file->size());
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    rlimit no_core{0, 0}, size{limit, limit};
    setrlimit(RLIMIT_CORE, &no_core);
    setrlimit(RLIMIT_FSIZE, &size);
    if (!c.killed) std::signal(SIGXFSZ, SIG_IGN);
    save_history(app.app());
    _exit(SAVE_RETURNED);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  if (c.killed) {
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "status " << status;
  } else {
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == SAVE_RETURNED) << "status " << status;
    EXPECT_EQ(folder.others_than(file), 0) << "the failed write's temporary file is removed";
  }

  EXPECT_EQ(file_bytes(file), old_file);
  HistoryApp next(file);
  EXPECT_EQ(next.rows(HISTORY), old_rows);
}

INSTANTIATE_TEST_SUITE_P(Cases, HistorySaveStopped,
                         testing::Values(StopCase{"killed_half_way", true},
                                         StopCase{"write_fails_half_way", false}),
                         [](const testing::TestParamInfo<StopCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace morvessa
