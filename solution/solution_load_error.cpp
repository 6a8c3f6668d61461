#include "solution/solution_load_error.h"

#include "xml/xml_document.h"

namespace {

QString joined(const QString& subject, const QString& message) {
  if (subject.isEmpty()) return message;
  if (message.startsWith(QLatin1Char(' ')) || subject.endsWith(QLatin1Char(' '))) return subject + message;
  return subject + QStringLiteral(": ") + message;
}

}  // namespace

ConversionError loadError(const QString& subject, const QString& message) {
  return ConversionError(joined(subject, message));
}

ConversionError xmlSyntaxError(const QString& file, const XMLParseError& error) {
  QString text = joined(file, QString::fromUtf8(error.message.c_str()));
  if (file.isEmpty() || !error.inText) return ConversionError(text);
  text += QStringLiteral(" line: ") + QString::number(qint64(error.line) + 1);
  if (error.column > 0) text += QStringLiteral(" column: ") + QString::number(error.column);
  return ConversionError(text);
}
