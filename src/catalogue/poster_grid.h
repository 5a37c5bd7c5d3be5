#pragma once
// Filling the 30 poster cells from a list page, on worker threads.

#include <memory>
#include <string_view>

#include "app/app_state.h"
#include "app/request_serial.h"

namespace morvessa {

class App;
class HttpTransport;
class UiToolkit;

// The markers of a title and of a poster address on a list page, byte for byte: runs of blanks and CR LF
// included. They must match in full or nothing is found.
inline constexpr std::string_view TITLE_LEFT_MARKER =
    "                  "  // 18 blanks
    "<span class=\"s1\">";
inline constexpr std::string_view TITLE_RIGHT_MARKER =
    "</span>\r\n"
    "               ";  // 15 blanks
inline constexpr std::string_view IMAGE_LEFT_MARKER =
    "                              "  // 30 blanks
    "<img src=\"";
inline constexpr std::string_view IMAGE_RIGHT_MARKER =
    "\">\r\n"
    "                     ";  // 21 blanks
static_assert(TITLE_LEFT_MARKER.size() == 35 && TITLE_RIGHT_MARKER.size() == 24);
static_assert(IMAGE_LEFT_MARKER.size() == 40 && IMAGE_RIGHT_MARKER.size() == 25);

// What one grid worker works with: nothing of the App itself, which may be gone before the worker ends.
struct GridJob {
  PageText page;  // the page_html snapshot of the request
  std::shared_ptr<UiToolkit> ui;
  std::shared_ptr<HttpTransport> http;  // one session per worker, reused from poster to poster
  RequestSerial::Ticket ticket;         // shared by the workers of one request
};

// Starts count workers over the page_html just stored, as one new request; returns at once.
void start_grid_workers(App& app, int count);

// The worker: titles and poster addresses cut out of the page; cell i (1 to 30) gets the i-th poster, then
// the i-th title. Stops as soon as a newer request has been made.
void fill_poster_grid(const GridJob& job);

}  // namespace morvessa
