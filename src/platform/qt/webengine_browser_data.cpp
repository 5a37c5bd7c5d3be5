#include "platform/qt/webengine_browser_data.h"

#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

#include "platform/qt/qt_toolkit.h"

namespace morvessa {
namespace {

class WebEngineBrowserData final : public BrowserData {
 public:
  explicit WebEngineBrowserData(std::shared_ptr<QtToolkit> toolkit) : toolkit_(std::move(toolkit)) {}

  void clear_cache() override {
    toolkit_->with_profile([](QWebEngineProfile& profile) { profile.clearHttpCache(); });
  }
  void clear_cookies() override {
    toolkit_->with_profile([](QWebEngineProfile& profile) { profile.cookieStore()->deleteAllCookies(); });
  }

 private:
  std::shared_ptr<QtToolkit> toolkit_;
};

}  // namespace

std::shared_ptr<BrowserData> make_webengine_browser_data(std::shared_ptr<QtToolkit> toolkit) {
  return std::make_shared<WebEngineBrowserData>(std::move(toolkit));
}

}  // namespace morvessa
