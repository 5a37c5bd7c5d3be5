#pragma once
// How the desktop program ends: a termination signal closes the main window like Esc does (the play
// history is written), and once the window is gone the process exits without tearing down what workers
// that still run may use.

namespace morvessa {

class QtToolkit;

// SIGTERM, SIGINT and SIGHUP destroy the main window on the GUI thread. Call once, on the GUI thread.
void close_main_window_on_signals(QtToolkit& toolkit);

// GUI thread, after the event loop: deletes the widgets and the browser profile, flushes the standard
// streams, and exits with status. Static destructors do not run: detached workers may still hold them.
[[noreturn]] void end_program(QtToolkit& toolkit, int status);

}  // namespace morvessa
