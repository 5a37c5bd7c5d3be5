#pragma once
// A transport that hands every request on to a real one and keeps a copy of what it was asked, so tests
// can check the values that a call chose (time-outs, caps, header lines) while the request still goes out.

#include <memory>
#include <mutex>
#include <vector>

#include "net/http_transport.h"

namespace morvessa::test {

class RecordingTransport final : public HttpTransport {
 public:
  explicit RecordingTransport(std::shared_ptr<HttpTransport> inner) : inner_(std::move(inner)) {}

  std::unique_ptr<HttpSession> open_session() override;
  std::vector<TransportRequest> requests() const;

 private:
  class Session;
  void record(const TransportRequest& request);

  std::shared_ptr<HttpTransport> inner_;
  mutable std::mutex mutex_;
  std::vector<TransportRequest> requests_;
};

}  // namespace morvessa::test
