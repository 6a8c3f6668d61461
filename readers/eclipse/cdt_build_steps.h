#pragma once
// The commands a CDT configuration runs before and after its build
// ("prebuildStep", "postbuildStep"), with CDT's build variables turned into
// the solution's macros.

#include <QList>
#include <QString>
#include <optional>

#include "foreign/foreign_document.h"
#include "readers/common/project_record.h"

class CdtBuildVariables;
struct OptionPathBase;

/// What the variables of one configuration's steps stand for.
struct BuildStepSource {
  /// The configuration's own build variables.
  const CdtBuildVariables* variables = nullptr;
  /// For "${workspace_loc:/P/x}".
  const OptionPathBase* paths = nullptr;
  /// The configuration's "artifactName" ("${ProjName}" by default).
  QString artifactName;
  bool library = false;
};

/// command with CDT's variables as the solution's macros: "${ProjName}" is
/// "$(ProjectName)", "${ConfigName}" "$(Configuration)", "${ProjDirPath}"
/// "$(ProjectDir)", "${CWD}" (the build directory) "$(OutDir)",
/// "${workspace_loc}" "$(SolutionDir)", "${workspace_loc:/P/x}" the path it
/// names, "${BuildArtifactFileName}" and "${BuildArtifactFileBaseName}" the
/// output's name; the configuration's build variables are expanded first.
/// Nothing when a variable is left that only the IDE knows.
std::optional<QString> solutionCommand(const QString& command, const BuildStepSource& source);

/// The configuration's steps: "prebuildStep" before the build, "postbuildStep"
/// after the output is made, each run in the build directory ("$(OutDir)", one
/// below the project as CDT's is). A step that cannot be translated goes to
/// notCarried (without configurations).
BuildSteps readBuildSteps(const ForeignElement& configuration, const BuildStepSource& source,
                          QList<NotCarried>& notCarried);
