#pragma once
// How a headless browser box loads an address into a document.

#include <memory>
#include <string>

namespace morvessa {

class DocumentAccess;

class PageLoader {
 public:
  virtual ~PageLoader() = default;
  // Runs on a worker thread: fetches the address as a browser would and parses it. Null when nothing loaded.
  virtual std::shared_ptr<DocumentAccess> load(const std::string& address) = 0;
};

}  // namespace morvessa
