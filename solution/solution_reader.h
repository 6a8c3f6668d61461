#pragma once
// The solution file reader: reads solution files into the nodes of a solution
// model, with the state of its loads and what they record for template expansion.

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

#include "solution/dynamic_folder.h"

class ModelNode;
class SolutionModel;
class XMLDocument;
class XMLElement;

/// Reads solution files through the XML preprocessor: runs their load commands,
/// replaces "import" elements by the solutions they name and builds model nodes
/// from the parsed tree.
class SolutionReader {
 public:
  /// model: what the solutions are read for (its macros, and its tree that
  /// importSolution and removeNode change).
  explicit SolutionReader(SolutionModel& model);
  ~SolutionReader();

  SolutionModel& model() const { return model_; }

  /// Reads the solution file at path (relative paths are tried against baseDirectory
  /// too) and returns the solution, which the caller owns. definitions
  /// ("name=value;...") go to the preprocessor. Appends to templatedProjects and
  /// dynamicFolders. A file this reader has read before (however named) is not read
  /// again: an empty solution stands for it. Throws ConversionError.
  std::unique_ptr<ModelNode> loadSolution(const QString& baseDirectory, const QString& path,
                                          const QString& definitions = QString());
  /// The same for solution text held in memory, read as if it were the file at path
  /// (which need not exist): imports, the load command and relative paths are based
  /// on path's directory.
  std::unique_ptr<ModelNode> loadSolutionText(const QString& path, const std::string& text);
  /// Loads the solution file name (relative to solution's directory, or expanded with
  /// the global macros when it holds "$") into solution as an imported solution;
  /// a solution already imported under that name is returned instead.
  ModelNode* importSolution(ModelNode* solution, const QString& name);
  /// Destroys the files and folders of folder (its configurations stay), after taking
  /// what lies within them out of templatedProjects and dynamicFolders.
  void removeContent(ModelNode* folder);

  /// Off in the fuzz target: solution load commands are not run.
  bool runLoadCommands = true;
  /// Projects with a "template_name" that the loads found, in load order.
  QList<ModelNode*> templatedProjects;
  /// Dynamic folders that the loads found, in load order.
  QList<ModelNode*> dynamicFolders;
  /// What the dynamic folders of the loads and of their expansion may add together.
  DynamicFolderBudget dynamicFolderBudget;
  /// Absolute paths of the solution files being loaded, innermost last.
  const QStringList& loadingStack() const { return loadingStack_; }

 private:
  class LoadStateGuard;
  friend class SolutionTreeBuilder;
  std::unique_ptr<ModelNode> buildSolution(XMLDocument& document, const QString& stoppedAt, const QString& file);
  std::unique_ptr<ModelNode> emptySolution(const QString& file);
  void runSolutionLoadCommand(const XMLElement& root, const QString& file);

  SolutionModel& model_;
  QStringList loadingStack_;
  // Canonical paths of the files read, each once.
  QSet<QString> readFiles_;
};
