#pragma once
// Loading a solution with its project templates expanded: what -expand-templates does.

#include <QString>
#include <string>

class ProgressReporter;
class ProjectElement;
class ProjectSystem;

/// Supplies a template name for a project that names none. The command line has none.
class TemplateChooser {
 public:
  virtual ~TemplateChooser() = default;
  /// An empty name when the project gets no template.
  virtual QString chooseTemplate(const ProjectElement* project) = 0;
};

/// Loads the solution file at path into system, replaces each project's template
/// reference ("template_name", "template_configurations") by the template's content,
/// in load order, and populates the dynamic folders from the disk. The solution
/// becomes system.solution() and is returned. Throws SolutionLoadError: a load
/// error, "no template for project " with the project's name, or a template name
/// with "project template not found"; nothing of the load is kept then.
ProjectElement* loadSolutionWithTemplates(ProjectSystem& system, const QString& path,
                                          TemplateChooser* chooser = nullptr, ProgressReporter* progress = nullptr);

/// The same for solution text in memory, read as if it were the file at path.
ProjectElement* loadSolutionTextWithTemplates(ProjectSystem& system, const QString& path, const std::string& text,
                                              TemplateChooser* chooser = nullptr,
                                              ProgressReporter* progress = nullptr);
