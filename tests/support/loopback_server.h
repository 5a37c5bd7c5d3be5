#pragma once
// A real HTTP server on 127.0.0.1 in the test process; each test sets its handlers.

#include <httplib.h>

#include <string>
#include <thread>

namespace morvessa::test {

class LoopbackServer {
 public:
  LoopbackServer();
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  httplib::Server& server() { return server_; }
  // Starts listening on a free port; call after the handlers are set.
  void start();
  int port() const { return port_; }
  // "127.0.0.1:PORT"
  std::string host() const;
  std::string url(const std::string& path) const;

 private:
  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
};

}  // namespace morvessa::test
