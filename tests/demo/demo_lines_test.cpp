// The five parse services of the demo: the pages they answer, the clip, and the https line's certificate.

#include <gtest/gtest.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>

#include <regex>

#include "demo/catalogue.h"
#include "site_client.h"

namespace morvessa::demo_test {
namespace {

using demo::Catalogue;
using demo::Title;

constexpr std::string_view WEBM_SIGNATURE = "\x1A\x45\xDF\xA3";

struct LineShape {
  std::string_view scheme;
  std::string_view path_and_key;
};
constexpr LineShape LINE_SHAPES[] = {
    {"https://", "/webcloud/?v="}, {"http://", "/video.php?url="}, {"http://", "/yun?url="},
    {"http://", "/tong.php?url="}, {"http://", "/vip.php?url="},
};

Fetched fetch_from_line(demo::DemoSite& site, int line, std::string_view path) {
  if (line == 0) return fetch_tls(site.line_host(0), path, site.certificate_pem());
  return fetch("http://" + site.line_host(line) + std::string{path});
}

// The path and query of a line's address for a page address.
std::string line_path(demo::DemoSite& site, int line, std::string_view address) {
  const std::string prefix = site.line_prefix(line);
  return prefix.substr(prefix.find('/', prefix.find("://") + 3)) + std::string{address};
}

class DemoLine : public testing::TestWithParam<int> {
 protected:
  demo::DemoSite& site = shared_site();
  const int line = GetParam();
};

TEST_P(DemoLine, HasItsPathAndKey) {
  const LineShape& shape = LINE_SHAPES[line];
  EXPECT_EQ(site.line_prefix(line),
            std::string{shape.scheme} + site.line_host(line) + std::string{shape.path_and_key});
}

TEST_P(DemoLine, ShowsTheTitleAndItemItWasAskedForAndPlaysTheClip) {
  const Catalogue& catalogue = site.catalogue();
  struct Case {
    const Title& title;
    std::string item;
    std::string label;
  };
  const Title& series = catalogue.category_titles(0)[3];
  const Title& film = catalogue.category_titles(1)[4];
  const Title& show = catalogue.category_titles(3)[5];
  const Case cases[] = {
      {series, "3", "第3集"},
      {film, "s2", "观看来源2 · " + film.sources[1]},
      {show, show.issues[1].date, show.issues[1].label},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title.name + " " + c.label);
    const std::string address = "http://" + site.host() + Catalogue::play_path(c.title, c.item);
    const Fetched page = fetch_from_line(site, line, line_path(site, line, address));
    ASSERT_EQ(page.status, 200);
    EXPECT_NE(page.body.find("<h1 class=\"player-title\">" + c.title.name + "</h1>"), std::string::npos);
    EXPECT_NE(page.body.find(c.label), std::string::npos);
    EXPECT_NE(page.body.find(address), std::string::npos);
    std::smatch video;
    ASSERT_TRUE(std::regex_search(page.body, video, std::regex(R"re(<video[^>]* src="([^"]+)")re")));
    const Fetched clip = fetch_from_line(site, line, video[1].str());
    ASSERT_EQ(clip.status, 200);
    EXPECT_EQ(clip.content_type, "video/webm");
    EXPECT_TRUE(clip.body.starts_with(WEBM_SIGNATURE));
    EXPECT_NE(clip.body.substr(0, 64).find("webm"), std::string::npos);
  }
}

TEST_P(DemoLine, ShowsAnAddressItDoesNotKnowEscapedAndWhole) {
  const Fetched page =
      fetch_from_line(site, line, line_path(site, line, "%3Cscript%3Ealert(1)%3C/script%3E&x=1"));
  ASSERT_EQ(page.status, 200);
  EXPECT_EQ(page.body.find("<script>"), std::string::npos);
  EXPECT_NE(page.body.find("&lt;script&gt;alert(1)&lt;/script&gt;&amp;x=1"), std::string::npos);
}

TEST_P(DemoLine, SaysSoWhenNoAddressCame) {
  const Fetched page = fetch_from_line(site, line, line_path(site, line, ""));
  ASSERT_EQ(page.status, 200);
  EXPECT_EQ(page.body.find("<video"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Lines, DemoLine, testing::Range(0, 5));

TEST(DemoLines, OnlyLineZeroIsHttpsAndLineOneIsAnIpv4Host) {
  demo::DemoSite& site = shared_site();
  EXPECT_NE(site.line_host(0), site.host());
  for (int line = 1; line < 5; ++line) EXPECT_EQ(site.line_host(line), site.host());
  EXPECT_TRUE(std::regex_match(site.line_host(1), std::regex(R"(\d+\.\d+\.\d+\.\d+:\d+)")));
  EXPECT_EQ(site.line_host(-1), "");
  EXPECT_EQ(site.line_host(5), "");
}

TEST(DemoLines, TheClipIsServedInRangesAsPlayersAskForIt) {
  demo::DemoSite& site = shared_site();
  const Fetched part = fetch_range("http://" + site.host() + "/media/demo-clip.webm", 0, 99);
  EXPECT_EQ(part.status, 206);
  EXPECT_EQ(part.body.size(), 100u);
  EXPECT_TRUE(part.body.starts_with(WEBM_SIGNATURE));
}

TEST(DemoLines, TheCertificateIsSelfSignedForTheLoopbackAddress) {
  demo::DemoSite& site = shared_site();
  BIO* bio = BIO_new_mem_buf(site.certificate_pem().data(), static_cast<int>(site.certificate_pem().size()));
  X509* certificate = PEM_read_bio_X509(bio, nullptr, nullptr, nullptr);
  BIO_free(bio);
  ASSERT_NE(certificate, nullptr);
  EXPECT_EQ(X509_check_ip_asc(certificate, "127.0.0.1", 0), 1);
  EXPECT_EQ(X509_NAME_cmp(X509_get_subject_name(certificate), X509_get_issuer_name(certificate)), 0);
  EXPECT_EQ(X509_verify(certificate, X509_get0_pubkey(certificate)), 1);
  EXPECT_LT(X509_cmp_current_time(X509_get0_notBefore(certificate)), 0);
  EXPECT_GT(X509_cmp_current_time(X509_get0_notAfter(certificate)), 0);
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  ASSERT_EQ(X509_digest(certificate, EVP_sha256(), digest, &length), 1);
  char first[3];
  std::snprintf(first, sizeof first, "%02X", digest[0]);
  EXPECT_TRUE(site.certificate_sha256().starts_with(first));
  EXPECT_EQ(site.certificate_sha256().size(), length * 3 - 1);
  X509_free(certificate);

  // Trusted as itself the https line answers (verify_host included); trusted as nothing it does not.
  const std::string path = "/webcloud/?v=";
  EXPECT_EQ(fetch_tls(site.line_host(0), path, site.certificate_pem()).status, 200);
  EXPECT_EQ(fetch_tls(site.line_host(0), path, "").status, 0);
}

TEST(DemoSites, TwoRunSideBySideWithTheirOwnCertificatesAndStopCleanly) {
  auto first = demo::DemoSite::start();
  auto second = demo::DemoSite::start();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first->host(), second->host());
  EXPECT_NE(first->certificate_sha256(), second->certificate_sha256());
  EXPECT_EQ(fetch("http://" + first->host() + "/").status, 200);
  EXPECT_EQ(fetch_tls(second->line_host(0), "/webcloud/?v=", second->certificate_pem()).status, 200);
  const std::string stopped_host = first->host();
  first->stop();
  first->stop();
  EXPECT_EQ(fetch("http://" + stopped_host + "/").status, 0);
  EXPECT_EQ(fetch("http://" + second->host() + "/").status, 200);
}

TEST(DemoSites, APortInUseIsRefused) {
  demo::DemoSite& site = shared_site();
  EXPECT_EQ(demo::DemoSite::start({.port = site.port()}), nullptr);
  EXPECT_EQ(demo::DemoSite::start({.tls_port = site.tls_port()}), nullptr);
}

}  // namespace
}  // namespace morvessa::demo_test
