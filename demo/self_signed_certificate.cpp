#include "demo/self_signed_certificate.h"

#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509v3.h>

#include <cstdio>

namespace morvessa::demo {
namespace {

constexpr const char* KEY_CURVE = "P-256";
constexpr long VALID_BEFORE_NOW_SECONDS = 3600;
constexpr long VALID_DAYS = 30;
constexpr int SERIAL_BYTES = 16;
constexpr const char* SUBJECT_NAME = "Morvessa demo parse service";
constexpr const char* ORGANISATION = "Morvessa";
constexpr const char* ALT_NAMES = "IP:127.0.0.1,DNS:localhost";

bool add_extension(X509* certificate, int nid, const char* value) {
  X509V3_CTX context;
  X509V3_set_ctx_nodb(&context);
  X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
  if (!extension) return false;
  const bool added = X509_add_ext(certificate, extension, -1) == 1;
  X509_EXTENSION_free(extension);
  return added;
}

bool set_random_serial(X509* certificate) {
  unsigned char bytes[SERIAL_BYTES];
  if (RAND_bytes(bytes, sizeof bytes) != 1) return false;
  bytes[0] &= 0x7F;  // a positive serial
  BIGNUM* number = BN_bin2bn(bytes, sizeof bytes, nullptr);
  if (!number) return false;
  const bool set = BN_to_ASN1_INTEGER(number, X509_get_serialNumber(certificate)) != nullptr;
  BN_free(number);
  return set;
}

bool set_names(X509* certificate) {
  X509_NAME* name = X509_get_subject_name(certificate);
  const auto* cn = reinterpret_cast<const unsigned char*>(SUBJECT_NAME);
  const auto* org = reinterpret_cast<const unsigned char*>(ORGANISATION);
  return X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC, org, -1, -1, 0) == 1 &&
         X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, cn, -1, -1, 0) == 1 &&
         X509_set_issuer_name(certificate, name) == 1;
}

std::string pem_of(X509* certificate) {
  BIO* bio = BIO_new(BIO_s_mem());
  if (!bio) return {};
  std::string pem;
  if (PEM_write_bio_X509(bio, certificate) == 1) {
    char* data = nullptr;
    const long length = BIO_get_mem_data(bio, &data);
    if (length > 0) pem.assign(data, static_cast<std::size_t>(length));
  }
  BIO_free(bio);
  return pem;
}

std::string fingerprint_of(X509* certificate) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (X509_digest(certificate, EVP_sha256(), digest, &length) != 1) return {};
  std::string text;
  for (unsigned int i = 0; i < length; ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, i ? ":%02X" : "%02X", digest[i]);
    text += hex;
  }
  return text;
}

}  // namespace

std::optional<SelfSignedCertificate> make_self_signed_certificate() {
  SelfSignedCertificate made;
  made.key.reset(EVP_EC_gen(KEY_CURVE));
  made.certificate.reset(X509_new());
  X509* certificate = made.certificate.get();
  if (!made.key || !certificate) return std::nullopt;
  const bool built =
      X509_set_version(certificate, 2) == 1 && set_random_serial(certificate) &&
      X509_gmtime_adj(X509_getm_notBefore(certificate), -VALID_BEFORE_NOW_SECONDS) != nullptr &&
      X509_gmtime_adj(X509_getm_notAfter(certificate), VALID_DAYS * 24 * 3600) != nullptr &&
      X509_set_pubkey(certificate, made.key.get()) == 1 && set_names(certificate) &&
      add_extension(certificate, NID_basic_constraints, "critical,CA:FALSE") &&
      add_extension(certificate, NID_key_usage, "critical,digitalSignature") &&
      add_extension(certificate, NID_ext_key_usage, "serverAuth") &&
      add_extension(certificate, NID_subject_alt_name, ALT_NAMES) &&
      X509_sign(certificate, made.key.get(), EVP_sha256()) > 0;
  if (!built) return std::nullopt;
  made.pem = pem_of(certificate);
  made.sha256 = fingerprint_of(certificate);
  if (made.pem.empty() || made.sha256.empty()) return std::nullopt;
  return made;
}

}  // namespace morvessa::demo
