#include "projectsystem/solution_load_error.h"

#include "xml/xml_document.h"

SolutionLoadError SolutionLoadError::ofDocument(const QString& file, const XMLDocument& document) {
  const bool read = document.readFailure == WholeFile::Failure::None;
  return {file, read ? XmlSyntax : Plain, QString::fromUtf8(document.errorMessage), document.errorLine,
          document.errorColumn};
}

QString SolutionLoadError::text() const {
  if (fileName.isEmpty()) return message;
  if (message.startsWith(QLatin1Char(' ')) || fileName.endsWith(QLatin1Char(' '))) return fileName + message;
  QString joined = fileName + QStringLiteral(": ") + message;
  if (kind == XmlSyntax) joined += QStringLiteral(" line: ") + QString::number(qint64(line) + 1);
  if (kind == XmlSyntax && column > 0) joined += QStringLiteral(" column: ") + QString::number(column);
  return joined;
}
