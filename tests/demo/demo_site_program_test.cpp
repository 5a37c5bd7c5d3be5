// morvessa-demo-site as a person runs it: it prints its addresses, serves them, and ends on SIGTERM.

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "site_client.h"

extern char** environ;

namespace morvessa::demo_test {
namespace {

struct Running {
  pid_t pid = -1;
  FILE* output = nullptr;
};

Running run_program(std::vector<std::string> args) {
  args.insert(args.begin(), MORVESSA_DEMO_SITE_PROGRAM);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipe_ends[0]);
  Running running;
  if (posix_spawn(&running.pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) running.pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_ends[1]);
  running.output = fdopen(pipe_ends[0], "r");
  return running;
}

int exit_code(pid_t pid) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// Reads the printed lines until the one that starts with the label; its rest, or empty at the end.
std::string printed(FILE* output, std::string_view label) {
  char line[512];
  while (std::fgets(line, sizeof line, output)) {
    std::string_view text = line;
    if (text.starts_with(label)) {
      text.remove_prefix(label.size());
      while (!text.empty() && (text.front() == ' ')) text.remove_prefix(1);
      while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
      return std::string{text};
    }
  }
  return {};
}

TEST(DemoSiteProgram, PrintsItsAddressesServesThemAndEndsOnSigterm) {
  Running program = run_program({});
  ASSERT_GT(program.pid, 0);
  ASSERT_NE(program.output, nullptr);
  const std::string host = printed(program.output, "main host:");
  const std::string line0 = printed(program.output, "line 0:");
  ASSERT_FALSE(host.empty());
  EXPECT_TRUE(line0.starts_with("https://127.0.0.1:")) << line0;
  EXPECT_TRUE(line0.ends_with("/webcloud/?v=")) << line0;
  EXPECT_EQ(fetch("http://" + host + "/").status, 200);
  kill(program.pid, SIGTERM);
  EXPECT_EQ(exit_code(program.pid), 0);
  std::fclose(program.output);
  EXPECT_EQ(fetch("http://" + host + "/").status, 0);
}

TEST(DemoSiteProgram, RefusesBadArgumentsAndAPortInUse) {
  struct Case {
    std::vector<std::string> args;
    int code;
  };
  const Case cases[] = {
      {{"--port"}, 2},
      {{"--port", "http"}, 2},
      {{"--port", "70000"}, 2},
      {{"--colour"}, 2},
      {{"--port", std::to_string(shared_site().port())}, 1},
      {{"--help"}, 0},
  };
  for (const Case& c : cases) {
    Running program = run_program(c.args);
    ASSERT_GT(program.pid, 0);
    EXPECT_EQ(exit_code(program.pid), c.code) << c.args.front();
    std::fclose(program.output);
  }
}

}  // namespace
}  // namespace morvessa::demo_test
