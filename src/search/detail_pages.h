#pragma once
// Listing the episodes, issues or viewing sources of a title from its detail page.

#include <memory>
#include <optional>
#include <string>

#include "app/events.h"
#include "app/request_serial.h"

namespace morvessa {

class App;
class HttpTransport;
class UiToolkit;
class Workers;

void open_selected_result(App& app, const EventArgs& args);   // 超级列表框1 double-clicked
void poster_document_ready(App& app, const EventArgs& args);  // 超文本浏览框1 document ready

// One lookup, handed from parser to parser along the chain.
struct DetailLookup {
  std::shared_ptr<UiToolkit> ui;
  std::shared_ptr<HttpTransport> http;
  std::shared_ptr<Workers> workers;
  std::string address;
  // Set when the lookup came from the result list: each parser shows it in 透明标签32 after its fetch.
  std::optional<std::string> title;
  RequestSerial::Ticket ticket;
};

// The three parsers, each run on its own worker; the first two start the next when they find nothing.
// A stale ticket stops the chain and writes nothing more.
void parse_episode_list(const DetailLookup& lookup);
void parse_issue_list(const DetailLookup& lookup);
void parse_source_list(const DetailLookup& lookup);

}  // namespace morvessa
