#include "support/loopback_server.h"

namespace morvessa::test {

LoopbackServer::LoopbackServer() = default;

LoopbackServer::~LoopbackServer() {
  release();
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

void LoopbackServer::hold_until_released() {
  std::unique_lock lock(hold_mutex_);
  ++held_;
  hold_changed_.notify_all();
  hold_changed_.wait(lock, [this] { return released_; });
}

void LoopbackServer::wait_until_held(int n) {
  std::unique_lock lock(hold_mutex_);
  hold_changed_.wait(lock, [this, n] { return held_ >= n || released_; });
}

void LoopbackServer::release() {
  {
    std::lock_guard lock(hold_mutex_);
    released_ = true;
  }
  hold_changed_.notify_all();
}

httplib::Server::Handler LoopbackServer::never_answer() {
  return [this](const httplib::Request&, httplib::Response&) { hold_until_released(); };
}

httplib::Server::Handler LoopbackServer::answer_when_released(std::string body) {
  return [this, body = std::move(body)](const httplib::Request&, httplib::Response& response) {
    hold_until_released();
    response.set_content(body, "text/html");
  };
}

httplib::Server::Handler LoopbackServer::chunked(std::vector<std::string> parts) {
  return [parts = std::move(parts)](const httplib::Request&, httplib::Response& response) {
    response.set_chunked_content_provider("text/html", [parts](std::size_t, httplib::DataSink& sink) {
      for (const std::string& part : parts) sink.write(part.data(), part.size());
      sink.done();
      return true;
    });
  };
}

httplib::Server::Handler LoopbackServer::cut_off(std::string sent, std::size_t declared_length) {
  return [sent = std::move(sent), declared_length](const httplib::Request&, httplib::Response& response) {
    response.set_content_provider(declared_length, "text/html",
                                  [sent](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                    if (offset == 0) sink.write(sent.data(), sent.size());
                                    return false;  // the connection is dropped here
                                  });
  };
}

httplib::Server::Handler LoopbackServer::stall_after(std::string sent, std::size_t declared_length) {
  return
      [this, sent = std::move(sent), declared_length](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider(declared_length, "text/html",
                                      [this, sent](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                        if (offset == 0) sink.write(sent.data(), sent.size());
                                        hold_until_released();
                                        return false;
                                      });
      };
}

}  // namespace morvessa::test
