#include "platform/qt/webengine_browser_data.h"

#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <array>
#include <system_error>

#include "platform/qt/qt_toolkit.h"

namespace morvessa {
namespace {

// Where the profile keeps them (see make_webengine_profile), for the clearing before it is opened.
constexpr const char* CACHE_SUBFOLDER = "cache";
constexpr const char* STORAGE_SUBFOLDER = "storage";
constexpr std::array<const char*, 2> COOKIE_FILES = {"Cookies", "Cookies-journal"};

// Every file below the folder goes; the folders stay. A file that can't be deleted is skipped.
void delete_files_below(const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::recursive_directory_iterator it(folder, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::error_code ignored;
    if (!it->is_directory(ignored)) std::filesystem::remove(it->path(), ignored);
  }
}

// The start-up clears the data before any box has been sent anywhere, so the profile is not open yet:
// then its files are deleted, which spares starting the browser engine at start-up. Once it is open, the
// profile clears its data itself. (Qt WebEngine 6.4 has no completion signal for clearHttpCache, and a
// load started while the clearing runs can stall until the next load: at start-up this never arises.)
class WebEngineBrowserData final : public BrowserData {
 public:
  explicit WebEngineBrowserData(std::shared_ptr<QtToolkit> toolkit) : toolkit_(std::move(toolkit)) {}

  void clear_cache() override {
    toolkit_->with_profile_if_open([](QWebEngineProfile* profile, const std::filesystem::path& folder) {
      if (profile)
        profile->clearHttpCache();
      else
        delete_files_below(folder / CACHE_SUBFOLDER);
    });
  }

  void clear_cookies() override {
    toolkit_->with_profile_if_open([](QWebEngineProfile* profile, const std::filesystem::path& folder) {
      if (profile) {
        profile->cookieStore()->deleteAllCookies();
        return;
      }
      for (const char* name : COOKIE_FILES) {
        std::error_code ignored;
        std::filesystem::remove(folder / STORAGE_SUBFOLDER / name, ignored);
      }
    });
  }

 private:
  std::shared_ptr<QtToolkit> toolkit_;
};

}  // namespace

std::shared_ptr<BrowserData> make_webengine_browser_data(std::shared_ptr<QtToolkit> toolkit) {
  return std::make_shared<WebEngineBrowserData>(std::move(toolkit));
}

}  // namespace morvessa
