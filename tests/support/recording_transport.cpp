#include "support/recording_transport.h"

namespace morvessa::test {

class RecordingTransport::Session final : public HttpSession {
 public:
  Session(RecordingTransport& owner, std::unique_ptr<HttpSession> inner)
      : owner_(owner), inner_(std::move(inner)) {}
  TransportResponse perform(const TransportRequest& request) override {
    owner_.record(request);
    return inner_->perform(request);
  }

 private:
  RecordingTransport& owner_;
  std::unique_ptr<HttpSession> inner_;
};

std::unique_ptr<HttpSession> RecordingTransport::open_session() {
  std::unique_ptr<HttpSession> inner = inner_->open_session();
  if (!inner) return nullptr;
  return std::make_unique<Session>(*this, std::move(inner));
}

std::vector<TransportRequest> RecordingTransport::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void RecordingTransport::record(const TransportRequest& request) {
  std::lock_guard lock(mutex_);
  requests_.push_back(request);
}

}  // namespace morvessa::test
