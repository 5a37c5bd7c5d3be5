#pragma once
// The persistent WebEngine profile that every browser box of a program run shares: its HTTP cache and
// cookies live under the user's cache folder, and are cleared at every start.

#include <QString>
#include <filesystem>

class QObject;
class QWebEngineProfile;

namespace morvessa {

inline constexpr const char* WEBENGINE_PROFILE_NAME = "morvessa";

// $XDG_CACHE_HOME/morvessa/webengine, or ~/.cache/morvessa/webengine.
std::filesystem::path default_profile_folder();

// GUI thread only. The caller owns the profile and deletes it after every page that uses it.
QWebEngineProfile* make_webengine_profile(const std::filesystem::path& folder, QObject* parent);

}  // namespace morvessa
