#pragma once
// A bare TCP server on 127.0.0.1 for what an HTTP library hides: the request bytes exactly as sent (header
// order included) and answers written byte for byte, malformed ones too. Connections are served one at a
// time on the server's thread, each by the test's handler; at destruction the open connection is cut, so a
// handler that waits for more (a silent server) returns.

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace morvessa::test {

class RawConnection {
 public:
  explicit RawConnection(int fd) : fd_(fd) {}
  // One request: the head through its empty line and as many body bytes as Content-Length gives; empty when
  // the client closed first.
  std::string read_request();
  void send(std::string_view bytes);

 private:
  int fd_;
  std::string pending_;
};

class RawServer {
 public:
  using Handler = std::function<void(RawConnection&)>;

  explicit RawServer(Handler handler);
  ~RawServer();
  RawServer(const RawServer&) = delete;
  RawServer& operator=(const RawServer&) = delete;

  int port() const { return port_; }
  std::string url(const std::string& path) const;

 private:
  void serve();

  Handler handler_;
  std::mutex active_mutex_;
  int active_fd_ = -1;  // the connection being served, cut at destruction so a waiting handler returns
  bool stopping_ = false;
  int listen_fd_ = -1;
  int port_ = 0;
  std::thread thread_;
};

// A raw server that keeps every request it reads and answers each with the same bytes.
class AnsweringServer {
 public:
  explicit AnsweringServer(std::string answer);
  std::string url(const std::string& path) const { return server_.url(path); }
  std::string host() const { return "127.0.0.1:" + std::to_string(server_.port()); }
  std::vector<std::string> requests() const;

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  RawServer server_;
};

// A port on 127.0.0.1 that is bound but not listening, so a connection to it is refused; held while alive.
class RefusingPort {
 public:
  RefusingPort();
  ~RefusingPort();
  RefusingPort(const RefusingPort&) = delete;
  RefusingPort& operator=(const RefusingPort&) = delete;
  int port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

}  // namespace morvessa::test
