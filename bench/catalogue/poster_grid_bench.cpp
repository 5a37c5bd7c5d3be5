// Filling the grid against a site that answers each poster after 20 ms: the time from the start of the fill
// to the 30th cell, against the floor of 30 sequential poster round trips plus the page.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "catalogue/poster_grid.h"
#include "list_site.h"
#include "net/codepage.h"
#include "net/curl/curl_transport.h"
#include "net/endpoints.h"
#include "net/page_fetch.h"
#include "platform/headless/record_toolkit.h"

namespace morvessa::test {
namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

constexpr auto POSTER_LATENCY = std::chrono::milliseconds(20);
constexpr int CELLS = 30;
constexpr int ITERATIONS = 10;

void BM_FillThirtyCells(benchmark::State& state) {
  ListSite site;
  site.set_poster_delay(POSTER_LATENCY);
  site.start();
  auto workers = Workers::create();
  auto toolkit = RecordToolkit::create(workers);
  toolkit->create_main_window();
  std::shared_ptr<HttpTransport> http = make_curl_transport();
  RequestSerial serial;
  const std::string address = list_page_url(Endpoints{site.host(), site.host(), {}}, "dianshi", 1);

  double page_ms = 0, fill_ms = 0, worst_fill_ms = 0;
  int connections = 0, posters = 0;
  for (auto _ : state) {
    site.reset_counts();
    const auto page_start = Clock::now();
    PageText page = std::make_shared<const std::string>(decode_utf8_page(fetch_page_bytes(*http, address)));
    const auto fill_start = Clock::now();
    fill_poster_grid(GridJob{page, toolkit, http, serial.begin()});  // returns right after the 30th cell
    const auto fill_end = Clock::now();

    state.SetIterationTime(std::chrono::duration<double>(fill_end - fill_start).count());
    page_ms += Ms(fill_start - page_start).count();
    fill_ms += Ms(fill_end - fill_start).count();
    worst_fill_ms = std::max(worst_fill_ms, Ms(fill_end - fill_start).count());
    connections = std::max(connections, site.poster_connections());
    posters = std::max(posters, site.poster_requests());
  }
  const double n = static_cast<double>(state.iterations());
  const double floor_ms = CELLS * Ms(POSTER_LATENCY).count() + page_ms / n;
  state.counters["fill_ms"] = fill_ms / n;
  state.counters["worst_fill_ms"] = worst_fill_ms;
  state.counters["page_ms"] = page_ms / n;
  state.counters["floor_ms"] = floor_ms;
  state.counters["ratio"] = fill_ms / n / floor_ms;
  state.counters["posters"] = posters;
  state.counters["connections"] = connections;  // per fill, counted by the server
}

// The same 30 poster round trips with nothing around them, over one session: what the machine and the
// transport make of the floor, so the fill's own cost shows as the difference.
void BM_ThirtyBareDownloads(benchmark::State& state) {
  ListSite site;
  site.set_poster_delay(POSTER_LATENCY);
  site.start();
  std::shared_ptr<HttpTransport> http = make_curl_transport();
  const std::vector<std::string> urls = site.posters("dianshi", 1, CELLS);
  for (auto _ : state) {
    const auto start = Clock::now();
    std::unique_ptr<HttpSession> session = http->open_session();
    for (const std::string& url : urls) benchmark::DoNotOptimize(download_bytes(*session, url));
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
  }
  // A fresh session each round: connections per round, counted by the server.
  state.counters["connections"] = site.poster_connections() / static_cast<double>(state.iterations());
}

BENCHMARK(BM_FillThirtyCells)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(ITERATIONS);
BENCHMARK(BM_ThirtyBareDownloads)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(ITERATIONS);

}  // namespace
}  // namespace morvessa::test

BENCHMARK_MAIN();
