// extract_between on list pages: the direct scan against the Boost.Regex path and against a bare memmem loop
// over the same text. Prints MB/s for each and, at the end, the ratios with the goals.
#include <benchmark/benchmark.h>
#include <string.h>  // memmem

#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "list_page_fixture.h"
#include "text/extract.h"

namespace morvessa::bench {
namespace {

constexpr std::size_t MIB = 1024 * 1024;
constexpr double REGEX_SPEEDUP_GOAL = 50.0;   // on the 1 MiB page
constexpr double MEMMEM_DISTANCE_GOAL = 4.0;  // the scan may take at most this many times memmem's time

struct PageShape {
  std::size_t size;
  std::size_t entries;
  const char* label;
};
// 30,000 entries do not fit in 1 MiB (each needs more than 35 bytes), so that one is measured at 16 MiB only.
constexpr PageShape SHAPES[] = {
    {MIB, 30, "1MiB/30"}, {16 * MIB, 30, "16MiB/30"}, {16 * MIB, 30000, "16MiB/30000"}};

const std::string& page(int shape) {
  static std::map<int, std::string> pages;
  auto& text = pages[shape];
  if (text.empty()) text = make_list_page(SHAPES[shape].size, SHAPES[shape].entries);
  return text;
}

template <int (*Extract)(std::string_view, std::string_view, std::string_view, std::vector<std::string>&)>
void run_extract(benchmark::State& state) {
  const int shape = static_cast<int>(state.range(0));
  const std::string& text = page(shape);
  for (auto _ : state) {
    std::vector<std::string> titles;
    const int count = Extract(text, TITLE_LEFT, TITLE_RIGHT, titles);
    if (count != static_cast<int>(SHAPES[shape].entries)) {
      state.SkipWithError("wrong number of titles");
      break;
    }
    benchmark::DoNotOptimize(titles.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.SetLabel(SHAPES[shape].label);
}

void BM_FastScan(benchmark::State& state) {
  run_extract<&extract_between>(state);
}
void BM_RegexPath(benchmark::State& state) {
  run_extract<&extract_between_regex>(state);
}

// The floor: finding every left marker with memmem and nothing else.
void BM_BareMemmem(benchmark::State& state) {
  const int shape = static_cast<int>(state.range(0));
  const std::string& text = page(shape);
  for (auto _ : state) {
    std::size_t found = 0;
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    while (const void* hit =
               memmem(at, static_cast<std::size_t>(end - at), TITLE_LEFT.data(), TITLE_LEFT.size())) {
      ++found;
      at = static_cast<const char*>(hit) + TITLE_LEFT.size();
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.SetLabel(SHAPES[shape].label);
}

BENCHMARK(BM_FastScan)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareMemmem)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RegexPath)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Keeps the CPU time per iteration of every run (steadier than wall time on a shared machine), to print the
// ratios after the usual table.
class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        seconds_[run.benchmark_name()] =
            run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      }
    }
  }

  void print_ratios() const {
    std::printf("\n%-12s %12s %12s %12s %14s %16s\n", "page", "scan MB/s", "regex MB/s", "memmem MB/s",
                "scan / regex", "scan vs memmem");
    bool goals_met = true;
    for (int shape = 0; shape < static_cast<int>(std::size(SHAPES)); ++shape) {
      const double bytes = static_cast<double>(page(shape).size());
      const double scan = time_of("BM_FastScan", shape);
      const double regex = time_of("BM_RegexPath", shape);
      const double floor = time_of("BM_BareMemmem", shape);
      if (scan <= 0 || regex <= 0 || floor <= 0) continue;
      const double speedup = regex / scan;
      const double distance = scan / floor;
      std::printf("%-12s %12.1f %12.1f %12.1f %13.1fx %15.2fx\n", SHAPES[shape].label, bytes / scan / 1e6,
                  bytes / regex / 1e6, bytes / floor / 1e6, speedup, distance);
      if (shape == 0) goals_met = goals_met && speedup >= REGEX_SPEEDUP_GOAL;
      goals_met = goals_met && distance <= MEMMEM_DISTANCE_GOAL;
    }
    std::printf("goals (>= %.0fx the regex path on 1 MiB, within %.0fx of memmem): %s\n", REGEX_SPEEDUP_GOAL,
                MEMMEM_DISTANCE_GOAL, goals_met ? "met" : "NOT MET");
  }

 private:
  double time_of(const std::string& benchmark, int shape) const {
    const auto found = seconds_.find(benchmark + "/" + std::to_string(shape));
    return found == seconds_.end() ? 0.0 : found->second;
  }

  std::map<std::string, double> seconds_;
};

}  // namespace
}  // namespace morvessa::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  morvessa::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.print_ratios();
  benchmark::Shutdown();
  return 0;
}
