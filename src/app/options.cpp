#include "app/options.h"

#include <sstream>

namespace morvessa {
namespace {

constexpr std::string_view VERSION = "2.0.0";

std::vector<std::string> split_commas(const std::string& text) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, ',')) parts.push_back(part);
  if (!text.empty() && text.back() == ',') parts.emplace_back();
  return parts;
}

}  // namespace

Options parse_options(const std::vector<std::string>& args) {
  Options options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string name = arg, value;
    bool has_inline_value = false;
    if (auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
      has_inline_value = true;
    }
    auto take_value = [&]() -> bool {
      if (has_inline_value) return true;
      if (i + 1 >= args.size()) {
        options.error = name + " needs a value";
        return false;
      }
      value = args[++i];
      return true;
    };
    if (name == "--help" || name == "-h") {
      options.help = true;
    } else if (name == "--version") {
      options.version = true;
    } else if (name == "--main-host") {
      if (!take_value()) break;
      options.main_host = value;
    } else if (name == "--search-host") {
      if (!take_value()) break;
      options.search_host = value;
    } else if (name == "--line-hosts") {
      if (!take_value()) break;
      std::vector<std::string> hosts = split_commas(value);
      if (hosts.size() != PLAY_LINE_COUNT) {
        options.error = "--line-hosts takes five hosts separated by commas";
        break;
      }
      std::array<std::string, PLAY_LINE_COUNT> lines;
      for (std::size_t k = 0; k < lines.size(); ++k) lines[k] = hosts[k];
      options.line_hosts = lines;
    } else if (name == "--history-file") {
      if (!take_value()) break;
      if (value.empty()) {
        options.error = "--history-file needs a path";
        break;
      }
      options.history_file = std::filesystem::path(value);
    } else {
      options.error = "unknown option: " + arg;
      break;
    }
  }
  return options;
}

Endpoints endpoints_from(const Options& options) {
  Endpoints endpoints;
  std::string main = options.main_host.value_or(
      options.search_host.value_or(options.line_hosts ? (*options.line_hosts)[0] : std::string()));
  endpoints.main_host = main;
  endpoints.search_host = options.search_host.value_or(main);
  for (std::size_t k = 0; k < endpoints.line_hosts.size(); ++k) {
    std::string host = options.line_hosts ? (*options.line_hosts)[k] : std::string();
    endpoints.line_hosts[k] = host.empty() ? main : host;
  }
  return endpoints;
}

std::string usage_text(const std::string& program) {
  return "Usage: " + program +
         " [OPTION]...\n"
         "A desktop front end for watching online video.\n\n"
         "  --main-host HOST[:PORT]     catalogue host of list and detail pages\n"
         "  --search-host HOST[:PORT]   catalogue host of the search page (default: the main host)\n"
         "  --line-hosts H0,H1,H2,H3,H4 parse-service hosts of play lines 0 to 4 (default: the main host)\n"
         "  --history-file PATH         play history file (default: $XDG_DATA_HOME/morvessa/播放记录.ini)\n"
         "  --help                      show this help and exit\n"
         "  --version                   show the version and exit\n\n"
         "With no host option the bundled demo catalogue and parse service are started on loopback.\n";
}

std::string version_text(const std::string& program) {
  return program + " " + std::string(VERSION) + "\n";
}

}  // namespace morvessa
