#pragma once
// A uVision workspace as read: the workspace file, the project files it lists
// and their targets, groups and files, with every path resolved on disk.

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class ConversionContext;
class ForeignPathResolver;
class UvProject;
class UvWorkspace;

/// A source file entry of a group: its "FileName", and its "FilePath" with "/"
/// separators, relative to the project's directory, spelled as found on disk.
struct UvFile {
  QString name;
  QString path;
};

/// A "Group" of a target with the files of its own "Files" element.
struct UvGroup {
  QString name;
  QList<UvFile> files;
};

/// One "Target" of a project file, with the settings the conversion carries over.
struct UvTarget {
  QStringList definitions;    // the items of "Define"
  QStringList undefinitions;  // the items of "Undefine"
  QString includePath;        // already converted by projectRelativePathList
  QString createExecutable;
  QString outputDirectory;    // with "/" separators
  QString outputName;
  QList<UvGroup> groups;
  const UvProject* project = nullptr;
};

/// A project file named by the workspace, read with all its targets.
class UvProject {
 public:
  /// Reads the file that pathAndName (as the workspace writes it) names; throws
  /// HException when it cannot be read or has no target.
  UvProject(ConversionContext& context, const QString& pathAndName, const UvWorkspace* workspace);
  UvProject(const UvProject&) = delete;  // its targets point back at it
  UvProject& operator=(const UvProject&) = delete;
  virtual ~UvProject() = default;

  /// As the workspace names it, with "/" separators.
  QString path;
  /// The file read, relative to the working directory (or absolute).
  QString file;
  /// The directory holding the file: the base of the project's own paths.
  QString directory;
  /// The file name without its last suffix.
  QString name;
  std::vector<UvTarget> targets;
  const UvWorkspace* workspace;
};

/// A workspace file and every project file it lists, read in document order.
class UvWorkspace {
 public:
  /// Reads the workspace and all its projects; throws HException on the first failure.
  UvWorkspace(ConversionContext& context, const QString& path);
  UvWorkspace(const UvWorkspace&) = delete;  // its projects point back at it
  UvWorkspace& operator=(const UvWorkspace&) = delete;
  virtual ~UvWorkspace() = default;

  /// As given on the command line.
  QString path;
  std::vector<std::unique_ptr<UvProject>> projects;
};

/// The first target of the workspace, projects and targets in order, whose output
/// name contains name (case-sensitive); null when there is none.
const UvTarget* findTargetByOutputName(const UvWorkspace& workspace, const QString& name);

/// The items of a "Define" or "Undefine" text. uVision separates them by commas
/// and/or blanks ("A,B", "A, B", "A B"); a double-quoted part is never split.
QStringList definitionItems(const QString& text);

/// Turns a uVision include list ("..\inc;.;;src\") into entries relative to the
/// project directory, joined with ";" ("$(ProjectDir)/../inc;$(ProjectDir);$(ProjectDir)/src");
/// empty entries are dropped, and a directory that differs only in case is
/// spelled as found in projectDirectory.
QString projectRelativePathList(ForeignPathResolver& paths, const QString& text, const QString& projectDirectory);
