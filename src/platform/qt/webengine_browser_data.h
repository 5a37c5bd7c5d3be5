#pragma once
// The browser data that the start-up clears: the HTTP cache and the cookies of the WebEngine profile.

#include <memory>

#include "app/browser_data.h"

namespace morvessa {

class QtToolkit;

std::shared_ptr<BrowserData> make_webengine_browser_data(std::shared_ptr<QtToolkit> toolkit);

}  // namespace morvessa
