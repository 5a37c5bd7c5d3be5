#pragma once
// The play history list 超级列表框3 and its file: section "播放记录", one record a row, keyed by the row
// index in decimal from "0"; the first key without a value ends the history.

#include <filesystem>
#include <span>
#include <vector>

#include "app/events.h"
#include "history/file_store.h"
#include "history/history_record.h"

namespace morvessa {

class App;

inline constexpr std::string_view HISTORY_SECTION = "播放记录";

// The entries of the file, in key order; records that give no entry are passed over.
std::vector<HistoryEntry> read_history(FileStore& files, const std::filesystem::path& file);
// Writes entry i under key i, all in one replacement of the file; keys above the last are left as they
// are. Nothing is written for no entries. False when the file could not be written.
bool write_history(FileStore& files, const std::filesystem::path& file,
                   std::span<const HistoryEntry> entries);

// Appends the file's entries to 超级列表框3 (start-up).
void load_history(App& app, FileStore& files = disk_files());
// Writes the rows of 超级列表框3 to the file (after each new entry, and when the main window goes).
void save_history(App& app, FileStore& files = disk_files());
// Deletes the file and empties 超级列表框3.
void clear_history(App& app);
void clear_history_pressed(App& app, const EventArgs& args);  // 超级链接框10 pressed

}  // namespace morvessa
