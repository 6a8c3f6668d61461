#pragma once
// An IAR Embedded Workbench workspace as read: the workspace file and the
// project files it refers to, each read into its content.

#include <QString>
#include <vector>

#include "readers/iar/iar_argument_variables.h"
#include "readers/iar/iar_project.h"

class ConversionContext;

/// A project file that the workspace refers to, read.
struct IarProject {
  /// The "path" text as the workspace writes it.
  QString path;
  /// The file read, relative to the working directory (or absolute).
  QString file;
  /// The directory holding the file, which "$PROJ_DIR$" stands for.
  QString directory;
  /// The file name without its last suffix: the project's name.
  QString name;
  IarProjectContent content;
};

/// A workspace file and every project file it refers to, read in document order.
class IarWorkspace {
 public:
  /// Reads the workspace and its projects, each project file once however often
  /// it is listed (a repetition is skipped with a warning). Only a "project"
  /// element that holds a "path" is a reference: batch builds name projects by
  /// "project" text alone. A project file that cannot be read or is not an IAR
  /// project, or whose path holds a variable nothing defines, is left out
  /// (ConversionContext::leaveOutProject). The argument
  /// variables are read first (IarArgumentVariables); the project connection
  /// files a project lists join its content (iar_connection.h). Throws
  /// ConversionError for a workspace that cannot be read or is not an IAR
  /// workspace, and for an empty path.
  IarWorkspace(ConversionContext& context, const QString& workspaceFile);

  /// As given on the command line.
  QString path;
  /// The directory holding the workspace file, which "$WS_DIR$" stands for.
  QString directory;
  /// The user's variables the paths may name.
  IarArgumentVariables argumentVariables;
  std::vector<IarProject> projects;
};
