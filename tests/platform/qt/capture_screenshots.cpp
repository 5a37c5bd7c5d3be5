// morvessa-screenshots: the desktop program on a loopback catalogue and a loopback parse service, driven
// like a user would, with the main window photographed twice: the filled poster grid, and the play page
// after a line change and a history entry played again. Usage: morvessa-screenshots OUTPUT_FOLDER

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/app.h"
#include "app/layout.h"
#include "history/history_record.h"
#include "history/history_store.h"
#include "net/codepage.h"
#include "net/curl/curl_transport.h"
#include "platform/qt/browser_box.h"
#include "platform/qt/busy_cursor_transport.h"
#include "platform/qt/chromium_environment.h"
#include "platform/qt/control_widgets.h"
#include "platform/qt/list_view_widget.h"
#include "platform/qt/qt_toolkit.h"
#include "platform/qt/webengine_browser_data.h"
#include "support/catalogue_site.h"
#include "support/qt_fixture.h"

namespace morvessa::test {
namespace {

// A parse service's page as a player shows it: the programme's still, a play button and a control bar.
constexpr const char* PLAYER_PAGE = R"HTML(<!DOCTYPE html><html><head><meta charset="utf-8"><style>
html, body { margin: 0; height: 100%; background: #000; font-family: sans-serif; overflow: hidden; }
.still { position: absolute; inset: 0; background: url('%STILL%') center / cover; filter: brightness(0.55); }
.play { position: absolute; left: 50%; top: 45%; width: 96px; height: 96px; margin: -48px 0 0 -48px;
  border-radius: 50%; background: rgba(255, 128, 0, 0.9); box-shadow: 0 0 40px rgba(255, 128, 0, 0.5); }
.play:after { content: ''; position: absolute; left: 38px; top: 28px; border-style: solid;
  border-width: 20px 0 20px 32px; border-color: transparent transparent transparent #fff; }
.bar { position: absolute; left: 0; right: 0; bottom: 0; height: 44px;
  background: linear-gradient(transparent, rgba(0, 0, 0, 0.85)); color: #eee; font-size: 13px; }
.track { position: absolute; left: 16px; right: 16px; top: 8px; height: 4px; background: #555; border-radius: 2px; }
.done { width: 34%; height: 100%; background: #ff8000; border-radius: 2px; }
.time { position: absolute; left: 16px; bottom: 8px; }
.name { position: absolute; right: 16px; bottom: 8px; color: #ffb060; }
</style></head><body><div class="still"></div><div class="play"></div>
<div class="bar"><div class="track"><div class="done"></div></div><span class="time">15:24 / 45:10</span>
<span class="name">高清线路 · 1080P</span></div></body></html>)HTML";

constexpr ControlRef PLAYER = main_control("超文本浏览框2");
constexpr int LINE_WITH_PLAIN_HTTP = 1;  // line 0 is https, which the loopback service does not speak

// The history a few earlier runs would have left.
void write_earlier_history(const std::filesystem::path& file, const std::string& host) {
  std::ofstream out(file, std::ios::binary);
  out << "[" << gbk(HISTORY_SECTION) << "]\r\n";
  const int watched[] = {1, 5, 12, 20};
  for (int i = 0; i < 4; ++i) {
    const int n = watched[i];
    HistoryEntry entry{
        gbk(CatalogueSite::title(n) + " 第" + std::to_string(i + 3) + "集"),
        "http://" + host + "/play/" + std::to_string(n) + "-" + std::to_string(i + 3) + ".html"};
    out << i << "=" << record_value(entry) << "\r\n";
  }
}

bool grid_filled(QtToolkit& ui) {
  for (int cell = 1; cell <= POSTER_CELL_COUNT; ++cell) {
    auto* box = qobject_cast<PictureBoxWidget*>(
        ui.control_widget(ui.find_control_by_tag(WindowId::main, cell + PICTURE_TAG_OFFSET)->control));
    if (!box || box->picture().isNull()) return false;
  }
  return true;
}

bool photograph(QWidget& window, const std::filesystem::path& file) {
  QTest::qWait(300);  // let the last frames reach the screen
  QPixmap shot = window.screen()->grabWindow(0, window.x(), window.y(), window.width(), window.height());
  const bool saved = shot.save(QString::fromStdString(file.string()), "PNG");
  std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", file.c_str());
  return saved;
}

// Clicks whatever modal box or window comes up next, once it is there.
void answer_next_modal(const std::function<void(QWidget&)>& answer) {
  QTimer::singleShot(0, [answer] {
    if (!wait_until([] { return QApplication::activeModalWidget() != nullptr; })) return;
    answer(*QApplication::activeModalWidget());
  });
}

int run(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  CatalogueSite site;
  LoopbackServer parse_service;
  parse_service.server().Get(R"(/.*)", [&](const httplib::Request&, httplib::Response& res) {
    std::string page = PLAYER_PAGE;
    page.replace(page.find("%STILL%"), 7, "http://" + site.host() + "/poster/1.jpg");
    res.set_content(page, "text/html; charset=utf-8");
  });
  parse_service.start();
  TempFolder temp;
  write_earlier_history(temp.path() / "history.ini", site.host());

  auto workers = Workers::create();
  auto toolkit = QtToolkit::create(QtToolkitSettings{temp.path() / "profile"});
  Endpoints endpoints{site.host(), site.host(), {}};
  endpoints.line_hosts.fill(parse_service.host());
  Services services{toolkit,
                    make_busy_cursor_transport(make_curl_transport(), toolkit->gui()),
                    workers,
                    make_webengine_browser_data(toolkit),
                    temp.path() / "history.ini",
                    endpoints};
  App app(std::move(services));
  toolkit->router().set_sink(&app);
  toolkit->create_main_window();
  app.start();
  QWidget& window = *toolkit->window_widget(WindowId::main);
  if (!wait_until([&] { return grid_filled(*toolkit); }, 60000)) return 1;
  if (!photograph(window, folder / "main-window.png")) return 1;

  // The play line: the line window, its second line, the confirmation.
  QTest::mouseClick(toolkit->control_widget(main_control("超级按钮2")), Qt::LeftButton);
  answer_next_modal([&](QWidget&) {
    auto* combo = qobject_cast<QComboBox*>(toolkit->control_widget(line_control("组合框1")));
    combo->setCurrentIndex(LINE_WITH_PLAIN_HTTP);
    answer_next_modal([](QWidget& box) {
      if (auto* message = qobject_cast<QMessageBox*>(&box)) message->buttons().front()->click();
    });
    QTest::mouseClick(toolkit->control_widget(line_control("超级按钮1")), Qt::LeftButton);
  });
  QTest::mouseClick(toolkit->control_widget(main_control("透明标签38")), Qt::LeftButton);

  // The first history entry played again.
  auto* history = qobject_cast<ListViewWidget*>(toolkit->control_widget(main_control("超级列表框3")));
  if (history->row_count() == 0) return 1;
  QTest::mouseClick(history->viewport(), Qt::LeftButton, {},
                    history->visualItemRect(history->topLevelItem(0)).center());
  auto* player = qobject_cast<BrowserBoxWidget*>(toolkit->control_widget(PLAYER));
  if (!wait_until([&] { return player->loaded_page() && !player->loaded_page()->isLoading(); }, 30000))
    return 1;
  QTest::qWait(1500);  // the still is decoded and drawn after the load
  if (!photograph(window, folder / "play-page.png")) return 1;

  toolkit->router().set_sink(nullptr);
  toolkit->shutdown();
  return 0;
}

}  // namespace
}  // namespace morvessa::test

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: morvessa-screenshots OUTPUT_FOLDER\n");
    return 2;
  }
  morvessa::prepare_chromium_environment();
  QApplication app(argc, argv);
  const int status = morvessa::test::run(argv[1]);
  std::fflush(nullptr);
  std::_Exit(status);  // workers may still run
}
