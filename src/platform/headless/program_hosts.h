#pragma once
// The hosts a program run uses: those of the command line, or the bundled demo started in process.

#include <memory>
#include <string>

#include "app/options.h"
#include "net/endpoints.h"
#include "platform/headless/page_loader.h"

namespace morvessa {

class HttpTransport;

class ProgramHosts final {
 public:
  // With no host option, starts the demo site on free loopback ports; if it cannot start, the hosts stay
  // as the options give them (nothing answers, and the program shows empty lists).
  static ProgramHosts start(const Options& options);
  const Endpoints& endpoints() const { return endpoints_; }
  // "127.0.0.1:PORT" of the demo's own https line, whose self-signed certificate may be trusted; else empty.
  const std::string& demo_tls_host() const { return demo_tls_host_; }

 private:
  Endpoints endpoints_;
  std::string demo_tls_host_;
  std::shared_ptr<void> demo_;  // keeps the demo site running for the life of the program
};

// The loader of the hidden browser box: a GET as a browser makes it, parsed into a document.
std::shared_ptr<PageLoader> make_headless_page_loader(std::shared_ptr<HttpTransport> transport);

}  // namespace morvessa
