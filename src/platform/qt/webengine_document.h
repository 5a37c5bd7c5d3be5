#pragma once
// The document of a browser box, reached through JavaScript run in the page and waited for on the GUI
// thread with a nested event loop, at most DOCUMENT_SCRIPT_TIMEOUT_MS per step.

#include <QPointer>
#include <QString>
#include <QVariant>
#include <chrono>
#include <memory>
#include <optional>

#include "app/document_access.h"

class QWebEnginePage;

namespace morvessa {

class GuiDispatcher;

inline constexpr std::chrono::milliseconds DOCUMENT_SCRIPT_TIMEOUT{1000};

class WebEngineDocument final : public DocumentAccess {
 public:
  WebEngineDocument(std::shared_ptr<GuiDispatcher> gui, QWebEnginePage* page);

  std::vector<DivProperties> divs() override;
  std::string div_outer_html(std::size_t index) override;
  void write_html(const std::string& html) override;
  std::vector<std::string> link_hrefs() override;

 private:
  // The script's result; nullopt when the page is gone, the program is closing or the time ran out.
  std::optional<QVariant> run(const QString& script);

  std::shared_ptr<GuiDispatcher> gui_;
  QPointer<QWebEnginePage> page_;
};

}  // namespace morvessa
