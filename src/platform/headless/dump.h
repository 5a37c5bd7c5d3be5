#pragma once
// The driver's view of the whole program as one line of JSON, texts in UTF-8.

#include <string>

#include "app/app_state.h"
#include "platform/headless/record_toolkit.h"

namespace morvessa {

std::string dump_json(const ToolkitSnapshot& windows, const AppState& state);

}  // namespace morvessa
