#include "support/loopback_server.h"

namespace morvessa::test {

LoopbackServer::LoopbackServer() = default;

LoopbackServer::~LoopbackServer() {
  server_.stop();
  if (thread_.joinable()) thread_.join();
}

void LoopbackServer::start() {
  port_ = server_.bind_to_any_port("127.0.0.1");
  thread_ = std::thread([this] { server_.listen_after_bind(); });
  while (!server_.is_running()) std::this_thread::yield();
}

std::string LoopbackServer::host() const {
  return "127.0.0.1:" + std::to_string(port_);
}

std::string LoopbackServer::url(const std::string& path) const {
  return "http://" + host() + path;
}

}  // namespace morvessa::test
