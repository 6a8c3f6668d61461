#include "readers/iar/iar_paths.h"

#include <QDir>
#include <QFileInfo>

#include "foreign/foreign_path.h"

namespace {

// Variables that stand for the Embedded Workbench installation.
const char* const installationVariables[] = {"TOOLKIT_DIR", "EW_DIR"};

bool isInstallationVariable(const QString& name) {
  for (const char* variable : installationVariables)
    if (name == QLatin1String(variable)) return true;
  return false;
}

bool isVariableCharacter(QChar c, bool first) {
  const char16_t u = c.unicode();
  return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_' || (!first && u >= '0' && u <= '9');
}

/// A "$NAME$" variable in text: where it starts and how long it is.
struct VariableAt {
  qsizetype start = -1;
  qsizetype length = 0;
};

// The first "$NAME$" (NAME a C identifier) at or after from; start -1 when there is none.
VariableAt findVariable(QStringView text, qsizetype from = 0) {
  for (qsizetype dollar = text.indexOf(QLatin1Char('$'), from); dollar >= 0;
       dollar = text.indexOf(QLatin1Char('$'), dollar + 1)) {
    qsizetype end = dollar + 1;
    while (end < text.size() && isVariableCharacter(text[end], end == dollar + 1)) ++end;
    if (end > dollar + 1 && end < text.size() && text[end] == QLatin1Char('$')) return {dollar, end + 1 - dollar};
  }
  return {};
}

// "" for the directory itself, so that "$(ProjectDir)" gets no "/" after it.
QString cleanRest(const QString& rest) {
  const QString cleaned = QDir::cleanPath(rest);
  return cleaned == QLatin1String(".") ? QString() : cleaned;
}

QString withMacro(const char* macro, const QString& rest) {
  return rest.isEmpty() ? QLatin1String(macro) : QLatin1String(macro) + QLatin1Char('/') + rest;
}

}  // namespace

IarPathConverter::IarPathConverter(ForeignPathResolver& resolver, const QString& projectDirectory,
                                   const QString& workspaceDirectory)
    : resolver_(resolver),
      projectDirectory_(projectDirectory),
      workspaceDirectory_(workspaceDirectory),
      absoluteProjectDirectory_(QFileInfo(projectDirectory.isEmpty() ? QStringLiteral(".") : projectDirectory)
                                    .absoluteFilePath()),
      absoluteWorkspaceDirectory_(QFileInfo(workspaceDirectory.isEmpty() ? QStringLiteral(".") : workspaceDirectory)
                                      .absoluteFilePath()) {}

IarPathConverter::Split IarPathConverter::split(const QString& text) {
  // A variable anywhere else ("$CONFIG_NAME$\x") means something only the IDE knows.
  QString rest = toForwardSlashes(text);
  Base base = isAbsoluteForeignPath(rest) ? Base::Absolute : Base::Project;
  if (!rest.contains(QLatin1Char('$'))) return {base, rest};
  const VariableAt leading = findVariable(rest);
  if (leading.start == 0) {
    const QString name = rest.mid(1, leading.length - 2);
    if (isInstallationVariable(name)) {
      leaveOut(installationPaths_, text);
      return {Base::LeftOut, QString()};
    }
    if (name == QLatin1String("PROJ_DIR"))
      base = Base::Project;
    else if (name == QLatin1String("WS_DIR"))
      base = Base::Workspace;
    else
      base = Base::LeftOut;
    rest = rest.mid(leading.length);
    while (rest.startsWith(QLatin1Char('/'))) rest.remove(0, 1);
  }
  if (base == Base::LeftOut || findVariable(rest).start >= 0) {
    leaveOut(unknownVariablePaths_, text);
    return {Base::LeftOut, QString()};
  }
  return {base, rest};
}

void IarPathConverter::leaveOut(QStringList& list, const QString& text) {
  if (!list.contains(text)) list.append(text);
}

std::optional<QString> IarPathConverter::projectRelative(const QString& text) {
  const Split path = split(text);
  switch (path.base) {
    case Base::LeftOut:
      return std::nullopt;
    case Base::Absolute:
      return path.rest;
    case Base::Project: {
      const QString rest = cleanRest(resolver_.respell(path.rest, projectDirectory_));
      return rest.isEmpty() ? QStringLiteral(".") : rest;
    }
    case Base::Workspace: {
      // Relative to the project directory, whichever side of it the file lies.
      const QString onDisk = resolver_.respell(path.rest, workspaceDirectory_);
      const QString relative = QDir(absoluteProjectDirectory_)
                                   .relativeFilePath(QDir::cleanPath(absoluteWorkspaceDirectory_ + QLatin1Char('/') + onDisk));
      return relative.isEmpty() ? QStringLiteral(".") : relative;
    }
  }
  return std::nullopt;
}

std::optional<QString> IarPathConverter::macroBased(const QString& text) {
  const Split path = split(text);
  switch (path.base) {
    case Base::LeftOut:
      return std::nullopt;
    case Base::Absolute:
      return path.rest;
    case Base::Project:
      return withMacro("$(ProjectDir)", cleanRest(resolver_.respell(path.rest, projectDirectory_)));
    case Base::Workspace:
      // The solution is written beside the workspace file, so its directory is "$WS_DIR$".
      return withMacro("$(SolutionDir)", cleanRest(resolver_.respell(path.rest, workspaceDirectory_)));
  }
  return std::nullopt;
}
