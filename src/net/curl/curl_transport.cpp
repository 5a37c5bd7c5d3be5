// Placeholder until the curl transport lands: every request fails before sending.
#include "net/curl/curl_transport.h"

namespace morvessa {
namespace {

class FailingSession final : public HttpSession {
 public:
  TransportResponse perform(const TransportRequest&) override { return {TransportFailure::send, {}, {}}; }
};

class FailingTransport final : public HttpTransport {
 public:
  std::unique_ptr<HttpSession> open_session() override { return std::make_unique<FailingSession>(); }
};

}  // namespace

std::shared_ptr<HttpTransport> make_curl_transport() {
  return std::make_shared<FailingTransport>();
}

}  // namespace morvessa
