#include "readers/eclipse/eclipse_locations.h"

#include <QStringList>
#include <algorithm>
#include <utility>

#include "foreign/foreign_path.h"
#include "readers/common/resolution_order.h"

namespace {

// A path cannot have more components than this (PATH_MAX is 4096 bytes), so
// more parent steps all end at the root anyway; the cap keeps an absurd count
// in a file from exhausting memory.
constexpr qsizetype maximumParentSteps = 2048;

const QString parentPrefix = QStringLiteral("PARENT-");

QString decodeUri(const QString& text) { return QString::fromUtf8(QByteArray::fromPercentEncoding(text.toUtf8())); }

bool isAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

bool isSchemeCharacter(QChar c) {
  return isAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'+' || c == u'.' || c == u'-';
}

// The length of the scheme at the start of location, without its ":": a letter
// and at least one more letter, digit, "+", "." or "-" ("C:" is a drive); 0
// when there is none.
qsizetype schemeLength(const QString& location) {
  if (location.isEmpty() || !isAsciiLetter(location[0])) return 0;
  qsizetype end = 1;
  while (end < location.size() && isSchemeCharacter(location[end])) ++end;
  return end >= 2 && end < location.size() && location[end] == u':' ? end : 0;
}

// "file:/C:/x" and "file:///home/x" as the paths they name; false for other schemes.
bool schemePath(const QString& location, QString& path) {
  const qsizetype scheme = schemeLength(location);
  if (scheme == 0) return true;
  if (QStringView(location).first(scheme).compare(QLatin1String("file"), Qt::CaseInsensitive) != 0) return false;
  path = location.mid(scheme + 1);
  if (path.startsWith(QLatin1String("//"))) path = path.mid(path.indexOf(QLatin1Char('/'), 2));
  const bool driveAfterSlash = path.size() >= 3 && path[0] == u'/' && isAsciiLetter(path[1]) && path[2] == u':';
  if (driveAfterSlash) path = path.mid(1);  // "/C:/x" is the Windows path "C:/x"
  return true;
}

bool isBuiltIn(QStringView name) {
  return name == QLatin1String("PROJECT_LOC") || name == QLatin1String("WORKSPACE_LOC") ||
         name == QLatin1String("PARENT_LOC");
}

// The end of "PARENT-<digits>-" at position in name, with the digits' value
// (capped) in steps; 0 when there is none or nothing follows it.
qsizetype parentPrefixEnd(const QString& name, qsizetype position, qsizetype& steps) {
  if (!QStringView(name).sliced(position).startsWith(parentPrefix)) return 0;
  qsizetype end = position + parentPrefix.size();
  steps = 0;
  for (; end < name.size() && name[end] >= QLatin1Char('0') && name[end] <= QLatin1Char('9'); ++end)
    steps = std::min(steps * 10 + (name[end].unicode() - '0'), maximumParentSteps);
  const bool complete = end > position + parentPrefix.size() && end + 1 < name.size() && name[end] == QLatin1Char('-');
  return complete ? end + 1 : 0;
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

LinkLocationResolver::LinkLocationResolver(QString projectToWorkspace, const QHash<QString, QString>& pathVariables,
                                           WorkBudget* added)
    : projectToWorkspace_(std::move(projectToWorkspace)), added_(added) {
  for (auto variable = pathVariables.constBegin(); variable != pathVariables.constEnd(); ++variable)
    definitions_.insert(variable.key(), parts(variable.value(), true));
}

PathOrProblem LinkLocationResolver::resolve(const QString& location, bool isUri) const {
  const Parts link = parts(location, isUri);
  return link.isRelative() ? counted(below(variableValue(link.variable), link), link) : link.whole;
}

// A relative location starts with the variable it is relative to, written as a
// plain segment or as "${...}", with "PARENT-<n>-" prefixes in front of it at
// any depth (their steps add up: a parent of a parent is two steps up).
LinkLocationResolver::Parts LinkLocationResolver::parts(QString location, bool isUri) {
  Parts result;
  result.writtenLength = location.size();
  if (isUri) {
    location = decodeUri(location);
    if (!schemePath(location, location)) {
      result.whole = PathOrProblem::failure(QStringLiteral("location ") + location + QStringLiteral(" is not a file"));
      return result;
    }
  }
  location.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (location.isEmpty()) {
    result.whole = PathOrProblem::failure(QStringLiteral("its location is empty"));
  } else if (isAbsoluteForeignPath(location)) {
    result.whole = {location, QString()};
  } else {
    const qsizetype slash = location.indexOf(QLatin1Char('/'));
    result.rest = slash < 0 ? QString() : location.mid(slash + 1);
    location.truncate(slash < 0 ? location.size() : slash);
    if (location.startsWith(QLatin1String("${")) && location.endsWith(QLatin1Char('}')))
      location = location.mid(2, location.size() - 3);
    qsizetype start = 0;
    qsizetype steps = 0;
    while (!isBuiltIn(QStringView(location).sliced(start))) {
      const qsizetype end = parentPrefixEnd(location, start, steps);
      if (end == 0) break;
      result.parentSteps = std::min(result.parentSteps + steps, maximumParentSteps);
      start = end;
    }
    result.variable = location.mid(start);
  }
  return result;
}

PathOrProblem LinkLocationResolver::variableValue(const QString& name) const {
  if (name == QLatin1String("PROJECT_LOC")) return {};
  if (name == QLatin1String("WORKSPACE_LOC")) return {projectToWorkspace_, QString()};
  if (name == QLatin1String("PARENT_LOC")) return {QStringLiteral(".."), QString()};
  if (!definitions_.contains(name))
    return PathOrProblem::failure(QStringLiteral("path variable ") + name + QStringLiteral(" is not defined"));
  if (!values_.contains(name)) resolveVariable(name);
  return values_.value(name);
}

// The variable's chain, each after the one it is based on.
void LinkLocationResolver::resolveVariable(const QString& name) const {
  const ResolutionOrder order = resolutionOrder(name, [this](const QString& variable) {
    const Parts& definition = definitions_[variable];
    const bool pending =
        definition.isRelative() && isUserVariable(definition.variable) && !values_.contains(definition.variable);
    return pending ? QStringList{definition.variable} : QStringList();
  });
  for (const QString& variable : order.names) {
    const Parts& definition = definitions_[variable];
    PathOrProblem value = definition.whole;
    if (order.cyclic.contains(variable))
      value = PathOrProblem::failure(QStringLiteral("path variable ") + variable +
                                     QStringLiteral(" is defined through itself"));
    else if (definition.isRelative())
      value = below(variableValue(definition.variable), definition);
    if (value.path.size() > maximumLocationLength)
      value = PathOrProblem::failure(QStringLiteral("path variable ") + variable +
                                     QStringLiteral(" stands for more than %1 characters").arg(maximumLocationLength));
    else if (definition.isRelative())
      value = counted(value, definition);
    values_.insert(variable, value);
  }
}

// What location names below base, its parent steps taken first.
PathOrProblem LinkLocationResolver::below(const PathOrProblem& base, const Parts& location) {
  if (!base.usable()) return base;
  return {joinPath(parentPath(base.path, location.parentSteps), location.rest), QString()};
}

// value, built from what was written as location, once what it adds to that is
// taken from the budget.
PathOrProblem LinkLocationResolver::counted(const PathOrProblem& value, const Parts& location) const {
  if (!value.usable() || !added_ || added_->take(std::max<qsizetype>(value.path.size() - location.writtenLength, 0)))
    return value;
  return PathOrProblem::failure(QStringLiteral("path variables add more than %1 characters to the workspace's "
                                               "locations")
                                    .arg(added_->most()));
}

bool LinkLocationResolver::isUserVariable(const QString& name) const {
  return !isBuiltIn(name) && definitions_.contains(name);
}
