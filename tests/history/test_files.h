#pragma once
// Files for history tests: a private temporary folder, whole-file reads and writes, and a store that
// counts replacements.

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "history/file_store.h"

namespace morvessa::test {

class TempFolder final {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("morvessa-history-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / std::filesystem::path(name); }
  // Names of everything in the folder other than the given file.
  int others_than(const std::filesystem::path& file) const {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) n += entry.path() != file;
    return n;
  }

 private:
  std::filesystem::path path_;
};

inline std::optional<std::string> file_bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return std::move(bytes).str();
}

inline void put_file(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

class CountingFiles final : public FileStore {
 public:
  FileRead read(const std::filesystem::path& file) override { return disk_files().read(file); }
  bool replace(const std::filesystem::path& file, std::string_view bytes) override {
    ++replacements;
    return disk_files().replace(file, bytes);
  }
  int replacements = 0;
};

}  // namespace morvessa::test
