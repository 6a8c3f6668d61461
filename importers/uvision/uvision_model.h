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
  /// Drops the targets' groups and files (the rest stays for matching libraries).
  void releaseGroups();
  const UvWorkspace* workspace;
};

/// A workspace file and the project files it lists. The projects are read one at a
/// time, in document order, so that a conversion can drop each one's groups once
/// they are converted instead of holding every file of the workspace at once.
class UvWorkspace {
 public:
  /// Reads the workspace file; throws HException when it cannot be read.
  explicit UvWorkspace(const QString& path);
  UvWorkspace(const UvWorkspace&) = delete;  // its projects point back at it
  UvWorkspace& operator=(const UvWorkspace&) = delete;
  virtual ~UvWorkspace() = default;

  /// Reads the next project that the workspace lists and appends it to projects;
  /// null when all are read. Throws HException when the project cannot be read.
  UvProject* readNextProject(ConversionContext& context);

  /// As given on the command line.
  QString path;
  /// The "PathAndName" of every project, in document order.
  QStringList projectPaths;
  /// The projects read so far.
  std::vector<std::unique_ptr<UvProject>> projects;
};

/// The items of a "Define" or "Undefine" text. uVision separates them by commas
/// and/or blanks ("A,B", "A, B", "A B"); a double-quoted part is never split.
QStringList definitionItems(const QString& text);

/// Turns a uVision include list ("..\inc;.;;src\") into entries relative to the
/// project directory, joined with ";" ("$(ProjectDir)/../inc;$(ProjectDir);$(ProjectDir)/src");
/// empty entries are dropped, and a directory that differs only in case is
/// spelled as found in projectDirectory.
QString projectRelativePathList(ForeignPathResolver& paths, const QString& text, const QString& projectDirectory);
