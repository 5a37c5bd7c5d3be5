#include "net/endpoints.h"

#include <gtest/gtest.h>

namespace morvessa {
namespace {

TEST(Endpoints, AddressesFromTheHosts) {
  const Endpoints endpoints{
      "main.test:8080", "search.test", {"l0.test", "10.0.0.1", "l2.test", "l3.test", "l4.test"}};
  EXPECT_EQ(list_page_url(endpoints, "dianshi", 2),
            "http://main.test:8080/dianshi/list?rank=rankhot&cat=all&area=all&act=all&year=all&pageno=2");
  EXPECT_EQ(search_page_url(endpoints, "%E4%B8%AD"), "http://search.test/index.php?kw=%E4%B8%AD");
  EXPECT_EQ(detail_page_url(endpoints, "tv/abc"), "http://main.test:8080/tv/abc.html");
  EXPECT_EQ(line_prefix(endpoints, 0), "https://l0.test/webcloud/?v=");
  EXPECT_EQ(line_prefix(endpoints, 1), "http://10.0.0.1/video.php?url=");
  EXPECT_EQ(line_prefix(endpoints, 2), "http://l2.test/yun?url=");
  EXPECT_EQ(line_prefix(endpoints, 3), "http://l3.test/tong.php?url=");
  EXPECT_EQ(line_prefix(endpoints, 4), "http://l4.test/vip.php?url=");
  EXPECT_EQ(line_prefix(endpoints, 5), "");
  EXPECT_EQ(line_prefix(endpoints, -1), "");
}

}  // namespace
}  // namespace morvessa
