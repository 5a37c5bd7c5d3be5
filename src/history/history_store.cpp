#include "history/history_store.h"

#include <string>

#include "app/app.h"
#include "app/layout.h"
#include "history/history_location.h"
#include "history/profile_file.h"
#include "net/codepage.h"

namespace morvessa {
namespace {

constexpr ControlRef HISTORY_LIST = main_control("超级列表框3");

const std::string& section() {
  static const std::string name = gbk(HISTORY_SECTION);
  return name;
}

}  // namespace

std::vector<HistoryEntry> read_history(FileStore& files, const std::filesystem::path& file) {
  std::vector<HistoryEntry> entries;
  FileRead read = files.read(file);
  if (read.status != FileRead::Status::ok) return entries;
  // Parsed once and looked up key by key, as the per-key reads would see it.
  ProfileFile profile = ProfileFile::parse(read.bytes);
  for (int k = 0;; ++k) {
    std::string value = profile.value(section(), std::to_string(k));
    if (value.empty()) break;
    if (std::optional<HistoryEntry> entry = parse_record(value)) entries.push_back(std::move(*entry));
  }
  return entries;
}

bool write_history(FileStore& files, const std::filesystem::path& file,
                   std::span<const HistoryEntry> entries) {
  if (entries.empty()) return true;
  std::vector<ProfileEntry> records;
  records.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i)
    records.push_back({std::to_string(i), record_value(entries[i])});
  return write_profile_strings(files, file, section(), records);
}

void load_history(App& app, FileStore& files) {
  UiToolkit& ui = app.ui();
  for (const HistoryEntry& entry : read_history(files, app.history_file())) {
    int row = ui.list_insert_row(HISTORY_LIST);
    ui.list_set_cell(HISTORY_LIST, row, 0, entry.text);
    ui.list_set_cell(HISTORY_LIST, row, 1, entry.address);
  }
}

void save_history(App& app, FileStore& files) {
  UiToolkit& ui = app.ui();
  int count = ui.list_row_count(HISTORY_LIST);
  if (count <= 0) return;
  std::vector<HistoryEntry> entries;
  entries.reserve(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row)
    entries.push_back({ui.list_get_cell(HISTORY_LIST, row, 0), ui.list_get_cell(HISTORY_LIST, row, 1)});
  make_history_folder(app.history_file());
  // A failed write leaves the previous file whole; it is tried again at the next save.
  write_history(files, app.history_file(), entries);
}

void clear_history(App& app) {
  std::error_code ignored;
  std::filesystem::remove(app.history_file(), ignored);
  app.ui().list_clear(HISTORY_LIST);
}

void clear_history_pressed(App& app, const EventArgs&) {
  clear_history(app);
}

}  // namespace morvessa
