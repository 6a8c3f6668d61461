#pragma once
// A uVision workspace as read: the workspace file, the project files it lists
// and their targets, each target read into the record of the project it
// becomes, with every path resolved on disk.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "readers/common/project_record.h"
#include "readers/uvision/uvision_target_reading.h"
#include "support/input_files.h"

class ConversionContext;
class ForeignPathResolver;
class UVisionProject;

/// One "Target" of a project file.
struct UVisionTarget {
  /// The project it becomes; its sources are dropped once it is written.
  ProjectRecord record;
  /// The number the project was started under (RecordSink::startProject).
  qsizetype started = -1;
  /// The name of the project it becomes (its project file's for a target that
  /// becomes none): what a dependency on its output names.
  QString projectName;
  /// "CreateExecutable" is set, or neither it nor "CreateLib" is: the target
  /// builds something and becomes a project.
  bool buildsOutput = false;
  /// "OutputName": what other targets find a library they link by.
  QString outputName;
  /// The paths (with "/" separators, as written) of the libraries its groups link.
  QStringList linkedLibraries;
  UVisionToolset toolset = UVisionToolset::ArmCompiler5;
  const UVisionProject* project = nullptr;
};

/// A project file named by the workspace, read with all its targets.
class UVisionProject {
 public:
  /// Reads file, which pathAndName (as the workspace writes it) names; throws
  /// ConversionError when it cannot be read, is no uVision project or has no target.
  UVisionProject(ConversionContext& context, const QString& pathAndName, const QString& file,
                 const QString& workspaceFile);
  UVisionProject(const UVisionProject&) = delete;  // its targets point back at it
  UVisionProject& operator=(const UVisionProject&) = delete;

  /// The file name without its last suffix.
  QString name;
  /// The file as messages name it.
  QString shownFile;
  std::vector<UVisionTarget> targets;

  /// True when some target builds something and so becomes a project.
  bool givesProjects() const;
};

/// A workspace file and the project files it lists. The projects are read one at a
/// time, in document order, so that a conversion can drop each one's sources once
/// they are converted instead of holding every file of the workspace at once.
class UVisionWorkspace {
 public:
  /// Reads the workspace file; throws ConversionError when it cannot be read or
  /// is no uVision workspace.
  UVisionWorkspace(ConversionContext& context, const QString& workspaceFile);
  UVisionWorkspace(const UVisionWorkspace&) = delete;
  UVisionWorkspace& operator=(const UVisionWorkspace&) = delete;

  /// Reads the next project file that the workspace lists and appends it to
  /// projects; null when all are read. A file listed again is skipped with a
  /// warning; one that cannot be read or is no uVision project is left out
  /// (ConversionContext::leaveOutProject). Throws ConversionError for a
  /// project without any target.
  UVisionProject* readNextProject(ConversionContext& context);

  /// As given on the command line.
  QString path;
  /// The "PathAndName" of every project, in document order.
  QStringList projectPaths;
  /// The projects read so far.
  std::vector<std::unique_ptr<UVisionProject>> projects;

 private:
  qsizetype nextPath_ = 0;
  ListedProjectFiles listed_;
};

/// The name of the project a target becomes, when its project file gives
/// several: the file's name, "_" and the target's name with each character
/// other than a letter, digit, "-", "_" or "." written "_"
/// ("Project_STM32F407-Discovery", "demo_FVP_Simulation_Model").
QString targetProjectName(const QString& fileName, const QString& targetName);

/// The items of a "Define" or "Undefine" text. uVision separates them by commas
/// and/or blanks ("A,B", "A, B", "A B"); a double-quoted part is never split.
QStringList definitionItems(const QString& text);

/// Turns a uVision include list ("..\inc;.;;src\") into directories relative to
/// the project directory ("$(ProjectDir)/../inc", "$(ProjectDir)", "$(ProjectDir)/src");
/// entries are separated by ";" or by "," (published projects write
/// "..\common\inc, ..\inc") with the blanks around them; empty entries are
/// dropped, and a directory that differs only in case is spelled as found in
/// projectDirectory.
QStringList projectRelativePathList(ForeignPathResolver& paths, const QString& text, const QString& projectDirectory);
