#pragma once
// The files of a uVision workspace as read: the workspace, its projects and their targets.

#include <QList>
#include <QString>
#include <memory>
#include <vector>

class UvProject;
class UvWorkspace;

/// A source file entry of a group: its "FileName" and its "FilePath" with forward slashes.
struct UvFile {
  QString name;
  QString path;
};

/// A "Group" below a target, with every "File" below it.
struct UvGroup {
  QString name;
  QList<UvFile> files;
};

/// One "Target" of a project file, with the settings the conversion carries over.
struct UvTarget {
  QString cDefine;
  QString cUndefine;
  QString cIncludePath;  // already converted by projectRelativePathList
  QString createExecutable;
  QString outputDirectory;
  QString outputName;
  QList<UvGroup> groups;
  const UvProject* project = nullptr;
};

/// A project file named by the workspace, read with all its targets.
class UvProject {
 public:
  /// Reads the file; throws HException when it cannot be read or has no target.
  UvProject(const QString& path, const UvWorkspace* workspace);
  UvProject(const UvProject&) = delete;  // its targets point back at it
  UvProject& operator=(const UvProject&) = delete;
  virtual ~UvProject() = default;

  QString path;  // as the workspace names it, separators unchanged
  std::vector<UvTarget> targets;
  const UvWorkspace* workspace;
};

/// A workspace file and every project file it lists, read in document order.
class UvWorkspace {
 public:
  /// Reads the workspace and all its projects; throws HException on the first failure.
  explicit UvWorkspace(const QString& path);
  UvWorkspace(const UvWorkspace&) = delete;  // its projects point back at it
  UvWorkspace& operator=(const UvWorkspace&) = delete;
  virtual ~UvWorkspace() = default;

  QString path;
  std::vector<std::unique_ptr<UvProject>> projects;
};

/// The first target of the workspace, projects and targets in order, whose output
/// name contains name (case-sensitive); null when there is none.
const UvTarget* findTargetByOutputName(const UvWorkspace& workspace, const QString& name);

/// Turns a uVision include list ("..\inc;.;src\") into project-relative entries
/// joined with ";" ("$(ProjectDir)/../inc;$(ProjectDir);$(ProjectDir)/src").
QString projectRelativePathList(const QString& text);
