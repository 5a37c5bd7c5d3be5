// morvessa-demo-site: the bundled demo catalogue and parse services as a standalone server on loopback.
// Prints its addresses, then serves until it gets SIGINT or SIGTERM.

#include <charconv>
#include <csignal>
#include <cstdio>
#include <string_view>

#include "demo/demo_site.h"
#include "demo/player_page.h"

namespace {

constexpr std::string_view USAGE =
    "usage: morvessa-demo-site [--port N] [--tls-port N]\n"
    "  --port N      http port of the catalogue and parse lines 1-4 on 127.0.0.1 (default: a free port)\n"
    "  --tls-port N  https port of parse line 0 (default: a free port)\n";
constexpr int MAX_PORT = 65535;
constexpr int EXIT_USAGE = 2;

bool parse_port(std::string_view text, int& port) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
  return !text.empty() && error == std::errc{} && end == text.data() + text.size() && port >= 0 &&
         port <= MAX_PORT;
}

}  // namespace

int main(int argc, char** argv) {
  morvessa::demo::DemoSiteOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(USAGE.data(), stdout);
      return 0;
    }
    int* port = arg == "--port" ? &options.port : arg == "--tls-port" ? &options.tls_port : nullptr;
    if (!port || i + 1 >= argc || !parse_port(argv[i + 1], *port)) {
      std::fputs(USAGE.data(), stderr);
      return EXIT_USAGE;
    }
    ++i;
  }

  // The server threads inherit this mask, so the signals reach only sigwait below.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  auto site = morvessa::demo::DemoSite::start(options);
  if (!site) {
    std::fprintf(stderr, "morvessa-demo-site: can't listen on port %d or %d of 127.0.0.1\n", options.port,
                 options.tls_port);
    return 1;
  }
  std::printf("catalogue:   http://%s/\n", site->host().c_str());
  std::printf("main host:   %s\n", site->host().c_str());
  std::printf("search host: %s\n", site->host().c_str());
  for (int line = 0; line < morvessa::demo::PARSE_LINE_COUNT; ++line)
    std::printf("line %d:      %s\n", line, site->line_prefix(line).c_str());
  std::printf("certificate: sha256 %s\n", site->certificate_sha256().c_str());
  std::fflush(stdout);

  int received = 0;
  sigwait(&signals, &received);
  site->stop();
  return 0;
}
