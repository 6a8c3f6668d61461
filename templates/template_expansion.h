#pragma once
// Loading a solution with its project templates expanded: what -expand-templates does.

#include <QString>
#include <string>

#include "support/warning_sink.h"

class ProjectElement;
class ProjectSystem;

/// Loads the solution file at path into system, replaces each project's template
/// reference ("template_name", "template_configurations") by the content of that
/// template of the templates files (templatesFiles: ";"-separated, see
/// templatesFilePaths), in load order, and populates the dynamic folders from the
/// disk. The solution becomes system.solution() and is returned. What the templates
/// files and the dynamic folders warn about is told to warnings. Throws
/// SolutionLoadError: a load error, "no template for project " with the project's
/// name, or a template name with "project template not found"; nothing of the load
/// is kept then.
ProjectElement* loadSolutionWithTemplates(ProjectSystem& system, const QString& templatesFiles, const QString& path,
                                          const WarningSink& warnings);

/// The same for solution text in memory, read as if it were the file at path.
ProjectElement* loadSolutionTextWithTemplates(ProjectSystem& system, const QString& templatesFiles,
                                              const QString& path, const std::string& text,
                                              const WarningSink& warnings);
