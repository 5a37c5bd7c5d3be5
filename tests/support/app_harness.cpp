#include "support/app_harness.h"

#include <atomic>
#include <thread>

#include "net/codepage.h"
#include "net/curl/curl_transport.h"
#include "platform/headless/program_hosts.h"

namespace morvessa::test {
namespace {

std::filesystem::path make_temp_dir() {
  static std::atomic<int> counter{0};
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() /
      ("morvessa-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(dir);
  return dir;
}

}  // namespace

AppHarness::AppHarness(Endpoints endpoints, std::filesystem::path history_file)
    : temp_dir_(make_temp_dir()),
      history_file_(history_file.empty() ? temp_dir_ / "history.ini" : std::move(history_file)),
      workers_(Workers::create()),
      toolkit_(RecordToolkit::create(workers_)) {
  auto transport = make_curl_transport();
  toolkit_->set_page_loader(make_headless_page_loader(transport));
  Services services{toolkit_, transport, workers_, nullptr, history_file_, std::move(endpoints)};
  app_ = std::make_unique<App>(std::move(services));
  toolkit_->router().set_sink(app_.get());
}

AppHarness::~AppHarness() {
  settle(std::chrono::seconds(30));
  toolkit_->router().set_sink(nullptr);
  std::error_code ec;
  std::filesystem::remove_all(temp_dir_, ec);
}

void AppHarness::start() {
  toolkit_->create_main_window();
  app_->start();
}

bool AppHarness::settle(std::chrono::milliseconds limit) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    toolkit_->run_pending();
    if (workers_->running() == 0 && toolkit_->idle()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    workers_->wait_idle(std::chrono::milliseconds(5));
  }
}

std::string AppHarness::text(ControlRef control) {
  return to_utf8(toolkit_->get_text(control));
}

std::string AppHarness::cell(ControlRef list, int row, int column) {
  return to_utf8(toolkit_->list_get_cell(list, row, column));
}

void AppHarness::press(ControlRef control, int x, int y) {
  toolkit_->user_event(control, EventKind::left_press, {x, y, 0});
}

void AppHarness::type(ControlRef control, std::string_view utf8) {
  toolkit_->user_type(control, gbk(utf8));
}

}  // namespace morvessa::test
