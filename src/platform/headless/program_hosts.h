#pragma once
// The hosts a program run uses: those of the command line, or the bundled demo started in process.

#include <memory>

#include "app/options.h"
#include "net/endpoints.h"
#include "platform/headless/page_loader.h"

namespace morvessa {

class HttpTransport;

class ProgramHosts final {
 public:
  static ProgramHosts start(const Options& options);
  const Endpoints& endpoints() const { return endpoints_; }

 private:
  Endpoints endpoints_;
  std::shared_ptr<void> demo_;  // keeps the demo site running for the life of the program
};

// The loader of the hidden browser box: a GET as a browser makes it, parsed into a document.
std::shared_ptr<PageLoader> make_headless_page_loader(std::shared_ptr<HttpTransport> transport);

}  // namespace morvessa
