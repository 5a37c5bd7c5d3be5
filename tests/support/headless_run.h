#pragma once
// Runs the morvessa-headless executable with a script and collects what it prints.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace morvessa::test {

struct HeadlessResult {
  int exit_status = -1;               // the exit code, or 128 + signal
  std::vector<nlohmann::json> dumps;  // one per `dump`, in order
  std::string out;
  std::string err;
};

HeadlessResult run_headless(const std::vector<std::string>& args, const std::string& script);

}  // namespace morvessa::test
