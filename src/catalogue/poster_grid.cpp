#include "catalogue/poster_grid.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/layout.h"
#include "net/http_transport.h"
#include "net/page_fetch.h"
#include "text/extract.h"

namespace morvessa {
namespace {

// A worker checks its ticket and writes a cell under this lock. A newer request's ticket is taken before its
// workers start, so a write that passed the check of an older request is finished before any newer worker
// can write: an old write never lands on top of a new one. The window's thread never takes the lock, so a
// toolkit that hands the write to that thread cannot deadlock here.
std::mutex& cell_write_mutex() {
  static std::mutex mutex;
  return mutex;
}

// Writes one control of a cell unless the request is no longer the newest; false once it is not.
template <typename Write>
bool write_cell_control(const GridJob& job, int tag, Write write) {
  std::lock_guard lock(cell_write_mutex());
  if (!job.ticket.is_current()) return false;
  if (std::optional<FoundControl> found = job.ui->find_control_by_tag(WindowId::main, tag))
    write(found->control);
  return true;
}

}  // namespace

void start_grid_workers(App& app, int count) {
  GridJob job{app.state.page_html, app.ui_ptr(), app.http_ptr(), app.serials.grid.begin()};
  for (int i = 0; i < count; ++i) app.workers().start([job] { fill_poster_grid(job); });
}

void fill_poster_grid(const GridJob& job) {
  if (!job.page) return;
  const std::string& page = *job.page;
  std::vector<std::string> titles;
  std::vector<std::string> images;
  extract_between(page, TITLE_LEFT_MARKER, TITLE_RIGHT_MARKER, titles);
  extract_between(page, IMAGE_LEFT_MARKER, IMAGE_RIGHT_MARKER, images);

  // Titles past the last cell have nowhere to go; a title without a poster address gets an empty picture.
  const int cells = std::min(static_cast<int>(titles.size()), POSTER_CELL_COUNT);
  std::unique_ptr<HttpSession> session;
  for (int i = 1; i <= cells; ++i) {
    if (!job.ticket.is_current()) return;
    const auto index = static_cast<std::size_t>(i - 1);
    std::string poster;
    if (index < images.size()) {
      if (!session) session = job.http->open_session();
      if (session) poster = download_bytes(*session, images[index]);
    }
    const bool current =
        write_cell_control(job, i + PICTURE_TAG_OFFSET,
                           [&](ControlRef picture) { job.ui->set_picture(picture, poster); }) &&
        write_cell_control(job, i, [&](ControlRef label) { job.ui->set_text(label, titles[index]); });
    if (!current) return;
  }
}

}  // namespace morvessa
