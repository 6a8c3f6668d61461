#include "readers/eclipse/eclipse_locations.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <utility>

#include "foreign/foreign_path.h"

namespace {

// Path variables may be defined through one another; a chain this long is a cycle.
constexpr int maximumVariableDepth = 32;

// A path cannot have more components than this (PATH_MAX is 4096 bytes), so
// more parent steps all end at the root anyway; the cap keeps an absurd count
// in a file from exhausting memory.
constexpr qulonglong maximumParentSteps = 2048;

QString decodeUri(const QString& text) { return QString::fromUtf8(QByteArray::fromPercentEncoding(text.toUtf8())); }

// "file:/C:/x" and "file:///home/x" as the paths they name; false for other schemes.
bool schemePath(const QString& location, QString& path) {
  static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]+):"));
  const QRegularExpressionMatch match = scheme.match(location);
  if (!match.hasMatch()) return true;
  if (match.captured(1).compare(QLatin1String("file"), Qt::CaseInsensitive) != 0) return false;
  path = location.mid(match.capturedLength());
  if (path.startsWith(QLatin1String("//"))) path = path.mid(path.indexOf(QLatin1Char('/'), 2));
  static const QRegularExpression drive(QStringLiteral("^/[A-Za-z]:"));
  if (drive.match(path).hasMatch()) path = path.mid(1);  // "/C:/x" is the Windows path "C:/x"
  return true;
}

}  // namespace

QString parentPath(const QString& path, qsizetype steps) {
  // The root ("/" or a drive such as "C:/") is never taken away.
  qsizetype rootLength = 0;
  if (path.startsWith(QLatin1Char('/')))
    rootLength = 1;
  else if (isAbsoluteForeignPath(path))
    rootLength = 3;
  QStringList components = path.mid(rootLength).split(QLatin1Char('/'), Qt::SkipEmptyParts);
  for (qsizetype step = 0; step < steps; ++step) {
    if (!components.isEmpty() && components.last() != QLatin1String(".."))
      components.removeLast();
    else if (rootLength == 0)
      components.append(QStringLiteral(".."));
  }
  return path.left(rootLength) + components.join(QLatin1Char('/'));
}

LinkLocationResolver::LinkLocationResolver(QString projectToWorkspace, QHash<QString, QString> pathVariables)
    : projectToWorkspace_(std::move(projectToWorkspace)), pathVariables_(std::move(pathVariables)) {}

PathOrProblem LinkLocationResolver::resolve(const QString& location, bool isUri) const {
  return expand(location, isUri, 0);
}

PathOrProblem LinkLocationResolver::expand(QString location, bool isUri, int depth) const {
  if (isUri) {
    location = decodeUri(location);
    if (!schemePath(location, location))
      return PathOrProblem::failure(QStringLiteral("location ") + location + QStringLiteral(" is not a file"));
  }
  location.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (location.isEmpty()) return PathOrProblem::failure(QStringLiteral("its location is empty"));
  if (isAbsoluteForeignPath(location)) return {location, QString()};
  // A relative location starts with the variable it is relative to, written as
  // a plain segment or as "${...}".
  const qsizetype slash = location.indexOf(QLatin1Char('/'));
  QString variable = location.left(slash);
  const QString rest = slash < 0 ? QString() : location.mid(slash + 1);
  if (variable.startsWith(QLatin1String("${")) && variable.endsWith(QLatin1Char('}')))
    variable = variable.mid(2, variable.size() - 3);
  const PathOrProblem base = variableValue(variable, depth);
  if (!base.usable()) return base;
  return {joinPath(base.path, rest), QString()};
}

PathOrProblem LinkLocationResolver::variableValue(const QString& name, int depth) const {
  static const QRegularExpression parent(QStringLiteral("^PARENT-(\\d+)-(.+)$"));
  if (depth > maximumVariableDepth)
    return PathOrProblem::failure(QStringLiteral("path variable ") + name + QStringLiteral(" is defined through itself"));
  if (name == QLatin1String("PROJECT_LOC")) return {};
  if (name == QLatin1String("WORKSPACE_LOC")) return {projectToWorkspace_, QString()};
  if (name == QLatin1String("PARENT_LOC")) return {QStringLiteral(".."), QString()};
  if (const QRegularExpressionMatch match = parent.match(name); match.hasMatch()) {
    bool valid = false;
    const qulonglong steps = std::min(match.captured(1).toULongLong(&valid), maximumParentSteps);
    const PathOrProblem base = variableValue(match.captured(2), depth + 1);
    if (!base.usable()) return base;
    return {parentPath(base.path, static_cast<qsizetype>(valid ? steps : maximumParentSteps)), QString()};
  }
  if (pathVariables_.contains(name)) return expand(pathVariables_.value(name), true, depth + 1);
  return PathOrProblem::failure(QStringLiteral("path variable ") + name + QStringLiteral(" is not defined"));
}
