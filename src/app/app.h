#pragma once
// One running program: its state, the platform it runs on, and the dispatch of events to handlers.

#include <filesystem>
#include <memory>

#include "app/app_state.h"
#include "app/browser_data.h"
#include "app/events.h"
#include "app/request_serial.h"
#include "app/ui_toolkit.h"
#include "net/endpoints.h"
#include "net/http_transport.h"
#include "platform/workers.h"

namespace morvessa {

struct Services {
  std::shared_ptr<UiToolkit> ui;
  std::shared_ptr<HttpTransport> http;
  std::shared_ptr<Workers> workers;
  std::shared_ptr<BrowserData> browser_data;  // may be null: nothing to clear
  std::filesystem::path history_file;
  Endpoints endpoints;
};

// Requests whose newer instance takes precedence over workers still running for an older one.
struct RequestSerials {
  RequestSerial grid;
  RequestSerial search;
  RequestSerial detail;
};

class App final : public EventSink {
 public:
  explicit App(Services services);
  ~App() override;
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Program start: state to its start values, the main window's created event (the start-up sequence).
  // The toolkit has built the main window from the layout before this is called.
  void start();

  void handle_event(ControlRef bound, EventKind kind, const EventArgs& args) override;

  UiToolkit& ui() { return *services_.ui; }
  const std::shared_ptr<UiToolkit>& ui_ptr() const { return services_.ui; }
  HttpTransport& http() { return *services_.http; }
  const std::shared_ptr<HttpTransport>& http_ptr() const { return services_.http; }
  Workers& workers() { return *services_.workers; }
  const Endpoints& endpoints() const { return services_.endpoints; }
  const std::filesystem::path& history_file() const { return services_.history_file; }
  BrowserData* browser_data() { return services_.browser_data.get(); }

  AppState state;
  RequestSerials serials;

 private:
  Services services_;
};

}  // namespace morvessa
