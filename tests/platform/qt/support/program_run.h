#pragma once
// The desktop program started as a child process, with its standard error read line by line.

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace morvessa::test {

class ProgramRun final {
 public:
  // Starts program with args; env adds to (or replaces in) the test's own environment.
  ProgramRun(const std::string& program, const std::vector<std::string>& args,
             const std::map<std::string, std::string>& env);
  ~ProgramRun();
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  pid_t pid() const { return pid_; }
  // The first line of standard error that contains text, read until the deadline; nullopt when the
  // program ended or the time ran out first.
  std::optional<std::string> wait_for_line(const std::string& text, std::chrono::milliseconds limit);
  void signal(int number);
  // The wait status once the program has ended, nullopt when it is still running after the limit.
  std::optional<int> wait_for_end(std::chrono::milliseconds limit);
  const std::string& output() const { return output_; }

 private:
  pid_t pid_ = -1;
  int stderr_fd_ = -1;
  std::string output_;
  std::size_t scanned_ = 0;
  std::optional<int> status_;
};

}  // namespace morvessa::test
