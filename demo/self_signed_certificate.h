#pragma once
// The certificate of the demo's https parse service: a fresh key and a self-signed certificate for the
// loopback address, made in memory at every start.

#include <openssl/evp.h>
#include <openssl/x509.h>

#include <memory>
#include <optional>
#include <string>

namespace morvessa::demo {

struct X509Free {
  void operator()(X509* certificate) const { X509_free(certificate); }
};
struct KeyFree {
  void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};

struct SelfSignedCertificate {
  std::unique_ptr<X509, X509Free> certificate;
  std::unique_ptr<EVP_PKEY, KeyFree> key;
  std::string pem;     // the certificate, PEM encoded
  std::string sha256;  // its SHA-256 fingerprint, "AB:CD:..."
};

// An ECDSA P-256 key and a certificate for 127.0.0.1 and localhost, valid from an hour ago for 30 days.
// Empty when OpenSSL fails.
std::optional<SelfSignedCertificate> make_self_signed_certificate();

}  // namespace morvessa::demo
