// Worker threads writing into the windows while the GUI thread runs, and after the main window has gone.

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <atomic>
#include <set>
#include <thread>

#include "platform/qt/control_widgets.h"
#include "platform/qt/qt_text.h"
#include "platform/workers.h"
#include "support/qt_fixture.h"

namespace morvessa::test {
namespace {

constexpr ControlRef EPISODES = main_control("超级列表框2");
constexpr ControlRef NOW_PLAYING = main_control("透明标签37");
constexpr int WRITERS = 4;

std::string png_bytes(QColor colour) {
  QImage image(60, 80, QImage::Format_RGB32);
  image.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

std::string cell_text(int writer, int cell) {
  return std::to_string(writer) + ":" + std::to_string(cell);
}

using WorkersTest = QtToolkitTest;

TEST_F(WorkersTest, WorkersWriteCellsAndRowsWhileTheWindowRuns) {
  auto workers = Workers::create();
  const std::string poster = png_bytes(Qt::darkCyan);
  std::atomic<int> read_back_mismatches{0};
  for (int w = 0; w < WRITERS; ++w) {
    workers->start([ui = toolkit, w, poster, &read_back_mismatches] {
      for (int cell = 1; cell <= POSTER_CELL_COUNT; ++cell) {
        auto picture = ui->find_control_by_tag(WindowId::main, cell + PICTURE_TAG_OFFSET);
        ui->set_picture(picture->control, poster);
        auto label = ui->find_control_by_tag(WindowId::main, cell);
        ui->set_text(label->control, cell_text(w, cell));
        const int row = ui->list_insert_row(EPISODES);
        ui->list_set_cell(EPISODES, row, 0, cell_text(w, cell));
        ui->list_set_cell(EPISODES, row, 1, cell_text(w, cell) + "/page");
        if (ui->list_get_cell(EPISODES, row, 0) != cell_text(w, cell)) ++read_back_mismatches;
      }
    });
  }
  // The window keeps handling input meanwhile.
  const ControlRef button = main_control("超级按钮2");
  QMetaObject::invokeMethod(&widget(button), "click", Qt::QueuedConnection);
  ASSERT_TRUE(wait_until([&] { return workers->running() == 0; }));
  EXPECT_EQ(sink->count(button, EventKind::clicked), 1);
  EXPECT_EQ(read_back_mismatches, 0);

  ASSERT_EQ(toolkit->list_row_count(EPISODES), WRITERS * POSTER_CELL_COUNT);
  std::vector<int> next_cell(WRITERS, 1);
  for (int row = 0; row < WRITERS * POSTER_CELL_COUNT; ++row) {
    const std::string first = toolkit->list_get_cell(EPISODES, row, 0);
    EXPECT_EQ(toolkit->list_get_cell(EPISODES, row, 1), first + "/page");
    const int writer = std::stoi(first.substr(0, first.find(':')));
    // Each worker's rows appear in the order it wrote them.
    EXPECT_EQ(first, cell_text(writer, next_cell[static_cast<std::size_t>(writer)]++));
  }
  for (int cell = 1; cell <= POSTER_CELL_COUNT; ++cell) {
    auto* box = qobject_cast<PictureBoxWidget*>(
        &widget(toolkit->find_control_by_tag(WindowId::main, cell + 30)->control));
    EXPECT_FALSE(box->picture().isNull());
    const std::string text = toolkit->get_text(toolkit->find_control_by_tag(WindowId::main, cell)->control);
    EXPECT_EQ(text.substr(text.find(':') + 1), std::to_string(cell));
  }
}

TEST_F(WorkersTest, AfterTheMainWindowIsGoneWorkerCallsReturnAtOnce) {
  std::atomic<bool> calling{false};
  int row = 0;
  std::thread queued([&] {
    calling = true;
    row = toolkit->list_insert_row(EPISODES);  // waits for the GUI thread, which is busy below
  });
  while (!calling) std::this_thread::yield();
  toolkit->destroy_window(WindowId::main);
  queued.join();  // without handling a single event: a waiting caller is let go
  EXPECT_EQ(row, -1);

  std::string text = "unchanged";
  int answer = -1, rows = -1;
  std::thread late([&] {
    toolkit->set_text(NOW_PLAYING, "x");
    text = toolkit->get_text(NOW_PLAYING);
    rows = toolkit->list_row_count(EPISODES);
    answer = toolkit->message_box("?", MessageButtons::ok_cancel);
    toolkit->open_modal(WindowId::line);
    toolkit->navigate(main_control("超文本浏览框2"), "http://127.0.0.1:9/");
  });
  late.join();
  EXPECT_EQ(text, "");
  EXPECT_EQ(rows, 0);
  EXPECT_EQ(answer, 1);
}

TEST_F(WorkersTest, AWorkerWaitsWhileAMessageBoxIsOpenAndIsServedMeanwhile) {
  // A nested loop on the GUI thread (a message box) carries out workers' calls.
  auto workers = Workers::create();
  std::atomic<bool> written{false};
  QTimer::singleShot(0, [&] {
    workers->start([ui = toolkit, &written] {
      ui->set_text(NOW_PLAYING, "playing");
      written = true;
    });
    ASSERT_TRUE(wait_until([&] { return written.load(); }));
    qobject_cast<QWidget*>(QApplication::activeModalWidget())->close();
  });
  toolkit->message_box("wait", MessageButtons::ok);
  EXPECT_TRUE(written);
  EXPECT_EQ(toolkit->get_text(NOW_PLAYING), "playing");
  EXPECT_TRUE(workers->wait_idle(std::chrono::seconds(10)));
}

}  // namespace
}  // namespace morvessa::test
