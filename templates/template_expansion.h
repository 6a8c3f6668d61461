#pragma once
// What -expand-templates does: a converted solution read back with its projects'
// templates expanded.

#include <QString>
#include <memory>
#include <string>

class Diagnostics;
class ModelNode;
class ProjectTemplates;
class SolutionModel;
struct GlobalMacros;

/// Expands the templates of the solutions of one run. The templates files are
/// loaded the first time a solution names a template and serve every solution after.
class TemplateExpansion {
 public:
  /// templatesFiles: ";"-separated, see templatesFilePaths. Both outlive the expansion.
  TemplateExpansion(const QString& templatesFiles, const GlobalMacros& globalMacros);
  ~TemplateExpansion();

  /// Reads the solution file at path into model, replaces each project's template
  /// reference ("template_name", "template_configurations") by the content of that
  /// template, in load order, and populates the dynamic folders from the disk. The
  /// solution becomes the model's and is returned. What the templates files and the
  /// dynamic folders warn about is told to diagnostics. Throws ConversionError: a
  /// load error, "no template for project " with the project's name, or a template
  /// name with "project template not found"; nothing of the load is kept then.
  ModelNode* expandFile(SolutionModel& model, const QString& path, Diagnostics& diagnostics);
  /// The same for solution text in memory, read as if it were the file at path.
  ModelNode* expandText(SolutionModel& model, const QString& path, const std::string& text, Diagnostics& diagnostics);

 private:
  const ProjectTemplates& templates(Diagnostics& diagnostics);

  const QString templatesFiles_;
  const GlobalMacros& globalMacros_;
  std::unique_ptr<ProjectTemplates> templates_;
};
