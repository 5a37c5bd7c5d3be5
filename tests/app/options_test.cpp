// The command line and the hosts it gives.

#include "app/options.h"

#include <gtest/gtest.h>

namespace morvessa {
namespace {

TEST(Options, HostsDefaultToTheMainHost) {
  Options o = parse_options({"--main-host", "cat.example:8080", "--history-file=/tmp/h.ini"});
  ASSERT_TRUE(o.error.empty());
  EXPECT_FALSE(o.uses_demo());
  Endpoints e = endpoints_from(o);
  EXPECT_EQ(e.search_host, "cat.example:8080");
  for (const std::string& line : e.line_hosts) EXPECT_EQ(line, "cat.example:8080");
  EXPECT_EQ(o.history_file->string(), "/tmp/h.ini");
}

TEST(Options, LineHostsTakeFiveAndEmptyOnesFallBack) {
  Options o = parse_options({"--main-host=m", "--search-host", "s", "--line-hosts", "a,10.0.0.1,,d,e"});
  ASSERT_TRUE(o.error.empty());
  Endpoints e = endpoints_from(o);
  EXPECT_EQ(e.search_host, "s");
  EXPECT_EQ(e.line_hosts[1], "10.0.0.1");
  EXPECT_EQ(e.line_hosts[2], "m");
  EXPECT_EQ(line_prefix(e, 0), "https://a/webcloud/?v=");
  EXPECT_EQ(line_prefix(e, 4), "http://e/vip.php?url=");
}

TEST(Options, BadCommandLines) {
  const std::vector<std::vector<std::string>> cases = {
      {"--main-host"}, {"--line-hosts", "a,b"}, {"--frobnicate"}, {"--history-file="}, {"stray"}};
  for (const auto& args : cases) EXPECT_FALSE(parse_options(args).error.empty()) << args[0];
  EXPECT_TRUE(parse_options({}).uses_demo());
  EXPECT_TRUE(parse_options({"--help"}).help);
  EXPECT_TRUE(parse_options({"--version"}).version);
}

}  // namespace
}  // namespace morvessa
