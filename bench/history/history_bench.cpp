// Load and save of the play history, and the per-key reads and rewrites that they replace: each read of
// a key reading the whole file again, each written key rewriting it. Time, and file writes per operation.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/layout.h"
#include "history/file_store.h"
#include "history/history_store.h"
#include "history/profile_file.h"
#include "net/codepage.h"
#include "platform/headless/record_toolkit.h"

namespace morvessa {
namespace {

constexpr ControlRef HISTORY_LIST = main_control("超级列表框3");

class CountingFiles final : public FileStore {
 public:
  FileRead read(const std::filesystem::path& file) override { return disk_files().read(file); }
  bool replace(const std::filesystem::path& file, std::string_view bytes) override {
    ++writes;
    return disk_files().replace(file, bytes);
  }
  long writes = 0;
};

// Entries shaped like real ones: a title, an episode, a page address on the catalogue site.
std::vector<HistoryEntry> sample_entries(int count) {
  std::vector<HistoryEntry> entries;
  for (int i = 0; i < count; ++i)
    entries.push_back(
        {gbk("测试剧集" + std::to_string(i) + "之长篇故事 第" + std::to_string(i % 40 + 1) + "集"),
         "http://www.catalogue.example/tv/" + std::to_string(100000 + i * 7) + "/play.html"});
  return entries;
}

// The main window on the in-memory toolkit, and a history file in a folder of its own on disk.
class HistoryBench final {
 public:
  HistoryBench() {
    folder_ = std::filesystem::temp_directory_path() / ("morvessa-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    file_ = folder_ / "播放记录.ini";
    std::filesystem::remove(file_);
    ui_->create_main_window();
    app_ = std::make_unique<App>(Services{ui_, nullptr, workers_, nullptr, file_, {}});
  }
  ~HistoryBench() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  App& app() { return *app_; }
  UiToolkit& ui() { return *ui_; }
  const std::filesystem::path& file() const { return file_; }
  void show(const std::vector<HistoryEntry>& entries) {
    ui_->list_clear(HISTORY_LIST);
    for (const HistoryEntry& e : entries) {
      int row = ui_->list_insert_row(HISTORY_LIST);
      ui_->list_set_cell(HISTORY_LIST, row, 0, e.text);
      ui_->list_set_cell(HISTORY_LIST, row, 1, e.address);
    }
  }

 private:
  std::filesystem::path folder_, file_;
  std::shared_ptr<Workers> workers_ = Workers::create();
  std::shared_ptr<RecordToolkit> ui_ = RecordToolkit::create(workers_);
  std::unique_ptr<App> app_;
};

void report(benchmark::State& state, long writes, int rows) {
  state.counters["rows"] = rows;
  state.counters["file_writes"] =
      benchmark::Counter(static_cast<double>(writes), benchmark::Counter::kAvgIterations);
}

void BM_load_history(benchmark::State& state) {
  HistoryBench bench;
  write_history(disk_files(), bench.file(), sample_entries(static_cast<int>(state.range(0))));
  CountingFiles files;
  for (auto _ : state) {
    state.PauseTiming();
    bench.ui().list_clear(HISTORY_LIST);
    state.ResumeTiming();
    load_history(bench.app(), files);
  }
  report(state, files.writes, bench.ui().list_row_count(HISTORY_LIST));
}

void BM_load_per_key_baseline(benchmark::State& state) {
  HistoryBench bench;
  write_history(disk_files(), bench.file(), sample_entries(static_cast<int>(state.range(0))));
  const std::string section = gbk(HISTORY_SECTION);
  UiToolkit& ui = bench.ui();
  for (auto _ : state) {
    state.PauseTiming();
    ui.list_clear(HISTORY_LIST);
    state.ResumeTiming();
    for (int k = 0;; ++k) {
      std::string value = read_profile_string(disk_files(), bench.file(), section, std::to_string(k));
      if (value.empty()) break;
      std::optional<HistoryEntry> entry = parse_record(value);
      if (!entry) continue;
      int row = ui.list_insert_row(HISTORY_LIST);
      ui.list_set_cell(HISTORY_LIST, row, 0, entry->text);
      ui.list_set_cell(HISTORY_LIST, row, 1, entry->address);
    }
  }
  report(state, 0, ui.list_row_count(HISTORY_LIST));
}

// The save at shut-down: the file already holds the rows that were loaded at start-up.
void BM_save_history(benchmark::State& state) {
  HistoryBench bench;
  std::vector<HistoryEntry> entries = sample_entries(static_cast<int>(state.range(0)));
  write_history(disk_files(), bench.file(), entries);
  bench.show(entries);
  CountingFiles files;
  for (auto _ : state) save_history(bench.app(), files);
  report(state, files.writes, static_cast<int>(entries.size()));
}

void BM_save_per_key_baseline(benchmark::State& state) {
  HistoryBench bench;
  std::vector<HistoryEntry> entries = sample_entries(static_cast<int>(state.range(0)));
  write_history(disk_files(), bench.file(), entries);
  bench.show(entries);
  const std::string section = gbk(HISTORY_SECTION);
  UiToolkit& ui = bench.ui();
  CountingFiles files;
  for (auto _ : state) {
    int count = ui.list_row_count(HISTORY_LIST);
    for (int i = 0; i < count; ++i) {
      HistoryEntry row{ui.list_get_cell(HISTORY_LIST, i, 0), ui.list_get_cell(HISTORY_LIST, i, 1)};
      write_profile_string(files, bench.file(), section, std::to_string(i), record_value(row));
    }
  }
  report(state, files.writes, static_cast<int>(entries.size()));
}

constexpr std::string_view FULL_BASELINE_FLAG = "--full-baseline";

void register_all(bool full_baseline) {
  for (auto* b : {benchmark::RegisterBenchmark("BM_load_history", BM_load_history),
                  benchmark::RegisterBenchmark("BM_save_history", BM_save_history)})
    b->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
  // The per-key baselines grow with the square of the entries: 10,000 of them take minutes.
  for (auto* b : {benchmark::RegisterBenchmark("BM_load_per_key_baseline", BM_load_per_key_baseline),
                  benchmark::RegisterBenchmark("BM_save_per_key_baseline", BM_save_per_key_baseline)}) {
    b->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
    if (full_baseline) b->Arg(10000)->Iterations(1);
  }
}

}  // namespace
}  // namespace morvessa

// history_bench [--full-baseline] [benchmark options]: --full-baseline adds the baselines of 10,000 entries.
int main(int argc, char** argv) {
  bool full_baseline = false;
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    if (argv[i] == morvessa::FULL_BASELINE_FLAG)
      full_baseline = true;
    else
      args.push_back(argv[i]);
  }
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  morvessa::register_all(full_baseline);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
