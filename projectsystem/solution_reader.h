#pragma once
// The solution file reader: reads solution files into the model of a project
// system, with the state of its loads and what they record for template expansion.

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

#include "projectsystem/dynamic_folder.h"
#include "projectsystem/warning_sink.h"

class ProjectElement;
class ProjectSystem;
class SolutionFilePreprocessor;
class XMLElement;

/// Reads solution files through the solution-file preprocessor: runs their load
/// commands, replaces "import" elements by the solutions they name and turns the
/// parsed tree into model elements of the project system.
class SolutionReader {
 public:
  /// warnings takes what the loads and the expansion warn about (links a dynamic
  /// folder does not follow, templates files left out); dropped by default.
  explicit SolutionReader(ProjectSystem& system, WarningSink warnings = [](const QString&, const QString&) {});
  ~SolutionReader();

  ProjectSystem& system() const { return system_; }
  const WarningSink& warnings() const { return warnings_; }

  /// Reads the solution file at path (relative paths are tried against baseDirectory
  /// too) and returns the solution, which the caller owns. definitions
  /// ("name=value;...") go to the preprocessor. Appends to templatedProjects and
  /// dynamicFolders. A file this reader has read before (however named) is not read
  /// again: an empty solution stands for it. Throws SolutionLoadError.
  std::unique_ptr<ProjectElement> loadSolution(const QString& baseDirectory, const QString& path,
                                               const QString& definitions = QString());
  /// The same for solution text held in memory, read as if it were the file at path
  /// (which need not exist): imports, the load command and relative paths are based
  /// on path's directory.
  std::unique_ptr<ProjectElement> loadSolutionText(const QString& path, const std::string& text);
  /// Loads the solution file name (relative to solution's directory, or expanded with
  /// the global macros when it holds "$") into solution as an imported solution;
  /// a solution already imported under that name is returned instead.
  ProjectElement* importSolution(ProjectElement* solution, const QString& name);
  /// Destroys element through the project system, after taking what lies within it
  /// out of templatedProjects and dynamicFolders.
  void deleteElement(ProjectElement* element);

  /// Off in the fuzz target: solution load commands are not run.
  bool runLoadCommands = true;
  /// Projects with a "template_name" that the loads found, in load order.
  QList<ProjectElement*> templatedProjects;
  /// Dynamic folders that the loads found, in load order.
  QList<ProjectElement*> dynamicFolders;
  /// What the dynamic folders of the loads and of their expansion may add together.
  DynamicFolderBudget dynamicFolderBudget;

  /// Absolute paths of the solution files being loaded, innermost last.
  const QStringList& loadingStack() const { return loadingStack_; }

 private:
  class LoadStateGuard;
  std::unique_ptr<ProjectElement> buildSolution(SolutionFilePreprocessor& document, bool parsed, const QString& file);
  std::unique_ptr<ProjectElement> emptySolution(const QString& file);
  void runSolutionLoadCommand(const XMLElement& root, const QString& file, const QString& directory);

  ProjectSystem& system_;
  WarningSink warnings_;
  QStringList loadingStack_;
  // Canonical paths of the files read, each once.
  QSet<QString> readFiles_;
};
