#pragma once
// Where the history file lives on this system.

#include <filesystem>
#include <string_view>

namespace morvessa {

// The program's own name of the history file; its drive root maps onto the user's data folder.
inline constexpr std::string_view HISTORY_FILE_PATH = "D:\\\\播放记录.ini";

// $XDG_DATA_HOME/morvessa (default ~/.local/share/morvessa): where the drive D: root of the path maps.
std::filesystem::path data_root();
// The file named by HISTORY_FILE_PATH under data_root().
std::filesystem::path default_history_file();
// Creates the folder that is to hold the file when it is missing, as the drive root always exists where
// the path comes from. Failures are left to the write that follows.
void make_history_folder(const std::filesystem::path& file);

}  // namespace morvessa
