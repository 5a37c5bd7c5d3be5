#include "platform/qt/program_end.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <array>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "platform/qt/qt_toolkit.h"

namespace morvessa {
namespace {

constexpr std::array<int, 3> CLOSING_SIGNALS = {SIGTERM, SIGINT, SIGHUP};

// The handler only writes a byte; the GUI thread reads it and closes the window.
int signal_pipe[2] = {-1, -1};

void on_signal(int) {
  const char byte = 1;
  [[maybe_unused]] ssize_t n = ::write(signal_pipe[0], &byte, 1);
}

}  // namespace

void close_main_window_on_signals(QtToolkit& toolkit) {
  if (signal_pipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signal_pipe) != 0) return;
  auto* notifier = new QSocketNotifier(signal_pipe[1], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [&toolkit] {
    char byte = 0;
    [[maybe_unused]] ssize_t n = ::read(signal_pipe[1], &byte, 1);
    toolkit.destroy_window(WindowId::main);
  });
  struct sigaction action = {};
  action.sa_handler = on_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : CLOSING_SIGNALS) ::sigaction(signal, &action, nullptr);
}

void end_program(QtToolkit& toolkit, int status) {
  toolkit.shutdown();
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::_Exit(status);
}

}  // namespace morvessa
