#include "platform/qt/chromium_environment.h"

#include <unistd.h>

#include <QByteArray>
#include <QtGlobal>

namespace morvessa {
namespace {

constexpr const char* DISABLE_SANDBOX_VARIABLE = "QTWEBENGINE_DISABLE_SANDBOX";
constexpr const char* CHROMIUM_FLAGS_VARIABLE = "QTWEBENGINE_CHROMIUM_FLAGS";
constexpr const char* NO_SANDBOX_FLAG = "--no-sandbox";

}  // namespace

void prepare_chromium_environment() {
  if (::geteuid() != 0) return;
  qputenv(DISABLE_SANDBOX_VARIABLE, "1");
  QByteArray flags = qgetenv(CHROMIUM_FLAGS_VARIABLE);
  if (!flags.contains(NO_SANDBOX_FLAG)) {
    if (!flags.isEmpty()) flags += ' ';
    flags += NO_SANDBOX_FLAG;
    qputenv(CHROMIUM_FLAGS_VARIABLE, flags);
  }
}

}  // namespace morvessa
