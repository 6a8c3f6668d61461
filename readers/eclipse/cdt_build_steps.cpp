#include "readers/eclipse/cdt_build_steps.h"

#include <QRegularExpression>

#include "readers/eclipse/cdt_build_variables.h"
#include "readers/eclipse/eclipse_option_paths.h"

namespace {

const QString outputDirectory = QStringLiteral("$(OutDir)");

/// A CDT variable and the solution macro that stands for it.
struct VariableRow {
  const char* variable;
  const char* macro;
};

const VariableRow variables[] = {{"ProjName", "$(ProjectName)"},
                                 {"ConfigName", "$(Configuration)"},
                                 {"ProjDirPath", "$(ProjectDir)"},
                                 {"CWD", "$(OutDir)"},
                                 {"workspace_loc", "$(SolutionDir)"}};

std::optional<QString> macroFor(const QString& variable, const BuildStepSource& source) {
  for (const VariableRow& row : variables)
    if (variable == QLatin1String(row.variable)) return QLatin1String(row.macro);
  if (variable.startsWith(QLatin1String("workspace_loc:"))) {
    const PathOrProblem path = optionPath(QStringLiteral("${") + variable + QLatin1Char('}'), *source.paths);
    if (path.usable()) return path.path;
    return std::nullopt;
  }
  const bool artifactName = variable == QLatin1String("BuildArtifactFileName");
  if (artifactName || variable == QLatin1String("BuildArtifactFileBaseName")) {
    std::optional<QString> base =
        solutionCommand(source.artifactName.isEmpty() ? QStringLiteral("${ProjName}") : source.artifactName,
                        {source.variables, source.paths, QStringLiteral("${ProjName}"), source.library});
    if (base && artifactName) *base += QLatin1String(source.library ? "$(LIB)" : "$(EXE)");
    return base;
  }
  return std::nullopt;
}

}  // namespace

std::optional<QString> solutionCommand(const QString& command, const BuildStepSource& source) {
  static const QRegularExpression variable(QStringLiteral("\\$\\{([^}]*)\\}"));
  const QString expanded = source.variables ? source.variables->expand(command) : command;
  QString result;
  qsizetype done = 0;
  for (const QRegularExpressionMatch& match : variable.globalMatch(expanded)) {
    const std::optional<QString> macro = macroFor(match.captured(1), source);
    if (!macro) return std::nullopt;
    result += QStringView(expanded).sliced(done, match.capturedStart() - done);
    result += *macro;
    done = match.capturedEnd();
  }
  return result + expanded.mid(done);
}

BuildSteps readBuildSteps(const ForeignElement& configuration, const BuildStepSource& source,
                          QList<NotCarried>& notCarried) {
  BuildSteps steps;
  const struct {
    const char* attribute;
    const char* kind;
    QList<BuildCommand> BuildSteps::*step;
  } stepAttributes[] = {{"prebuildStep", "pre-build step", &BuildSteps::beforeBuild},
                        {"postbuildStep", "post-build step", &BuildSteps::afterLink}};
  for (const auto& step : stepAttributes) {
    const QString command = configuration.attribute(QLatin1String(step.attribute)).trimmed();
    if (command.isEmpty()) continue;
    if (const std::optional<QString> translated = solutionCommand(command, source))
      (steps.*step.step).append({*translated, outputDirectory});
    else
      notCarried.append({QLatin1String(step.kind), command, {}});
  }
  return steps;
}
