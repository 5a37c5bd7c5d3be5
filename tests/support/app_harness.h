#pragma once
// The whole program in the test process: the in-memory toolkit, real workers and the curl transport.

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "app/app.h"
#include "platform/headless/record_toolkit.h"

namespace morvessa::test {

class AppHarness {
 public:
  // history_file empty: a fresh file name in a temporary folder of this harness.
  explicit AppHarness(Endpoints endpoints, std::filesystem::path history_file = {});
  ~AppHarness();

  // Builds the main window and runs program start (the start-up sequence included).
  void start();
  // Runs queued window-thread events until no worker runs and nothing is queued. False after the limit.
  bool settle(std::chrono::milliseconds limit = std::chrono::seconds(30));

  App& app() { return *app_; }
  RecordToolkit& ui() { return *toolkit_; }
  Workers& workers() { return *workers_; }
  const std::filesystem::path& history_file() const { return history_file_; }

  // Texts of controls in UTF-8, for assertions.
  std::string text(ControlRef control);
  std::string cell(ControlRef list, int row, int column);
  // The user's own input, then the event.
  void press(ControlRef control, int x = 1, int y = 1);
  void type(ControlRef control, std::string_view utf8);

 private:
  std::filesystem::path temp_dir_;
  std::filesystem::path history_file_;
  std::shared_ptr<Workers> workers_;
  std::shared_ptr<RecordToolkit> toolkit_;
  std::unique_ptr<App> app_;
};

}  // namespace morvessa::test
