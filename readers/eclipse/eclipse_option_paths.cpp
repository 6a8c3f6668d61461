#include "readers/eclipse/eclipse_option_paths.h"

#include "foreign/foreign_path.h"

namespace {

const QString workspaceLocationPrefix = QStringLiteral("${workspace_loc:/");
const QString workspaceLocation = QStringLiteral("${workspace_loc}");
const QString projectDirectoryVariable = QStringLiteral("${ProjDirPath}");
const QString projectNameVariable = QStringLiteral("${ProjName}");
const QString solutionDirectory = QStringLiteral("$(SolutionDir)");

// "${workspace_loc:/P/x}" (and "${workspace_loc:/P}/x"): P is a project of the
// workspace, whose links or directory take its place; an unknown P is kept as a name.
PathOrProblem workspaceLocationPath(const QString& value, const OptionPathBase& base) {
  const qsizetype close = value.indexOf(QLatin1Char('}'), workspaceLocationPrefix.size());
  QString inside =
      value.mid(workspaceLocationPrefix.size(), close - workspaceLocationPrefix.size()) + value.mid(close + 1);
  const qsizetype slash = inside.indexOf(QLatin1Char('/'));
  const QString project = inside.left(slash);
  const QString below = slash < 0 ? QString() : inside.mid(slash + 1);
  if (base.linkedLocation) {
    if (const std::optional<PathOrProblem> linked = base.linkedLocation(project, below)) {
      if (!linked->usable() || isAbsoluteForeignPath(linked->path)) return *linked;
      return {solutionDirectory + QLatin1Char('/') + linked->path, QString()};
    }
  }
  const auto directory = base.projectDirectories.constFind(project);
  if (project == base.projectName)
    inside = joinPath(base.projectDirectory, below);
  else if (directory != base.projectDirectories.constEnd())
    inside = joinPath(*directory, below);
  return {solutionDirectory + QLatin1Char('/') + inside, QString()};
}

QString projectRelative(const QString& path, const OptionPathBase& base) {
  if (!base.paths || path.isEmpty()) return path;
  return base.paths->respell(path, base.projectFileSystemDirectory);
}

}  // namespace

PathOrProblem optionPath(QString value, const OptionPathBase& base) {
  if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
    value = value.mid(1, value.size() - 2);
  value.replace(projectNameVariable, base.projectName);
  value.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (value.startsWith(workspaceLocationPrefix) && value.indexOf(QLatin1Char('}')) >= 0) {
    const PathOrProblem location = workspaceLocationPath(value, base);
    if (!location.usable()) return location;
    value = location.path;
  } else if (value.startsWith(workspaceLocation)) {
    value = joinPath(solutionDirectory, value.mid(workspaceLocation.size() + 1));
  } else if (value.startsWith(projectDirectoryVariable)) {
    const QString rest = value.mid(projectDirectoryVariable.size() + 1);
    value = rest.isEmpty() ? QStringLiteral(".") : projectRelative(rest, base);
  } else if (value.startsWith(QLatin1String("../"))) {
    // Relative to the build directory, which lies directly below the project.
    value = projectRelative(value.mid(3), base);
  } else if (!isAbsoluteForeignPath(value)) {
    value = projectRelative(value, base);
  }
  if (value.contains(QLatin1String("${")))
    return PathOrProblem::failure(QStringLiteral("it holds a variable that cannot be resolved"));
  return {value, QString()};
}
