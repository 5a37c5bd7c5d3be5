#pragma once
// Drives the headless program from a script: one command a line, UTF-8, fields split at single blanks.
// See docs/headless.md for the commands.

#include <chrono>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "platform/headless/record_toolkit.h"

namespace morvessa {

class ScriptDriver final {
 public:
  static constexpr std::chrono::seconds WAIT_LIMIT{60};

  ScriptDriver(RecordToolkit& toolkit, App& app, Workers& workers, std::istream& in, std::ostream& out,
               std::ostream& err);

  // Runs the script until `exit`, the end of input, or the end of the program; returns the exit status.
  int run();

 private:
  struct Exit {};

  // Handles commands until done() holds; throws Exit at `exit` or the end of input.
  void run_until(const std::function<bool()>& done);
  void execute(const std::string& line);
  void command_event(const std::vector<std::string>& f);
  void command_wait();
  void error(const std::string& message);
  std::optional<ControlRef> resolve(const std::string& window, const std::string& control);

  RecordToolkit& toolkit_;
  App& app_;
  Workers& workers_;
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  bool failed_ = false;
};

}  // namespace morvessa
