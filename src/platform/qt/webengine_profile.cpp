#include "platform/qt/webengine_profile.h"

#include <QWebEngineProfile>
#include <QtGlobal>
#include <system_error>

namespace morvessa {
namespace {

constexpr const char* CACHE_HOME_VARIABLE = "XDG_CACHE_HOME";
constexpr const char* PROFILE_SUBFOLDER = "morvessa/webengine";

QString folder_text(const std::filesystem::path& folder) {
  return QString::fromStdString(folder.string());
}

}  // namespace

std::filesystem::path default_profile_folder() {
  std::filesystem::path base;
  if (QByteArray cache = qgetenv(CACHE_HOME_VARIABLE); !cache.isEmpty() && cache.startsWith('/'))
    base = cache.toStdString();
  else if (QByteArray home = qgetenv("HOME"); !home.isEmpty())
    base = std::filesystem::path(home.toStdString()) / ".cache";
  else
    base = std::filesystem::temp_directory_path();
  return base / PROFILE_SUBFOLDER;
}

QWebEngineProfile* make_webengine_profile(const std::filesystem::path& folder, QObject* parent) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  auto* profile = new QWebEngineProfile(QString::fromLatin1(WEBENGINE_PROFILE_NAME), parent);
  // webengine_browser_data.cpp clears these folders' files while the profile is not open.
  profile->setPersistentStoragePath(folder_text(folder / "storage"));
  profile->setCachePath(folder_text(folder / "cache"));
  profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
  profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
  return profile;
}

}  // namespace morvessa
