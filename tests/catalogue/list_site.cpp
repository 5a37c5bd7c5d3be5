#include "list_site.h"

#include <thread>

namespace morvessa::test {
namespace {

constexpr int DEFAULT_COUNT = 30;
constexpr int SERVER_THREADS = 32;
constexpr std::size_t KEEP_ALIVE_REQUESTS = 10000;

std::string blanks(int n) {
  return std::string(static_cast<std::size_t>(n), ' ');
}

}  // namespace

std::string list_page_html(const std::vector<std::string>& titles, const std::vector<std::string>& images,
                           const ListIndent& in) {
  const std::string& nl = in.line_end;
  std::string html = "<!DOCTYPE html>" + nl + "<html><head><meta charset=\"utf-8\"></head><body>" + nl +
                     "    <ul class=\"list\">" + nl;
  const std::size_t items = std::max(titles.size(), images.size());
  for (std::size_t i = 0; i < items; ++i) {
    html += "        <li>" + nl;
    if (i < images.size()) {
      html += blanks(in.image_left) + "<img src=\"" + images[i] + "\">" + nl;
      html += blanks(in.image_right) + "<p class=\"pic\"></p>" + nl;
    }
    if (i < titles.size()) {
      html += blanks(in.title_left) + "<span class=\"s1\">" + titles[i] + "</span>" + nl;
      html += blanks(in.title_right) + "<span class=\"s2\">8.0</span>" + nl;
    }
    html += "        </li>" + nl;
  }
  return html + "    </ul>" + nl + "</body></html>" + nl;
}

ListSite::ListSite() {
  httplib::Server& s = server_.server();
  s.new_task_queue = [] { return new httplib::ThreadPool(SERVER_THREADS); };
  s.set_keep_alive_max_count(KEEP_ALIVE_REQUESTS);
  // Headers and body go out as two writes: without this, Nagle and the delayed ACK hold each answer 40 ms.
  s.set_tcp_nodelay(true);
  s.Get(R"(/(\w+)/list)", [this](const httplib::Request& req, httplib::Response& res) {
    const std::string slug = req.matches[1];
    const std::string page = req.get_param_value("pageno");
    {
      std::lock_guard lock(mutex_);
      lists_.push_back({slug, page});
    }
    int number = 0;
    try {
      number = std::stoi(page);
    } catch (...) {
    }
    res.set_content(page_body(slug, number), "text/html; charset=utf-8");
  });
  s.Get(R"(/poster/(\w+)/(-?\d+)/(\d+)\.jpg)", [this](const httplib::Request& req, httplib::Response& res) {
    const std::string slug = req.matches[1];
    const int page = std::stoi(req.matches[2]);
    const int index = std::stoi(req.matches[3]);
    std::chrono::milliseconds delay;
    {
      std::unique_lock lock(mutex_);
      posters_.push_back({slug, page, index, req.remote_port});
      requested_.notify_all();
      released_.wait(lock, [&] { return !held_.count({slug, page}); });
      delay = delay_;
    }
    // The site's latency for one poster.
    if (delay.count() > 0) std::this_thread::sleep_for(delay);
    res.set_content(poster(slug, page, index), "image/jpeg");
  });
}

ListSite::~ListSite() {
  release_posters();
}

void ListSite::start() {
  server_.start();
}

void ListSite::set_shape(const std::string& slug, int page, int titles, int images) {
  std::lock_guard lock(mutex_);
  shapes_[{slug, page}] = {titles, images};
}

void ListSite::set_body(const std::string& slug, int page, std::string utf8_body) {
  std::lock_guard lock(mutex_);
  bodies_[{slug, page}] = std::move(utf8_body);
}

void ListSite::hold_posters(const std::string& slug, int page) {
  std::lock_guard lock(mutex_);
  held_.insert({slug, page});
}

void ListSite::release_posters() {
  {
    std::lock_guard lock(mutex_);
    held_.clear();
  }
  released_.notify_all();
}

void ListSite::set_poster_delay(std::chrono::milliseconds delay) {
  std::lock_guard lock(mutex_);
  delay_ = delay;
}

std::string ListSite::poster_url(const std::string& slug, int page, int i) const {
  return server_.url("/poster/" + slug + "/" + std::to_string(page) + "/" + std::to_string(i) + ".jpg");
}

std::string ListSite::title(const std::string& slug, int page, int i) {
  return "剧集" + slug + "第" + std::to_string(page) + "页第" + std::to_string(i) + "部";
}

std::string ListSite::poster(const std::string& slug, int page, int i) {
  return std::string("\xFF\xD8\xFF\x00", 4) + slug + "/" + std::to_string(page) + "/" + std::to_string(i);
}

std::vector<std::string> ListSite::titles(const std::string& slug, int page, int count) const {
  std::vector<std::string> out;
  for (int i = 1; i <= count; ++i) out.push_back(title(slug, page, i));
  return out;
}

std::vector<std::string> ListSite::posters(const std::string& slug, int page, int count) const {
  std::vector<std::string> out;
  for (int i = 1; i <= count; ++i) out.push_back(poster_url(slug, page, i));
  return out;
}

std::string ListSite::page_body(const std::string& slug, int page) const {
  std::pair<int, int> shape{DEFAULT_COUNT, DEFAULT_COUNT};
  {
    std::lock_guard lock(mutex_);
    if (auto body = bodies_.find({slug, page}); body != bodies_.end()) return body->second;
    if (auto found = shapes_.find({slug, page}); found != shapes_.end()) shape = found->second;
  }
  return list_page_html(titles(slug, page, shape.first), posters(slug, page, shape.second));
}

std::vector<ListRequest> ListSite::list_requests() const {
  std::lock_guard lock(mutex_);
  return lists_;
}

int ListSite::poster_requests() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(posters_.size());
}

int ListSite::poster_requests(const std::string& slug, int page) const {
  std::lock_guard lock(mutex_);
  return count_posters(slug, page);
}

int ListSite::count_posters(const std::string& slug, int page) const {
  int n = 0;
  for (const PosterRequest& p : posters_) n += p.slug == slug && p.page == page;
  return n;
}

bool ListSite::wait_poster_requests(const std::string& slug, int page, int n,
                                    std::chrono::milliseconds limit) const {
  std::unique_lock lock(mutex_);
  return requested_.wait_for(lock, limit, [&] { return count_posters(slug, page) >= n; });
}

int ListSite::poster_connections(const std::string& slug, int page) const {
  std::lock_guard lock(mutex_);
  std::set<int> ports;
  for (const PosterRequest& p : posters_)
    if (p.slug == slug && p.page == page) ports.insert(p.client_port);
  return static_cast<int>(ports.size());
}

int ListSite::poster_connections() const {
  std::lock_guard lock(mutex_);
  std::set<int> ports;
  for (const PosterRequest& p : posters_) ports.insert(p.client_port);
  return static_cast<int>(ports.size());
}

bool ListSite::poster_requested(const std::string& slug, int page, int i) const {
  std::lock_guard lock(mutex_);
  for (const PosterRequest& p : posters_)
    if (p.slug == slug && p.page == page && p.index == i) return true;
  return false;
}

void ListSite::reset_counts() {
  std::lock_guard lock(mutex_);
  lists_.clear();
  posters_.clear();
}

}  // namespace morvessa::test
