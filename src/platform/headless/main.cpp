// morvessa-headless: the whole program on the in-memory toolkit, driven by a script on standard input.

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "app/app.h"
#include "app/layout.h"
#include "app/options.h"
#include "history/history_location.h"
#include "net/curl/curl_transport.h"
#include "platform/headless/program_hosts.h"
#include "platform/headless/record_toolkit.h"
#include "platform/headless/script_driver.h"

int main(int argc, char** argv) {
  using namespace morvessa;
  std::vector<std::string> args(argv + 1, argv + argc);
  Options options = parse_options(args);
  const std::string program = "morvessa-headless";
  if (!options.error.empty()) {
    std::cerr << program << ": " << options.error << "\n" << usage_text(program);
    return 2;
  }
  if (options.help) {
    std::cout << usage_text(program);
    return 0;
  }
  if (options.version) {
    std::cout << version_text(program);
    return 0;
  }

  ProgramHosts hosts = ProgramHosts::start(options);
  auto workers = Workers::create();
  auto toolkit = RecordToolkit::create(workers);
  toolkit->set_page_loader(make_headless_page_loader(make_curl_transport()));
  Services services{toolkit,
                    make_curl_transport(),
                    workers,
                    nullptr,
                    options.history_file.value_or(default_history_file()),
                    hosts.endpoints()};
  App app(std::move(services));
  toolkit->router().set_sink(&app);
  toolkit->create_main_window();
  app.start();

  ScriptDriver driver(*toolkit, app, *workers, std::cin, std::cout, std::cerr);
  int status = driver.run();
  std::cout.flush();
  std::cerr.flush();
  // Workers may still run: the process ends here, without tearing down what they use.
  std::_Exit(status);
}
