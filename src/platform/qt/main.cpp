// morvessa: the desktop program on Qt 6 Widgets and Qt WebEngine.

#include <QApplication>
#include <QLoggingCategory>
#include <iostream>

#include "app/app.h"
#include "app/options.h"
#include "history/history_location.h"
#include "net/curl/curl_transport.h"
#include "platform/headless/program_hosts.h"
#include "platform/qt/browser_box.h"
#include "platform/qt/busy_cursor_transport.h"
#include "platform/qt/chromium_environment.h"
#include "platform/qt/program_end.h"
#include "platform/qt/qt_toolkit.h"
#include "platform/qt/webengine_browser_data.h"

namespace {

constexpr const char* PROGRAM = "morvessa";
// WebEngine describes its OpenGL set-up on every start; the user has no use for it.
constexpr const char* QUIET_LOGGING_RULES = "qt.webenginecontext.info=false\nqt.webenginecontext.debug=false";

}  // namespace

int main(int argc, char** argv) {
  using namespace morvessa;
  std::vector<std::string> args(argv + 1, argv + argc);
  Options options = parse_options(args);
  if (!options.error.empty()) {
    std::cerr << PROGRAM << ": " << options.error << "\n" << usage_text(PROGRAM);
    return 2;
  }
  if (options.help) {
    std::cout << usage_text(PROGRAM);
    return 0;
  }
  if (options.version) {
    std::cout << version_text(PROGRAM);
    return 0;
  }

  prepare_chromium_environment();
  QLoggingCategory::setFilterRules(QString::fromLatin1(QUIET_LOGGING_RULES));
  QApplication::setApplicationName(QString::fromLatin1(PROGRAM));
  QApplication qt_app(argc, argv);

  ProgramHosts hosts = ProgramHosts::start(options);
  BrowserPage::set_trusted_tls_host(QString::fromStdString(hosts.demo_tls_host()));
  auto workers = Workers::create();
  auto toolkit = QtToolkit::create();
  Services services{toolkit,
                    make_busy_cursor_transport(make_curl_transport(), toolkit->gui()),
                    workers,
                    make_webengine_browser_data(toolkit),
                    options.history_file.value_or(default_history_file()),
                    hosts.endpoints()};
  App app(std::move(services));
  toolkit->router().set_sink(&app);
  toolkit->set_on_main_destroyed([] { QCoreApplication::exit(0); });
  close_main_window_on_signals(*toolkit);

  toolkit->create_main_window();
  app.start();
  if (!toolkit->main_destroyed()) QApplication::exec();
  toolkit->router().set_sink(nullptr);
  end_program(*toolkit, 0);
}
