#include "readers/iar/iar_build_steps.h"

namespace {

/// An argument variable and the solution macro that means the same.
struct VariableMacro {
  const char* variable;
  const char* macro;
};

// "$TARGET_DIR$" and "$EXE_DIR$" are both where the output goes. "$PROJ_FNAME$"
// is the project file's name without suffix, which the project is named after.
const VariableMacro variableMacros[] = {
    {"PROJ_DIR", "$(ProjectDir)"},    {"WS_DIR", "$(SolutionDir)"},     {"CONFIG_NAME", "$(Configuration)"},
    {"TARGET_PATH", "$(TargetPath)"}, {"TARGET_DIR", "$(OutDir)"},      {"EXE_DIR", "$(OutDir)"},
    {"OBJ_DIR", "$(IntDir)"},         {"PROJ_FNAME", "$(ProjectName)"},
};

const char* macroOf(QStringView variable) {
  for (const VariableMacro& row : variableMacros)
    if (variable == QLatin1String(row.variable)) return row.macro;
  return nullptr;
}

bool isVariableCharacter(QChar c) {
  const char16_t u = c.unicode();
  return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_';
}

/// Where a command's build step is in the record, by the action's order.
struct StepOfSequence {
  const char* sequence;
  QList<BuildCommand> BuildSteps::*step;
};

// "preCompile" is written as "postLink" is; only "postLink" was seen in files.
const StepOfSequence stepsOfSequences[] = {
    {"prebuild", &BuildSteps::beforeBuild},
    {"preCompile", &BuildSteps::beforeBuild},
    {"postbuild", &BuildSteps::afterLink},
    {"postLink", &BuildSteps::afterLink},
};

QList<BuildCommand> BuildSteps::*stepOf(const QString& sequence) {
  for (const StepOfSequence& row : stepsOfSequences)
    if (sequence == QLatin1String(row.sequence)) return row.step;
  return nullptr;
}

// The project directory, with or without a separator after it, is where a step runs anyway.
std::optional<QString> workingDirectory(const QString& text) {
  std::optional<QString> directory = iarTextWithMacros(text);
  if (!directory) return std::nullopt;
  while (directory->endsWith(QLatin1Char('\\')) || directory->endsWith(QLatin1Char('/'))) directory->chop(1);
  if (*directory == QLatin1String("$(ProjectDir)")) directory->clear();
  return directory;
}

}  // namespace

std::optional<QString> iarTextWithMacros(const QString& text) {
  QString result;
  qsizetype copied = 0;
  for (qsizetype dollar = text.indexOf(QLatin1Char('$')); dollar >= 0;
       dollar = text.indexOf(QLatin1Char('$'), dollar + 1)) {
    qsizetype end = dollar + 1;
    while (end < text.size() && isVariableCharacter(text[end])) ++end;
    if (end == dollar + 1 || end == text.size() || text[end] != QLatin1Char('$')) continue;
    const char* macro = macroOf(QStringView(text).sliced(dollar + 1, end - dollar - 1));
    if (!macro) return std::nullopt;
    result += QStringView(text).sliced(copied, dollar - copied);
    result += QLatin1String(macro);
    copied = end + 1;
    dollar = end;
  }
  return result + text.sliced(copied);
}

BuildSteps readIarBuildSteps(const std::vector<IarBuildAction>& actions, QList<NotCarried>& notCarried) {
  BuildSteps steps;
  for (const IarBuildAction& action : actions) {
    QList<BuildCommand> BuildSteps::*step = stepOf(action.sequence);
    const std::optional<QString> command = iarTextWithMacros(action.command);
    const std::optional<QString> directory = workingDirectory(action.workingDirectory);
    if (!step || !command || !directory) {
      notCarried.append(
          {QStringLiteral("build command"), action.command + QStringLiteral(" (") + action.sequence + ')', {}});
      continue;
    }
    (steps.*step).append({*command, *directory});
  }
  return steps;
}
