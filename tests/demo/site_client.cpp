#include "site_client.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <openssl/pem.h>

namespace morvessa::demo_test {
namespace {

demo::DemoSite* the_site = nullptr;

class SiteEnvironment final : public testing::Environment {
 public:
  void SetUp() override {
    site_ = demo::DemoSite::start();
    ASSERT_NE(site_, nullptr) << "the demo site did not start";
    the_site = site_.get();
  }
  void TearDown() override {
    the_site = nullptr;
    site_.reset();
  }

 private:
  std::unique_ptr<demo::DemoSite> site_;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new SiteEnvironment);

// "http://host:port/path" into its origin and its path.
std::pair<std::string, std::string> split_url(std::string_view url) {
  const std::size_t scheme_end = url.find("://");
  const std::size_t path_at = url.find('/', scheme_end == std::string_view::npos ? 0 : scheme_end + 3);
  if (path_at == std::string_view::npos) return {std::string{url}, "/"};
  return {std::string{url.substr(0, path_at)}, std::string{url.substr(path_at)}};
}

Fetched from(const httplib::Result& result) {
  Fetched fetched;
  if (!result) return fetched;
  fetched.status = result->status;
  fetched.body = result->body;
  fetched.content_type = result->get_header_value("Content-Type");
  return fetched;
}

}  // namespace

Fetched fetch(std::string_view url, std::string_view host_header) {
  const auto [origin, path] = split_url(url);
  httplib::Client client(origin);
  httplib::Headers headers;
  if (!host_header.empty()) headers.emplace("Host", std::string{host_header});
  return from(client.Get(path, headers));
}

Fetched fetch_tls(std::string_view host, std::string_view path, std::string_view certificate_pem) {
  httplib::SSLClient client(std::string{host.substr(0, host.find(':'))},
                            std::stoi(std::string{host.substr(host.find(':') + 1)}));
  BIO* bio = BIO_new_mem_buf(certificate_pem.data(), static_cast<int>(certificate_pem.size()));
  X509* certificate = PEM_read_bio_X509(bio, nullptr, nullptr, nullptr);
  BIO_free(bio);
  if (certificate) {
    X509_STORE* store = X509_STORE_new();
    X509_STORE_add_cert(store, certificate);
    X509_free(certificate);
    client.set_ca_cert_store(store);  // the client owns the store from here
  }
  client.enable_server_certificate_verification(true);
  return from(client.Get(std::string{path}));
}

Fetched fetch_range(std::string_view url, std::size_t first, std::size_t last) {
  const auto [origin, path] = split_url(url);
  httplib::Client client(origin);
  return from(client.Get(path, {httplib::make_range_header({{first, last}})}));
}

demo::DemoSite& shared_site() {
  return *the_site;
}

}  // namespace morvessa::demo_test
