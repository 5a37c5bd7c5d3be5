#pragma once
// The HTTP transport as the desktop program hands it to the logic: a request made on the GUI thread (the
// page loads that block the window) shows the busy cursor until it is done.

#include <memory>

#include "net/http_transport.h"

namespace morvessa {

class GuiDispatcher;

std::shared_ptr<HttpTransport> make_busy_cursor_transport(std::shared_ptr<HttpTransport> inner,
                                                          std::shared_ptr<GuiDispatcher> gui);

}  // namespace morvessa
