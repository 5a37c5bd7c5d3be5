#pragma once
// The embedded browser engine's stored data, cleared at every start.

namespace morvessa {

class BrowserData {
 public:
  virtual ~BrowserData() = default;
  virtual void clear_cache() = 0;
  virtual void clear_cookies() = 0;
};

}  // namespace morvessa
