#pragma once
// Settings the embedded Chromium reads from the environment when it starts.

namespace morvessa {

// Run as root, Chromium refuses to start with its sandbox on: then, and only then, it is turned off.
// Call before the QApplication is made.
void prepare_chromium_environment();

}  // namespace morvessa
