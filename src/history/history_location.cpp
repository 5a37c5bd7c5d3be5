#include "history/history_location.h"

#include <cstdlib>

namespace morvessa {

std::filesystem::path data_root() {
  // A relative $XDG_DATA_HOME is to be ignored, as the base directory rules say.
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && *xdg == '/') return std::filesystem::path(xdg) / "morvessa";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home && *home ? home : ".") / ".local" / "share" / "morvessa";
}

std::filesystem::path default_history_file() {
  // "D:\\name": the drive and the doubled separator stand for the root, the rest is the file name.
  std::string_view name = HISTORY_FILE_PATH;
  name.remove_prefix(name.find_last_of('\\') + 1);
  return data_root() / std::filesystem::path(std::u8string(name.begin(), name.end()));
}

void make_history_folder(const std::filesystem::path& file) {
  std::filesystem::path folder = file.parent_path();
  if (folder.empty()) return;
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
}

}  // namespace morvessa
