#include "platform/qt/browser_box.h"

#include <QAction>
#include <QKeySequence>
#include <QWebEngineCertificateError>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

namespace morvessa {

BrowserPage::BrowserPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {
  QWebEngineSettings* s = settings();
  s->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
  s->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
  s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
  connect(this, &QWebEnginePage::certificateError, this, [](const QWebEngineCertificateError& error) {
    const QUrl url = error.url();
    QString origin = url.host() + QLatin1Char(':') + QString::number(url.port(443));
    if (!trusted_tls_host().isEmpty() && origin == trusted_tls_host() &&
        url.scheme() == QLatin1String("https")) {
      QWebEngineCertificateError accepted = error;
      accepted.acceptCertificate();
    }
  });
}

QString& BrowserPage::trusted_tls_host() {
  static QString host;
  return host;
}

void BrowserPage::set_trusted_tls_host(const QString& host_port) {
  trusted_tls_host() = host_port;
}

QWebEnginePage* BrowserPage::createWindow(WebWindowType) {
  ++refused_popups_;
  return nullptr;
}

FullScreenWindow::FullScreenWindow(QWebEngineView& box_view, QWebEnginePage& page)
    : QWidget(nullptr), box_view_(box_view), view_(new QWebEngineView(this)) {
  setWindowTitle(box_view.window()->windowTitle());
  setWindowIcon(box_view.window()->windowIcon());
  auto* leave = new QAction(this);
  leave->setShortcut(QKeySequence(Qt::Key_Escape));
  leave->setShortcutContext(Qt::WindowShortcut);
  connect(leave, &QAction::triggered, view_,
          [this] { view_->triggerPageAction(QWebEnginePage::ExitFullScreen); });
  addAction(leave);
  view_->setPage(&page);
  showFullScreen();
  view_->resize(size());
  activateWindow();
  view_->setFocus();
}

FullScreenWindow::~FullScreenWindow() {
  QWebEnginePage* page = view_->page();
  view_->setPage(nullptr);
  box_view_.setPage(page);
}

BrowserBoxWidget::BrowserBoxWidget(ControlEvents& events, ControlRef ref, ProfileSource profile,
                                   QWidget* parent)
    : QWebEngineView(parent), events_(events), ref_(ref), profile_(std::move(profile)) {
  mark_control(*this, ref);
}

BrowserBoxWidget::~BrowserBoxWidget() {
  release_page();
}

void BrowserBoxWidget::fall_silent() {
  full_screen_.reset();
  navigation_pending_ = false;
  if (!page_) return;
  page_->setAudioMuted(true);
  page_->triggerAction(QWebEnginePage::Stop);
}

void BrowserBoxWidget::release_page() {
  full_screen_.reset();
  if (!page_) return;
  setPage(nullptr);
  delete page_;
  page_ = nullptr;
}

// A view shown without a page would make one of WebEngine's default profile.
bool BrowserBoxWidget::event(QEvent* event) {
  if (!page_ && event->type() == QEvent::Show) ensure_page();
  return QWebEngineView::event(event);
}

BrowserPage& BrowserBoxWidget::ensure_page() {
  if (page_) return *page_;
  page_ = new BrowserPage(profile_(), nullptr);
  connect(page_, &QWebEnginePage::loadFinished, this, [this](bool) { load_finished(); });
  connect(page_, &QWebEnginePage::fullScreenRequested, this,
          [this](QWebEngineFullScreenRequest request) { full_screen_requested(std::move(request)); });
  setPage(page_);
  return *page_;
}

void BrowserBoxWidget::navigate(const QString& address) {
  BrowserPage& page = ensure_page();
  navigation_pending_ = true;
  page.load(QUrl(address));
}

void BrowserBoxWidget::load_finished() {
  // A load that a later navigation cut short finishes while the later one is still loading: only the
  // last one counts. Writing into the document starts no navigation, so it raises nothing.
  if (!navigation_pending_ || !page_ || page_->isLoading()) return;
  navigation_pending_ = false;
  // Raised from the event loop, not inside the engine's load callback: the handler runs scripts in the
  // page and waits for their answers, which do not arrive while that callback is still on the stack.
  QMetaObject::invokeMethod(
      this, [this] { events_.raise(ref_, EventKind::document_ready, {}); }, Qt::QueuedConnection);
}

void BrowserBoxWidget::full_screen_requested(QWebEngineFullScreenRequest request) {
  if (request.toggleOn()) {
    if (full_screen_ || !page_) return request.reject();
    request.accept();
    full_screen_ = std::make_unique<FullScreenWindow>(*this, *page_);
  } else {
    request.accept();
    full_screen_.reset();
  }
}

}  // namespace morvessa
