#pragma once
// The commands an IAR configuration runs around its build, with Embedded
// Workbench's argument variables ("$PROJ_DIR$", "$CONFIG_NAME$", ...) written
// as the solution's macros.

#include <QList>
#include <QString>
#include <optional>
#include <vector>

#include "readers/common/project_record.h"
#include "readers/iar/iar_project.h"

/// text with each argument variable replaced by the solution macro of the same
/// meaning ("$PROJ_DIR$\tool.exe" gives "$(ProjectDir)\tool.exe"); nothing when
/// it holds a variable without one ("$TOOLKIT_DIR$", "$LIST_DIR$", one the user defined).
std::optional<QString> iarTextWithMacros(const QString& text);

/// The build steps of actions: "prebuild" and the newer "preCompile" run before
/// the build, "postbuild" and "postLink" after the link. A working directory
/// that is the project directory is left empty. An action of another order, or
/// whose command or directory holds a variable without a macro, is added to
/// notCarried as a "build command".
BuildSteps readIarBuildSteps(const std::vector<IarBuildAction>& actions, QList<NotCarried>& notCarried);
