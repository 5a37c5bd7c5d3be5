#pragma once
// Whole-file reads and atomic replacement: what the profile file is built on. The disk store is the real
// one; benchmarks and tests wrap it to count or refuse writes.

#include <filesystem>
#include <string>
#include <string_view>

namespace morvessa {

struct FileRead {
  enum class Status { ok, missing, failed };
  Status status = Status::missing;
  std::string bytes;
};

class FileStore {
 public:
  virtual ~FileStore() = default;
  virtual FileRead read(const std::filesystem::path& file) = 0;
  // Replaces the file's contents in one step: a reader, or the file after a crash, holds either the old
  // bytes or the new ones. False when it could not; the old file is then untouched.
  virtual bool replace(const std::filesystem::path& file, std::string_view bytes) = 0;
};

// The file system: a temporary file in the file's own folder, flushed to disk, then renamed over the file.
FileStore& disk_files();

}  // namespace morvessa
