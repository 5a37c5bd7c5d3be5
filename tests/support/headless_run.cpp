#include "support/headless_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace morvessa::test {
namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

HeadlessResult run_headless(const std::vector<std::string>& args, const std::string& script) {
  char dir_template[] = "/tmp/morvessa-run-XXXXXX";
  std::string dir = mkdtemp(dir_template);
  std::string script_path = dir + "/script", out_path = dir + "/out", err_path = dir + "/err";
  std::ofstream(script_path, std::ios::binary) << script;

  HeadlessResult result;
  pid_t pid = fork();
  if (pid == 0) {
    std::freopen(script_path.c_str(), "rb", stdin);
    std::freopen(out_path.c_str(), "wb", stdout);
    std::freopen(err_path.c_str(), "wb", stderr);
    std::vector<char*> argv;
    std::string program = MORVESSA_HEADLESS_BIN;
    argv.push_back(program.data());
    std::vector<std::string> copy = args;
    for (std::string& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = read_file(out_path);
  result.err = read_file(err_path);
  std::istringstream lines(result.out);
  for (std::string line; std::getline(lines, line);)
    if (!line.empty()) result.dumps.push_back(nlohmann::json::parse(line, nullptr, false));
  std::remove(script_path.c_str());
  std::remove(out_path.c_str());
  std::remove(err_path.c_str());
  rmdir(dir.c_str());
  return result;
}

}  // namespace morvessa::test
