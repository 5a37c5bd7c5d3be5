#include "platform/qt/webengine_document.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "platform/qt/gui_dispatcher.h"
#include "platform/qt/qt_text.h"

namespace morvessa {
namespace {

// Every DIV inside the body, in document order, with the five texts the logic matches a key against.
// The name attribute stands for the name property that DIVs lack in the DOM.
constexpr const char* DIVS_SCRIPT = R"JS((function () {
  var b = document.body; if (!b) return [];
  var d = b.getElementsByTagName('div'), r = [];
  for (var i = 0; i < d.length; i++) {
    var e = d[i];
    r.push([String(e.className), String(e.innerText), e.getAttribute('name') || '', String(e.id),
            String(e.title)]);
  }
  return r;
})())JS";

constexpr const char* OUTER_HTML_SCRIPT = R"JS((function (i) {
  var b = document.body; if (!b) return '';
  var e = b.getElementsByTagName('div')[i];
  return e ? e.outerHTML : '';
})(%1))JS";

constexpr const char* WRITE_SCRIPT = R"JS((function (h) {
  document.open(); document.write(h); document.close(); return true;
})(%1[0]))JS";

constexpr const char* LINKS_SCRIPT = R"JS((function () {
  var b = document.body; if (!b) return [];
  var a = b.getElementsByTagName('a'), r = [];
  for (var i = 0; i < a.length; i++) r.push(String(a[i].href));
  return r;
})())JS";

struct ScriptWait {
  QVariant result;
  bool done = false;
  QPointer<QEventLoop> loop;
};

}  // namespace

WebEngineDocument::WebEngineDocument(std::shared_ptr<GuiDispatcher> gui, QWebEnginePage* page)
    : gui_(std::move(gui)), page_(page) {}

std::optional<QVariant> WebEngineDocument::run(const QString& script) {
  std::optional<QVariant> out;
  gui_->run([&] {
    if (!page_) return;
    auto wait = std::make_shared<ScriptWait>();
    QEventLoop loop;
    wait->loop = &loop;
    // The callback may come after the wait gave up, or never: it only touches the shared record.
    page_->runJavaScript(script, QWebEngineScript::ApplicationWorld, [wait](const QVariant& result) {
      wait->result = result;
      wait->done = true;
      if (wait->loop) wait->loop->quit();
    });
    if (!wait->done) {
      QTimer::singleShot(DOCUMENT_SCRIPT_TIMEOUT, &loop, &QEventLoop::quit);
      loop.exec();
    }
    if (wait->done) out = wait->result;
  });
  return out;
}

std::vector<DivProperties> WebEngineDocument::divs() {
  std::vector<DivProperties> divs;
  std::optional<QVariant> result = run(QString::fromLatin1(DIVS_SCRIPT));
  if (!result) return divs;
  for (const QVariant& entry : result->toList()) {
    QVariantList texts = entry.toList();
    if (texts.size() != 5) continue;
    divs.push_back(DivProperties{from_qstring(texts[0].toString()), from_qstring(texts[1].toString()),
                                 from_qstring(texts[2].toString()), from_qstring(texts[3].toString()),
                                 from_qstring(texts[4].toString())});
  }
  return divs;
}

std::string WebEngineDocument::div_outer_html(std::size_t index) {
  std::optional<QVariant> result = run(QString::fromLatin1(OUTER_HTML_SCRIPT).arg(index));
  return result ? from_qstring(result->toString()) : std::string();
}

void WebEngineDocument::write_html(const std::string& html) {
  // The text goes in as a JSON string, so nothing in it can end the script early.
  QJsonArray argument{to_qstring(html)};
  QString literal = QString::fromUtf8(QJsonDocument(argument).toJson(QJsonDocument::Compact));
  run(QString::fromLatin1(WRITE_SCRIPT).arg(literal));
}

std::vector<std::string> WebEngineDocument::link_hrefs() {
  std::vector<std::string> links;
  std::optional<QVariant> result = run(QString::fromLatin1(LINKS_SCRIPT));
  if (!result) return links;
  for (const QVariant& href : result->toList()) links.push_back(from_qstring(href.toString()));
  return links;
}

}  // namespace morvessa
