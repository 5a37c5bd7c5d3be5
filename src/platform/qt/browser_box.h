#pragma once
// A web browser box on Qt WebEngine. Its page is made on first use, so that a box never sent anywhere
// costs nothing; document ready is raised only for loads that navigate() started.

#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <functional>
#include <memory>

#include "app/control_ref.h"
#include "platform/qt/control_widgets.h"

class QWebEngineFullScreenRequest;
class QWebEngineProfile;

namespace morvessa {

// Pop-up windows that a page opens are refused. A certificate error is accepted only for the one
// "host:port" trusted at start (the bundled demo's own https line on loopback).
class BrowserPage final : public QWebEnginePage {
  Q_OBJECT
 public:
  BrowserPage(QWebEngineProfile* profile, QObject* parent);
  int refused_popups() const { return refused_popups_; }
  // Set once, before any page is made.
  static void set_trusted_tls_host(const QString& host_port);

 protected:
  QWebEnginePage* createWindow(WebWindowType type) override;

 private:
  static QString& trusted_tls_host();
  int refused_popups_ = 0;
};

// While a page is shown full screen it lives in a window of its own; Esc there leaves full screen.
class FullScreenWindow final : public QWidget {
  Q_OBJECT
 public:
  FullScreenWindow(QWebEngineView& box_view, QWebEnginePage& page);
  ~FullScreenWindow() override;

 private:
  QWebEngineView& box_view_;
  QWebEngineView* view_;
};

class BrowserBoxWidget final : public QWebEngineView {
  Q_OBJECT
 public:
  using ProfileSource = std::function<QWebEngineProfile*()>;

  BrowserBoxWidget(ControlEvents& events, ControlRef ref, ProfileSource profile, QWidget* parent);
  ~BrowserBoxWidget() override;

  void navigate(const QString& address);
  // Null until the box has been sent somewhere.
  BrowserPage* loaded_page() const { return page_; }
  bool full_screen() const { return full_screen_ != nullptr; }
  // Ends full screen and stops what the page loads and plays; the page stays until the box goes.
  void fall_silent();
  // Lets go of the page, before the profile it uses goes away.
  void release_page();

 protected:
  bool event(QEvent* event) override;

 private:
  BrowserPage& ensure_page();
  void load_finished();
  void full_screen_requested(QWebEngineFullScreenRequest request);

  ControlEvents& events_;
  ControlRef ref_;
  ProfileSource profile_;
  BrowserPage* page_ = nullptr;
  std::unique_ptr<FullScreenWindow> full_screen_;
  bool navigation_pending_ = false;
};

}  // namespace morvessa
