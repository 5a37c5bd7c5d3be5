#include "platform/headless/program_hosts.h"

namespace morvessa {

std::shared_ptr<PageLoader> make_headless_page_loader(std::shared_ptr<HttpTransport>) {
  return nullptr;
}

}  // namespace morvessa
