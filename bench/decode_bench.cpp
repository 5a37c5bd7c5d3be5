// decode_utf8_page of a 4 MiB page of mostly Chinese text, in MB/s of UTF-8 input.
#include <benchmark/benchmark.h>

#include "net/codepage.h"

namespace morvessa::bench {
namespace {

constexpr std::size_t PAGE_BYTES = 4 * 1024 * 1024;

std::string chinese_page() {
  const std::string line =
      "<li><a "
      "href=\"/dianshi/1.html\">热播电视剧第一季全集高清在线观看，最新上映的国产剧情片与综艺节目</a></"
      "li>\r\n";
  std::string page;
  page.reserve(PAGE_BYTES + line.size());
  while (page.size() < PAGE_BYTES) page += line;
  return page;
}

void BM_DecodeUtf8Page(benchmark::State& state) {
  const std::string page = chinese_page();
  for (auto _ : state) {
    std::string text = decode_utf8_page(page);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}

BENCHMARK(BM_DecodeUtf8Page)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvessa::bench

BENCHMARK_MAIN();
