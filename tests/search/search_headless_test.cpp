// The search and the lookups end to end through morvessa-headless, against a loopback catalogue site.

#include <gtest/gtest.h>

#include "net/codepage.h"
#include "search/catalogue_pages.h"
#include "search/search.h"
#include "support/headless_run.h"
#include "support/loopback_server.h"

namespace morvessa {
namespace {

using nlohmann::json;

TEST(SearchHeadless, TypedSearchDoubleClickAndPosterPressFillTheLists) {
  test::LoopbackServer server;
  server.server().Get("/index.php", [](const httplib::Request& request, httplib::Response& response) {
    if (request.get_param_value("kw") == "剧名")
      response.set_content(test::search_page({{request.get_header_value("Host"), "dianshi/t", "剧名"}}),
                           "text/html");
    else  // any poster title, whatever the grid shows
      response.set_content(test::poster_search_page({"/dianying/p.html"}), "text/html");
  });
  server.server().Get("/dianshi/t.html", [](const httplib::Request&, httplib::Response& response) {
    response.set_content(
        test::detail_page(test::episode_block({{"1", "v.test/1.html"}, {"2", "v.test/2.html"}})),
        "text/html");
  });
  server.server().Get("/dianying/p.html", [](const httplib::Request&, httplib::Response& response) {
    response.set_content(test::detail_page(test::source_block({"s1.test/p", "s2.test/p"})), "text/html");
  });
  server.start();
  const std::string site = server.host();

  const std::string script =
      "type main 编辑框2 剧名\n"
      "event main 编辑框2 key 13\n"
      "wait\n"
      "dump\n"
      "dblclick-row main 超级列表框1 0\n"
      "wait\n"
      "dump\n"
      "event main 透明标签5 press 1 1\n"
      "wait\n"
      "dump\n"
      "exit\n";
  test::HeadlessResult run = test::run_headless(
      {"--main-host", site, "--search-host", site, "--line-hosts", "l0.test,l1.test,l2.test,l3.test,l4.test"},
      script);
  ASSERT_EQ(run.exit_status, 0) << run.err;
  ASSERT_EQ(run.dumps.size(), 3u) << run.out;

  const json& typed = run.dumps[0]["main"]["controls"];
  EXPECT_EQ(typed["超级列表框1"]["rows"],
            json::parse(R"([["剧名", "http://)" + site + R"(/dianshi/t.html"]])"));
  EXPECT_EQ(typed["选择夹1"]["current"], 2);

  const json& looked_up = run.dumps[1]["main"]["controls"];
  EXPECT_EQ(looked_up["超级列表框2"]["rows"],
            json::parse(R"([["1", "http://v.test/1.html"], ["2", "http://v.test/2.html"]])"));
  EXPECT_EQ(looked_up["透明标签32"]["text"], "剧名");
  EXPECT_EQ(looked_up["选择夹1"]["current"], 1);

  const json& poster = run.dumps[2]["main"]["controls"];
  std::string label = poster["透明标签5"]["text"];
  EXPECT_EQ(poster["超文本浏览框1"]["address"],
            "http://" + site + "/index.php?kw=" + encode_keyword(gbk(label)));
  EXPECT_EQ(poster["超级列表框2"]["rows"],
            json::parse(R"([["观看来源1", "http://s1.test/p"], ["观看来源2", "http://s2.test/p"]])"));
  EXPECT_EQ(poster["透明标签32"]["text"], label);
  EXPECT_EQ(run.dumps[2]["state"]["detail_link_urls"], json::array({"http://" + site + "/dianying/p.html"}));
}

}  // namespace
}  // namespace morvessa
