#include "history/file_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <vector>

namespace morvessa {
namespace {

// mkstemp's pattern, after the file's own name: ".播放记录.ini.XXXXXX" beside the file.
constexpr std::string_view TEMP_SUFFIX = ".XXXXXX";
constexpr mode_t NEW_FILE_MODE = 0600;

bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Makes the rename itself durable; a folder that can't be opened or flushed costs only that.
void sync_folder(const std::filesystem::path& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// A symbolic link is kept: its target is the file replaced.
std::filesystem::path resolve_target(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(file, ec)) return file;
  std::filesystem::path target = std::filesystem::weakly_canonical(file, ec);
  return ec ? file : target;
}

class DiskFiles final : public FileStore {
 public:
  FileRead read(const std::filesystem::path& file) override {
    std::error_code ec;
    // A folder opens as a stream that reads nothing: it is no file to read or to write over.
    if (std::filesystem::is_directory(file, ec)) return {FileRead::Status::failed, {}};
    std::ifstream in(file, std::ios::binary);
    if (!in) {
      bool exists = std::filesystem::exists(file, ec);
      return {exists || ec ? FileRead::Status::failed : FileRead::Status::missing, {}};
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) return {FileRead::Status::failed, {}};
    return {FileRead::Status::ok, std::move(bytes).str()};
  }

  bool replace(const std::filesystem::path& file, std::string_view bytes) override {
    std::filesystem::path target = resolve_target(file);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ("." + target.filename().string())).string();
    pattern += TEMP_SUFFIX;
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    // The new file keeps the permissions of the one it replaces.
    struct stat old {};
    ::fchmod(fd, ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : NEW_FILE_MODE);
    bool ok = write_all(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = ::rename(temp.data(), target.c_str()) == 0;
    if (!ok) {
      ::unlink(temp.data());
      return false;
    }
    sync_folder(folder);
    return true;
  }
};

}  // namespace

FileStore& disk_files() {
  static DiskFiles files;
  return files;
}

}  // namespace morvessa
