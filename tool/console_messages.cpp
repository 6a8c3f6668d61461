#include "tool/console_messages.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>

namespace {

void printLine(const char* prefix, std::string_view message) {
  const std::string escaped = escapeControlCharacters(message);
  std::fprintf(stderr, "%s%s\n", prefix, escaped.c_str());
  std::fflush(stderr);
}

}  // namespace

std::string escapeControlCharacters(std::string_view message) {
  std::string escaped;
  escaped.reserve(message.size());
  for (const char character : message) {
    const auto byte = static_cast<unsigned char>(character);
    if (byte >= 0x20 && byte != 0x7F) {
      escaped += character;
    } else if (byte == '\n') {
      escaped += "\\n";
    } else if (byte == '\r') {
      escaped += "\\r";
    } else if (byte == '\t') {
      escaped += "\\t";
    } else {
      char code[5];
      std::snprintf(code, sizeof code, "\\x%02x", byte);
      escaped += code;
    }
  }
  return escaped;
}

void printError(std::string_view message) { printLine("error: ", message); }

void printWarning(std::string_view message) { printLine("warning: ", message); }

void printError(const QString& message) { printError(message.toLocal8Bit().toStdString()); }

void printWarning(const QString& message) { printWarning(message.toLocal8Bit().toStdString()); }

namespace {

QtMessageHandler defaultHandler = nullptr;

void printQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg || type == QtCriticalMsg)
    printWarning(message);
  else if (defaultHandler)
    defaultHandler(type, context, message);
}

}  // namespace

void routeQtWarnings() { defaultHandler = qInstallMessageHandler(printQtMessage); }
