#pragma once
// A real HTTP server on 127.0.0.1 in the test process; each test sets its handlers. Besides plain answers,
// handlers can chunk a body, cut the connection off mid-body, or hold a request until the test ends.

#include <httplib.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

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

  // Blocks the calling handler until release() or the end of the server; for clients that must time out.
  void hold_until_released();
  void release();
  // Waits until at least n handlers have begun to hold (each call of hold_until_released counts).
  void wait_until_held(int n);

  // Handlers for the usual misbehaviours.
  // Never answers: the client sees the connection open and silent.
  httplib::Server::Handler never_answer();
  // Answers with the body only once released: a slow server whose answer the test lets go when it wants.
  httplib::Server::Handler answer_when_released(std::string body);
  // Sends the parts as chunks of a chunked body.
  static httplib::Server::Handler chunked(std::vector<std::string> parts);
  // Announces declared_length body bytes, sends only the given ones, then drops the connection.
  static httplib::Server::Handler cut_off(std::string sent, std::size_t declared_length);
  // Sends the headers and the first part of the body, then holds the rest until released.
  httplib::Server::Handler stall_after(std::string sent, std::size_t declared_length);

 private:
  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
  std::mutex hold_mutex_;
  std::condition_variable hold_changed_;
  bool released_ = false;
  int held_ = 0;
};

}  // namespace morvessa::test
