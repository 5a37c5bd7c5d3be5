#include "support/program_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace morvessa::test {

ProgramRun::ProgramRun(const std::string& program, const std::vector<std::string>& args,
                       const std::map<std::string, std::string>& env) {
  std::map<std::string, std::string> merged;
  for (char** e = environ; *e; ++e) {
    std::string entry = *e;
    const auto eq = entry.find('=');
    if (eq != std::string::npos) merged[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  for (const auto& [name, value] : env) merged[name] = value;
  std::vector<std::string> env_texts;
  for (const auto& [name, value] : merged) env_texts.push_back(name + "=" + value);
  std::vector<std::string> arg_texts{program};
  arg_texts.insert(arg_texts.end(), args.begin(), args.end());

  int pipe_fds[2];
  if (::pipe2(pipe_fds, O_CLOEXEC) != 0) return;
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(pipe_fds[1], STDERR_FILENO);
    std::vector<char*> argv, envp;
    for (std::string& a : arg_texts) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : env_texts) envp.push_back(e.data());
    envp.push_back(nullptr);
    ::execve(program.c_str(), argv.data(), envp.data());
    std::_Exit(127);
  }
  ::close(pipe_fds[1]);
  stderr_fd_ = pipe_fds[0];
}

ProgramRun::~ProgramRun() {
  if (pid_ > 0 && !status_) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  if (stderr_fd_ >= 0) ::close(stderr_fd_);
}

std::optional<std::string> ProgramRun::wait_for_line(const std::string& text,
                                                     std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    for (std::size_t end; (end = output_.find('\n', scanned_)) != std::string::npos; scanned_ = end + 1) {
      std::string line = output_.substr(scanned_, end - scanned_);
      if (line.find(text) != std::string::npos) {
        scanned_ = end + 1;
        return line;
      }
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || stderr_fd_ < 0) return std::nullopt;
    pollfd fd{stderr_fd_, POLLIN, 0};
    if (::poll(&fd, 1, static_cast<int>(left.count())) <= 0) continue;
    char buffer[4096];
    const ssize_t n = ::read(stderr_fd_, buffer, sizeof buffer);
    if (n <= 0) return std::nullopt;  // the program closed its standard error: it has ended
    output_.append(buffer, static_cast<std::size_t>(n));
  }
}

void ProgramRun::signal(int number) {
  if (pid_ > 0 && !status_) ::kill(pid_, number);
}

std::optional<int> ProgramRun::wait_for_end(std::chrono::milliseconds limit) {
  if (status_ || pid_ <= 0) return status_;
  // Draining standard error until it closes waits for the end without polling the child.
  const auto deadline = std::chrono::steady_clock::now() + limit;
  wait_for_line("\x01never\x01", limit);
  // Standard error closes a moment before the process can be reaped: keep asking until the limit.
  for (;;) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      status_ = status;
      break;
    }
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return status_;
}

}  // namespace morvessa::test
