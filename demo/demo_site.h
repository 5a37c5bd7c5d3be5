#pragma once
// The bundled demo catalogue site and its five parse services, served in process on loopback: the catalogue
// (list, search, detail and play pages, posters) and parse lines 1 to 4 over http on one port, parse line 0
// over https, with a certificate made at start, on a second port.

#include <memory>
#include <string>

#include "demo/catalogue.h"

namespace morvessa::demo {

struct DemoSiteOptions {
  int port = 0;      // http port on 127.0.0.1; 0 takes a free one
  int tls_port = 0;  // https port of line 0; 0 takes a free one
};

class DemoSite final {
 public:
  // Binds both ports and starts serving; nullptr when a port can't be bound or the certificate can't be made.
  static std::unique_ptr<DemoSite> start(const DemoSiteOptions& options = {});
  ~DemoSite();
  DemoSite(const DemoSite&) = delete;
  DemoSite& operator=(const DemoSite&) = delete;

  // "127.0.0.1:PORT": the main host and the search host.
  std::string host() const;
  // host[:port] of parse service 0 to 4: line 0 is "127.0.0.1:TLS_PORT" (https), lines 1 to 4 are host().
  // Empty outside 0 to 4.
  std::string line_host(int line) const;
  // The line's whole prefix, e.g. "https://127.0.0.1:TLS_PORT/webcloud/?v=".
  std::string line_prefix(int line) const;
  int port() const;
  int tls_port() const;
  // The self-signed certificate of line 0, PEM encoded, and its SHA-256 fingerprint ("AB:CD:..."), so that a
  // client can trust exactly this certificate.
  const std::string& certificate_pem() const;
  const std::string& certificate_sha256() const;
  const Catalogue& catalogue() const;

  // Stops serving and waits for the server threads; open keep-alive connections end within a second.
  // Safe to call more than once; the destructor calls it.
  void stop();

 private:
  struct Impl;
  explicit DemoSite(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace morvessa::demo
