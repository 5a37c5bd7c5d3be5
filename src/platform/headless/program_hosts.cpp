#include "platform/headless/program_hosts.h"

#include "demo/demo_site.h"

namespace morvessa {

ProgramHosts ProgramHosts::start(const Options& options) {
  ProgramHosts hosts;
  hosts.endpoints_ = endpoints_from(options);
  if (!options.uses_demo()) return hosts;
  std::shared_ptr<demo::DemoSite> site = demo::DemoSite::start();
  if (!site) return hosts;
  hosts.endpoints_.main_host = hosts.endpoints_.search_host = site->host();
  for (int line = 0; line < PLAY_LINE_COUNT; ++line)
    hosts.endpoints_.line_hosts[static_cast<std::size_t>(line)] = site->line_host(line);
  hosts.demo_tls_host_ = site->line_host(0);
  hosts.demo_ = site;
  return hosts;
}

}  // namespace morvessa
