#include "demo/demo_site.h"

#include <httplib.h>

#include <atomic>
#include <cctype>
#include <charconv>
#include <mutex>
#include <thread>

#include "demo/demo_clip.h"
#include "demo/detail_page.h"
#include "demo/home_page.h"
#include "demo/html.h"
#include "demo/list_page.h"
#include "demo/player_page.h"
#include "demo/poster.h"
#include "demo/search_page.h"
#include "demo/self_signed_certificate.h"
#include "demo/site_style.h"

namespace morvessa::demo {
namespace {

constexpr const char* LOOPBACK = "127.0.0.1";
constexpr std::size_t HTTP_THREADS = 16;  // the GUI's browser and its poster workers keep several connections
constexpr std::size_t TLS_THREADS = 4;
constexpr time_t KEEP_ALIVE_SECONDS = 1;  // an idle connection holds up stop() at most this long
constexpr std::size_t MAX_HOST_LENGTH = 255;
constexpr const char* HTML_UTF8 = "text/html; charset=utf-8";
constexpr const char* CACHE_FOR_A_DAY = "public, max-age=86400";
constexpr const char* SEARCH_PATH = "/index.php";
constexpr const char* SEARCH_KEY = "kw";
constexpr const char* PAGE_NUMBER_KEY = "pageno";
constexpr const char* LIST_ROUTE = R"(/(dianshi|dianying|dongman|zongyi)/list)";
constexpr const char* DETAIL_ROUTE = R"(/(dianshi|dianying|dongman|zongyi)/([a-z0-9]+)\.html)";
constexpr const char* PLAY_ROUTE = R"(/play/(dianshi|dianying|dongman|zongyi)/([a-z0-9]+)/([A-Za-z0-9]+))";
constexpr const char* POSTER_ROUTE = R"(/poster/(dianshi|dianying|dongman|zongyi)/([a-z0-9]+)\.(jpg|png))";

// The host a client used, so that the addresses on the pages are the ones it reaches us by; anything that
// is not a plain host[:port] falls back to our own address.
std::string request_host(const httplib::Request& request, const std::string& own) {
  const std::string host = request.get_header_value("Host");
  if (host.empty() || host.size() > MAX_HOST_LENGTH) return own;
  for (char c : host) {
    const bool allowed = std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == ':' ||
                         c == '[' || c == ']';
    if (!allowed) return own;
  }
  return host;
}

// A page number as the list's query writes it; anything else names no page.
int page_number(const httplib::Request& request) {
  if (!request.has_param(PAGE_NUMBER_KEY)) return 1;
  const std::string text = request.get_param_value(PAGE_NUMBER_KEY);
  int page = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), page);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return 0;
  return page;
}

std::string not_found_page(const std::string& path) {
  HtmlWriter out;
  begin_page(out, {.title = "页面不存在", .charset = "utf-8", .body_class = "error-page"});
  out.line("<main class=\"main\"><p class=\"list-empty\">没有这个页面：" + escape_html(valid_utf8(path)) +
           "。<a href=\"/\">回到首页</a></p></main>");
  end_page(out);
  return std::move(out.text());
}

void serve_file(httplib::Response& response, std::string_view bytes, const char* type) {
  response.set_content(bytes.data(), bytes.size(), type);
  response.set_header("Cache-Control", CACHE_FOR_A_DAY);
}

// Serves every request until stopped, on its own thread.
class ServerThread final {
 public:
  void start(httplib::Server& server) {
    server_ = &server;
    thread_ = std::thread([this] {
      server_->listen_after_bind();
      finished_ = true;
    });
    // stop() does nothing to a server that is not running yet, so wait until it runs (or has given up).
    while (!server_->is_running() && !finished_) std::this_thread::yield();
  }
  ~ServerThread() { stop(); }
  void stop() {
    if (!server_) return;
    server_->stop();
    if (thread_.joinable()) thread_.join();
  }

 private:
  httplib::Server* server_ = nullptr;
  std::thread thread_;
  std::atomic<bool> finished_ = false;
};

}  // namespace

struct DemoSite::Impl {
  Catalogue catalogue;
  SelfSignedCertificate certificate;
  httplib::Server http;
  std::unique_ptr<httplib::SSLServer> tls;
  ServerThread http_thread;
  ServerThread tls_thread;
  int port = 0;
  int tls_port = 0;
  std::string host;
  std::string tls_host;
  std::mutex stop_mutex;
  bool stopped = false;

  std::array<std::string, PARSE_LINE_COUNT> line_prefixes(const std::string& main_host) const {
    std::array<std::string, PARSE_LINE_COUNT> prefixes;
    for (int i = 0; i < PARSE_LINE_COUNT; ++i) {
      prefixes[static_cast<std::size_t>(i)] = parse_line_prefix(i, i == 0 ? tls_host : main_host);
    }
    return prefixes;
  }

  void add_shared_routes(httplib::Server& server, std::size_t threads);
  void add_catalogue_routes();
  void add_line_route(httplib::Server& server, int line);
};

void DemoSite::Impl::add_shared_routes(httplib::Server& server, std::size_t threads) {
  server.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
  server.set_keep_alive_timeout(KEEP_ALIVE_SECONDS);
  // httplib's default adds SO_REUSEPORT, which lets a second server bind a port in use and silently share
  // its connections; a port in use must be refused instead. TCP_NODELAY, which accepted sockets inherit,
  // sends each piece of a response at once.
  server.set_socket_options([](socket_t socket) {
    int yes = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
  });
  server.set_error_handler([](const httplib::Request& request, httplib::Response& response) {
    if (response.body.empty()) response.set_content(not_found_page(request.path), HTML_UTF8);
  });
  server.Get(std::string{STYLESHEET_PATH}, [](const httplib::Request&, httplib::Response& response) {
    serve_file(response, site_stylesheet(), "text/css; charset=utf-8");
  });
  server.Get(std::string{CLIP_PATH}, [](const httplib::Request&, httplib::Response& response) {
    serve_file(response, demo_clip_bytes(), "video/webm");
  });
  server.Get(POSTER_ROUTE, [this](const httplib::Request& request, httplib::Response& response) {
    const Title* title = catalogue.find(request.matches[1].str(), request.matches[2].str());
    const bool jpeg = request.matches[3].str() == "jpg";
    if (!title || jpeg != (title->poster_format == PosterFormat::jpeg)) {
      response.status = 404;
      return;
    }
    const std::string file = poster_file(*title);
    serve_file(response, file, poster_content_type(*title).data());
  });
}

void DemoSite::Impl::add_catalogue_routes() {
  http.Get("/", [this](const httplib::Request& request, httplib::Response& response) {
    const std::string main_host = request_host(request, host);
    response.set_content(render_home_page(catalogue, main_host, line_prefixes(main_host)), HTML_UTF8);
  });
  http.Get(LIST_ROUTE, [this](const httplib::Request& request, httplib::Response& response) {
    const int category = category_index(request.matches[1].str());
    const int page = page_number(request);
    if (catalogue.list_page(category, page).empty()) response.status = 404;
    response.set_content(render_list_page(catalogue, request_host(request, host), category, page), HTML_UTF8);
  });
  http.Get(SEARCH_PATH, [this](const httplib::Request& request, httplib::Response& response) {
    response.set_content(
        render_search_page(catalogue, request_host(request, host), request.get_param_value(SEARCH_KEY)),
        HTML_UTF8);
  });
  http.Get(DETAIL_ROUTE, [this](const httplib::Request& request, httplib::Response& response) {
    const Title* title = catalogue.find(request.matches[1].str(), request.matches[2].str());
    if (!title) {
      response.status = 404;
      return;
    }
    const std::string type = "text/html; charset=" + std::string{title->category_info().charset};
    response.set_content(render_detail_page(catalogue, request_host(request, host), *title), type.c_str());
  });
  http.Get(PLAY_ROUTE, [this](const httplib::Request& request, httplib::Response& response) {
    const PlayItem item = catalogue.resolve(request.path);
    if (!item.title || item.label.empty()) {
      response.status = 404;
      return;
    }
    const std::string main_host = request_host(request, host);
    response.set_content(render_play_page(main_host, item, line_prefixes(main_host)), HTML_UTF8);
  });
}

void DemoSite::Impl::add_line_route(httplib::Server& server, int line) {
  const ParseLine& l = PARSE_LINES[static_cast<std::size_t>(line)];
  server.Get(std::string{l.path}, [this, line, key = std::string{l.key}](const httplib::Request& request,
                                                                         httplib::Response& response) {
    response.set_content(render_player_page(catalogue, line, asked_address(request.target, key)), HTML_UTF8);
  });
}

std::unique_ptr<DemoSite> DemoSite::start(const DemoSiteOptions& options) {
  auto impl = std::make_unique<Impl>();
  std::optional<SelfSignedCertificate> certificate = make_self_signed_certificate();
  if (!certificate) return nullptr;
  impl->certificate = std::move(*certificate);
  impl->tls =
      std::make_unique<httplib::SSLServer>(impl->certificate.certificate.get(), impl->certificate.key.get());
  if (!impl->tls->is_valid()) return nullptr;

  impl->add_shared_routes(impl->http, HTTP_THREADS);
  impl->add_shared_routes(*impl->tls, TLS_THREADS);
  impl->add_catalogue_routes();
  impl->add_line_route(*impl->tls, 0);
  for (int line = 1; line < PARSE_LINE_COUNT; ++line) impl->add_line_route(impl->http, line);

  const auto bind = [](httplib::Server& server, int port) {
    if (port == 0) return server.bind_to_any_port(LOOPBACK);
    return server.bind_to_port(LOOPBACK, port) ? port : -1;
  };
  // A server bound but never run keeps its socket (only its listening loop closes it), so a failure after
  // the first bind still runs and stops that server.
  // The handlers read both hosts, so both are known before the first server runs.
  impl->port = bind(impl->http, options.port);
  if (impl->port <= 0) return nullptr;
  impl->tls_port = bind(*impl->tls, options.tls_port);
  if (impl->tls_port <= 0) {
    impl->http_thread.start(impl->http);  // so that stopping it releases its socket
    return nullptr;
  }
  impl->host = std::string{LOOPBACK} + ":" + std::to_string(impl->port);
  impl->tls_host = std::string{LOOPBACK} + ":" + std::to_string(impl->tls_port);
  impl->http_thread.start(impl->http);
  impl->tls_thread.start(*impl->tls);
  return std::unique_ptr<DemoSite>(new DemoSite(std::move(impl)));
}

DemoSite::DemoSite(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

DemoSite::~DemoSite() {
  stop();
}

void DemoSite::stop() {
  std::lock_guard lock(impl_->stop_mutex);
  if (impl_->stopped) return;
  impl_->stopped = true;
  impl_->http_thread.stop();
  impl_->tls_thread.stop();
}

std::string DemoSite::host() const {
  return impl_->host;
}

std::string DemoSite::line_host(int line) const {
  if (line < 0 || line >= PARSE_LINE_COUNT) return {};
  return line == 0 ? impl_->tls_host : impl_->host;
}

std::string DemoSite::line_prefix(int line) const {
  return parse_line_prefix(line, line_host(line));
}

int DemoSite::port() const {
  return impl_->port;
}
int DemoSite::tls_port() const {
  return impl_->tls_port;
}
const std::string& DemoSite::certificate_pem() const {
  return impl_->certificate.pem;
}
const std::string& DemoSite::certificate_sha256() const {
  return impl_->certificate.sha256;
}
const Catalogue& DemoSite::catalogue() const {
  return impl_->catalogue;
}

}  // namespace morvessa::demo
