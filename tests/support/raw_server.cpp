#include "support/raw_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cstdlib>
#include <stdexcept>

namespace morvessa::test {
namespace {

constexpr std::string_view HEAD_END = "\r\n\r\n";
constexpr std::string_view CONTENT_LENGTH = "content-length:";

int bind_loopback(int& port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) throw std::runtime_error("socket");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
    throw std::runtime_error("bind");
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return fd;
}

std::size_t declared_length(std::string_view head) {
  std::string lower(head);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::size_t at = lower.find(CONTENT_LENGTH);
  if (at == std::string::npos) return 0;
  return static_cast<std::size_t>(std::strtoul(lower.c_str() + at + CONTENT_LENGTH.size(), nullptr, 10));
}

}  // namespace

std::string RawConnection::read_request() {
  std::array<char, 4096> buffer{};
  std::size_t head_end = std::string::npos;
  for (;;) {
    head_end = pending_.find(HEAD_END);
    if (head_end != std::string::npos) {
      const std::size_t total = head_end + HEAD_END.size() + declared_length(pending_.substr(0, head_end));
      if (pending_.size() >= total) {
        std::string request = pending_.substr(0, total);
        pending_.erase(0, total);
        return request;
      }
    }
    const ssize_t got = ::recv(fd_, buffer.data(), buffer.size(), 0);
    if (got <= 0) return {};
    pending_.append(buffer.data(), static_cast<std::size_t>(got));
  }
}

void RawConnection::send(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
}

RawServer::RawServer(Handler handler) : handler_(std::move(handler)) {
  listen_fd_ = bind_loopback(port_);
  ::listen(listen_fd_, 16);
  thread_ = std::thread([this] { serve(); });
}

RawServer::~RawServer() {
  ::shutdown(listen_fd_, SHUT_RDWR);  // wakes the accept
  {
    std::lock_guard lock(active_mutex_);
    stopping_ = true;
    if (active_fd_ >= 0) ::shutdown(active_fd_, SHUT_RDWR);
  }
  thread_.join();
  ::close(listen_fd_);
}

std::string RawServer::url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void RawServer::serve() {
  for (;;) {
    const int fd = ::accept(listen_fd_, nullptr, nullptr);
    if (fd < 0) return;
    bool serve_it = false;
    {
      std::lock_guard lock(active_mutex_);
      serve_it = !stopping_;
      if (serve_it) active_fd_ = fd;
    }
    RawConnection connection(fd);
    if (serve_it) handler_(connection);
    {
      std::lock_guard lock(active_mutex_);
      active_fd_ = -1;
    }
    ::shutdown(fd, SHUT_RDWR);
    ::close(fd);
  }
}

AnsweringServer::AnsweringServer(std::string answer)
    : server_([this, answer = std::move(answer)](RawConnection& connection) {
        const std::string request = connection.read_request();
        {
          std::lock_guard lock(mutex_);
          requests_.push_back(request);
        }
        connection.send(answer);
      }) {}

std::vector<std::string> AnsweringServer::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

RefusingPort::RefusingPort() {
  fd_ = bind_loopback(port_);
}

RefusingPort::~RefusingPort() {
  ::close(fd_);
}

}  // namespace morvessa::test
