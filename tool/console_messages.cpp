#include "tool/console_messages.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>

#include "importers/common/diagnostics.h"

namespace {

void printQtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtWarningMsg && type != QtCriticalMsg) return;
  std::fprintf(stderr, "warning: %s\n", escapeControlCharacters(message.toLocal8Bit().toStdString()).c_str());
  std::fflush(stderr);
}

}  // namespace

void routeQtWarnings() { qInstallMessageHandler(printQtMessage); }
