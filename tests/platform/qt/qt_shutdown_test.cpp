// The program ending while 30 workers still write into the window: run 50 times in child processes, each
// must end with status 0 (no crash, no hang).

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QBuffer>
#include <QImage>
#include <QTest>
#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/qt/program_end.h"
#include "platform/workers.h"
#include "support/qt_fixture.h"

extern char** environ;

namespace morvessa::test {
namespace {

constexpr const char* CHILD_VARIABLE = "MORVESSA_SHUTDOWN_CHILD";
constexpr int RUNS = 50;
constexpr int WRITERS = 30;
constexpr int WRITES_BEFORE_THE_END = 3;

std::string jpeg_bytes() {
  QImage image(300, 420, QImage::Format_RGB32);
  image.fill(Qt::darkMagenta);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPEG");
  return bytes.toStdString();
}

int run_child() {
  std::vector<std::string> env_texts;
  for (char** e = environ; *e; ++e) env_texts.emplace_back(*e);
  env_texts.push_back(std::string(CHILD_VARIABLE) + "=1");
  std::vector<char*> envp;
  for (std::string& e : env_texts) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string filter = "--gtest_filter=ShutdownChild.*";
  std::string self = "/proc/self/exe";
  char* argv[] = {self.data(), filter.data(), nullptr};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::execve(self.c_str(), argv, envp.data());
    std::_Exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return status;
}

TEST(ProgramEnd, EndsCleanlyWhileThirtyWorkersStillWrite) {
  if (std::getenv(CHILD_VARIABLE)) GTEST_SKIP();
  for (int run = 0; run < RUNS; ++run) {
    const int status = run_child();
    ASSERT_TRUE(WIFEXITED(status)) << "run " << run << " ended by signal " << WTERMSIG(status);
    ASSERT_EQ(WEXITSTATUS(status), 0) << "run " << run;
  }
}

// In the child: the program's own way to end, while workers write cells, rows and pictures.
TEST(ShutdownChild, WritesUntilTheEnd) {
  if (!std::getenv(CHILD_VARIABLE)) GTEST_SKIP() << "runs only as the child of ProgramEnd";
  TempFolder temp;
  auto toolkit = QtToolkit::create(QtToolkitSettings{temp.path() / "profile"});
  toolkit->create_main_window();
  auto workers = Workers::create();
  const std::string poster = jpeg_bytes();
  auto writes = std::make_shared<std::vector<std::atomic<int>>>(WRITERS);
  for (int w = 0; w < WRITERS; ++w) {
    workers->start([ui = toolkit, writes, w, poster] {
      const ControlRef list = main_control("超级列表框2");
      for (int n = 0;; ++n) {
        const int cell = n % POSTER_CELL_COUNT + 1;
        ui->set_picture(ui->find_control_by_tag(WindowId::main, cell + PICTURE_TAG_OFFSET)->control, poster);
        ui->set_text(ui->find_control_by_tag(WindowId::main, cell)->control, std::to_string(w));
        const int row = ui->list_insert_row(list);
        ui->list_set_cell(list, row, 0, std::to_string(n));
        (*writes)[static_cast<std::size_t>(w)]++;
        // Calls keep coming after the end, just not in a busy loop that starves the ending process.
        if (ui->main_destroyed()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    });
  }
  ASSERT_TRUE(wait_until([&] {
    for (auto& n : *writes)
      if (n < WRITES_BEFORE_THE_END) return false;
    return true;
  }));
  toolkit->set_on_main_destroyed([] { QCoreApplication::exit(0); });
  QTest::keyClick(toolkit->window_widget(WindowId::main), Qt::Key_Escape);
  ASSERT_TRUE(toolkit->main_destroyed());
  end_program(*toolkit, 0);
}

}  // namespace
}  // namespace morvessa::test
