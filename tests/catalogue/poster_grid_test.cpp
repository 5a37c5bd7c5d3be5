#include "catalogue/poster_grid.h"

#include <gtest/gtest.h>

#include "grid_view.h"
#include "list_site.h"
#include "net/codepage.h"
#include "net/curl/curl_transport.h"
#include "platform/workers.h"
#include "write_log_toolkit.h"

namespace morvessa::test {
namespace {

constexpr auto WAIT_LIMIT = std::chrono::seconds(30);

// Grid workers run straight over a page text, against the loopback site's posters.
class GridFill : public ::testing::Test {
 protected:
  void SetUp() override {
    site.start();
    toolkit->create_main_window();
  }

  GridJob job_for(const std::string& utf8_page) {
    return {std::make_shared<const std::string>(decode_utf8_page(utf8_page)), log, http, serial.begin()};
  }

  // count workers of one new request over the page; returns when all are done.
  void fill(const std::string& utf8_page, int count = 1) {
    GridJob job = job_for(utf8_page);
    for (int i = 0; i < count; ++i) workers->start([job] { fill_poster_grid(job); });
    ASSERT_TRUE(workers->wait_idle(WAIT_LIMIT));
  }

  std::string page(const std::string& slug, int number, int titles = POSTER_CELL_COUNT,
                   int images = POSTER_CELL_COUNT, const ListIndent& indent = {}) {
    return list_page_html(site.titles(slug, number, titles), site.posters(slug, number, images), indent);
  }

  ListSite site;
  std::shared_ptr<Workers> workers = Workers::create();
  std::shared_ptr<RecordToolkit> toolkit = RecordToolkit::create(workers);
  std::shared_ptr<WriteLogToolkit> log = std::make_shared<WriteLogToolkit>(toolkit);
  std::shared_ptr<HttpTransport> http = make_curl_transport();
  RequestSerial serial;
};

TEST_F(GridFill, ThirtyTitlesFillCellOneFirstPosterBeforeTitleOverOneConnection) {
  fill(page("dianshi", 1));

  std::vector<CellWrite> writes = log->writes();
  ASSERT_EQ(writes.size(), 2u * POSTER_CELL_COUNT);
  for (int k = 1; k <= POSTER_CELL_COUNT; ++k) {
    const PosterCellSpec& cell = POSTER_CELLS[static_cast<std::size_t>(k - 1)];
    const CellWrite& picture = writes[static_cast<std::size_t>(2 * k - 2)];
    const CellWrite& label = writes[static_cast<std::size_t>(2 * k - 1)];
    EXPECT_TRUE(picture.picture) << "cell " << k;
    EXPECT_EQ(picture.control, control_by_name(WindowId::main, cell.picture)) << "cell " << k;
    EXPECT_EQ(picture.value, ListSite::poster("dianshi", 1, k));
    EXPECT_FALSE(label.picture) << "cell " << k;
    EXPECT_EQ(label.control, control_by_name(WindowId::main, cell.label)) << "cell " << k;
    EXPECT_EQ(to_utf8(label.value), ListSite::title("dianshi", 1, k));
  }
  EXPECT_EQ(site.poster_requests(), POSTER_CELL_COUNT);
  EXPECT_EQ(site.poster_connections(), 1);
}

// The n-th title goes to cell n wherever that cell lies; the controls' names do not follow the numbers.
struct ScatteredCell {
  int cell;
  const char* picture;
  const char* label;
};
constexpr ScatteredCell SCATTERED_CELLS[] = {
    {1, "图片框1", "透明标签1"},    {5, "图片框13", "透明标签5"},   {9, "图片框5", "透明标签9"},
    {17, "图片框17", "透明标签17"}, {24, "图片框25", "透明标签25"}, {25, "图片框24", "透明标签24"},
    {26, "图片框26", "透明标签27"}, {30, "图片框30", "透明标签31"},
};

TEST_F(GridFill, CellsAreFoundByTagNotByName) {
  fill(page("dianshi", 1));
  ToolkitSnapshot snap = toolkit->snapshot();
  for (const ScatteredCell& c : SCATTERED_CELLS) {
    auto picture = control_by_name(WindowId::main, c.picture);
    auto label = control_by_name(WindowId::main, c.label);
    ASSERT_TRUE(picture && label);
    EXPECT_EQ(snap.main.controls[static_cast<std::size_t>(picture->index)].picture,
              ListSite::poster("dianshi", 1, c.cell))
        << c.picture;
    EXPECT_EQ(to_utf8(snap.main.controls[static_cast<std::size_t>(label->index)].text),
              ListSite::title("dianshi", 1, c.cell))
        << c.label;
  }
}

// Titles and poster addresses are paired by position; the titles decide how many cells are written.
struct Pairing {
  const char* name;
  int titles;
  int images;
  int posters_asked;
};
constexpr Pairing PAIRINGS[] = {
    {"FullPage", 30, 30, 30},
    {"TwelveTitles", 12, 12, 12},
    {"TwelveTitlesTwentyPosters", 12, 20, 12},
    {"TwelveTitlesFivePosters", 12, 5, 5},
    {"ThirtyOneTitles", 31, 31, 30},
    {"PostersWithoutTitles", 0, 10, 0},
};

class GridPairing : public GridFill, public ::testing::WithParamInterface<Pairing> {};

TEST_P(GridPairing, WritesTheCellsOfItsTitlesAndKeepsTheRest) {
  const Pairing& p = GetParam();
  fill(page("dianshi", 1));
  site.reset_counts();
  log->clear_log();

  fill(page("dongman", 2, p.titles, p.images));

  EXPECT_EQ(grid_of(*toolkit), page_grid("dongman", 2, p.titles, p.images, page_grid("dianshi", 1)));
  EXPECT_EQ(log->writes().size(), 2u * static_cast<std::size_t>(std::min(p.titles, POSTER_CELL_COUNT)));
  EXPECT_EQ(site.poster_requests("dongman", 2), p.posters_asked);
  EXPECT_FALSE(site.poster_requested("dongman", 2, 31));
}

INSTANTIATE_TEST_SUITE_P(Pages, GridPairing, ::testing::ValuesIn(PAIRINGS),
                         [](const auto& info) { return std::string(info.param.name); });

// The markers are whole byte sequences: the indentation and the CR LF of the site's lines are part of them.
struct MarkerCase {
  const char* name;
  ListIndent indent;
  bool titles_found;
  bool posters_found;
};
const MarkerCase MARKER_CASES[] = {
    {"AsTheSiteWritesIt", {}, true, true},
    {"DeeperTitleIndent", {19, 15, 30, 21, "\r\n"}, true, true},
    {"TitleIndentOneShort", {17, 15, 30, 21, "\r\n"}, false, false},
    {"LineAfterTitleOneShort", {18, 14, 30, 21, "\r\n"}, false, false},
    {"PosterIndentOneShort", {18, 15, 29, 21, "\r\n"}, true, false},
    {"LineAfterPosterOneShort", {18, 15, 30, 20, "\r\n"}, true, false},
    {"LineFeedsOnly", {18, 15, 30, 21, "\n"}, false, false},
};

class GridMarkers : public GridFill, public ::testing::WithParamInterface<MarkerCase> {};

TEST_P(GridMarkers, FindTitlesAndPostersOnlyWhereTheyMatchInFull) {
  const MarkerCase& m = GetParam();
  fill(page("dianshi", 1));
  site.reset_counts();
  log->clear_log();

  fill(page("zongyi", 3, POSTER_CELL_COUNT, POSTER_CELL_COUNT, m.indent));

  GridView want = page_grid("dianshi", 1);
  if (m.titles_found)
    want = page_grid("zongyi", 3, POSTER_CELL_COUNT, m.posters_found ? POSTER_CELL_COUNT : 0);
  EXPECT_EQ(grid_of(*toolkit), want);
  EXPECT_EQ(site.poster_requests(), m.titles_found && m.posters_found ? POSTER_CELL_COUNT : 0);
  if (!m.titles_found) {
    EXPECT_TRUE(log->writes().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Indents, GridMarkers, ::testing::ValuesIn(MARKER_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridFill, AnEmptyPageWritesNothing) {
  fill(page("dianshi", 1));
  log->clear_log();
  fill("");
  EXPECT_TRUE(log->writes().empty());
  EXPECT_EQ(grid_of(*toolkit), page_grid("dianshi", 1));
}

TEST_F(GridFill, TitlesAreShownAsTheyStand) {
  const std::vector<std::string> titles = {"Tom &amp; Jerry", " 两边有空白 ", "&#20320;"};
  fill(list_page_html(titles, site.posters("dianshi", 1, 3)));
  GridView grid = grid_of(*toolkit);
  for (std::size_t i = 0; i < titles.size(); ++i) EXPECT_EQ(grid[i].title, titles[i]);
}

TEST_F(GridFill, AFailedPosterDownloadLeavesAnEmptyPictureAndTheTitle) {
  fill(page("dianshi", 1));
  std::vector<std::string> images = site.posters("dongman", 1, 2);
  images[0] = site.poster_url("dongman", 1, 1).replace(0, 7, "http://127.0.0.1:1/");
  fill(list_page_html(site.titles("dongman", 1, 2), images));
  GridView grid = grid_of(*toolkit);
  EXPECT_EQ(grid[0], (CellView{ListSite::title("dongman", 1, 1), ""}));
  EXPECT_EQ(grid[1], (CellView{ListSite::title("dongman", 1, 2), ListSite::poster("dongman", 1, 2)}));
}

TEST_F(GridFill, TwoWorkersOfOneRequestLeaveTheGridOfOne) {
  fill(page("dianying", 4), 2);
  EXPECT_EQ(grid_of(*toolkit), page_grid("dianying", 4));
  // Each worker downloads every poster itself, over a connection of its own.
  EXPECT_EQ(site.poster_requests(), 2 * POSTER_CELL_COUNT);
  EXPECT_EQ(site.poster_connections(), 2);
  for (const CellWrite& w : log->writes()) {
    const int tag = std::atoi(toolkit->get_tag(w.control).c_str());
    const int cell = w.picture ? tag - PICTURE_TAG_OFFSET : tag;
    EXPECT_EQ(w.picture ? w.value : to_utf8(w.value),
              w.picture ? ListSite::poster("dianying", 4, cell) : ListSite::title("dianying", 4, cell));
  }
}

TEST_F(GridFill, AWorkerWhoseRequestIsNoLongerTheNewestWritesNothing) {
  GridJob old_job = job_for(page("dianshi", 1));
  serial.begin();
  fill_poster_grid(old_job);
  EXPECT_TRUE(log->writes().empty());
  EXPECT_EQ(site.poster_requests(), 0);
}

TEST_F(GridFill, AnOlderWorkerOvertakenMidwayStopsBeforeItsNextWrite) {
  site.hold_posters("dianshi", 1);
  GridJob old_job = job_for(page("dianshi", 1));
  workers->start([old_job] { fill_poster_grid(old_job); });
  ASSERT_TRUE(site.wait_poster_requests("dianshi", 1, 1));

  fill_poster_grid(job_for(page("dianshi", 2)));
  site.release_posters();
  ASSERT_TRUE(workers->wait_idle(WAIT_LIMIT));

  EXPECT_EQ(grid_of(*toolkit), page_grid("dianshi", 2));
  EXPECT_EQ(site.poster_requests("dianshi", 1), 1);
}

}  // namespace
}  // namespace morvessa::test
