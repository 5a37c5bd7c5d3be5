#pragma once
// The command line both executables take.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "net/endpoints.h"

namespace morvessa {

struct Options {
  std::optional<std::string> main_host;
  std::optional<std::string> search_host;
  std::optional<std::array<std::string, PLAY_LINE_COUNT>> line_hosts;
  std::optional<std::filesystem::path> history_file;
  bool help = false;
  bool version = false;
  std::string error;  // non-empty: the command line could not be read

  // No host option at all: the bundled demo serves everything.
  bool uses_demo() const { return !main_host && !search_host && !line_hosts; }
};

Options parse_options(const std::vector<std::string>& args);

// The hosts in use: a host not given defaults to the main host; without --main-host, the search host
// (or line 0's host) stands in for it.
Endpoints endpoints_from(const Options& options);

std::string usage_text(const std::string& program);
std::string version_text(const std::string& program);

}  // namespace morvessa
