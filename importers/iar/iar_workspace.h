#pragma once
// An IAR Embedded Workbench workspace as read: the workspace file, the project
// files it refers to, and each project's document, with the variables that
// paths inside them use.

#include <QString>
#include <vector>

#include "importers/common/dom_document.h"
#include "importers/common/foreign_path.h"

class ConversionContext;

/// A project file that the workspace refers to, loaded.
struct IarProject {
  /// The "path" text as the workspace writes it.
  QString path;
  /// The file read, relative to the working directory (or absolute).
  QString file;
  /// The directory holding the file, which "$PROJ_DIR$" stands for.
  QString directory;
  DomDocument document;
};

/// A workspace file and every project file it refers to, read in document order.
class IarWorkspace {
 public:
  /// Reads the workspace and its projects. Only a "project" element that holds a
  /// "path" is a reference: batch builds name projects by "project" text alone.
  /// Throws HException for a file that cannot be read and for an empty path.
  IarWorkspace(ConversionContext& context, const QString& path);

  /// As given on the command line.
  QString path;
  /// The directory holding the workspace file, which "$WS_DIR$" stands for.
  QString directory;
  std::vector<IarProject> projects;

  /// "$WS_DIR$" and, for a project, "$PROJ_DIR$", as the paths inside that project's file use them.
  ForeignPathResolver::Variables variablesFor(const IarProject& project) const;
};
