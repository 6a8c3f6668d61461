#pragma once
// The paths an IAR project file names, in the forms the solution uses. Embedded
// Workbench writes them with "\" and a leading variable: "$PROJ_DIR$" (the
// project file's directory), "$WS_DIR$" (the workspace's), "$TOOLKIT_DIR$" (its
// own installation, unknown here) and argument variables a user defined in the IDE.

#include <QString>
#include <QStringList>
#include <optional>

class ForeignPathResolver;

/// Converts the paths of one project, remembering those it has to leave out.
class IarPathConverter {
 public:
  /// projectDirectory and workspaceDirectory as the files are read (relative to
  /// the working directory or absolute).
  IarPathConverter(ForeignPathResolver& resolver, const QString& projectDirectory, const QString& workspaceDirectory);

  /// A file or directory relative to the project directory with "/" separators
  /// ("src/main.c", "../Drivers/x.c"; "." for the directory itself), absolute
  /// when written so; spelled as found on disk. Nothing when it cannot be written.
  std::optional<QString> projectRelative(const QString& text);
  /// A directory or file for a list property, based on a macro:
  /// "$(ProjectDir)/../inc", "$(SolutionDir)/common"; absolute when written so.
  std::optional<QString> macroBased(const QString& text);

  /// Paths into the Embedded Workbench installation that were left out, as
  /// written, each once, in the order met.
  const QStringList& installationPaths() const { return installationPaths_; }
  /// Paths with a variable only the IDE knows that were left out.
  const QStringList& unknownVariablePaths() const { return unknownVariablePaths_; }

 private:
  enum class Base { Project, Workspace, Absolute, LeftOut };
  struct Split {
    Base base;
    QString rest;  // with "/" separators, without the variable
  };
  Split split(const QString& text);
  void leaveOut(QStringList& list, const QString& text);

  ForeignPathResolver& resolver_;
  QString projectDirectory_;
  QString workspaceDirectory_;
  QString absoluteProjectDirectory_;
  QString absoluteWorkspaceDirectory_;
  QStringList installationPaths_;
  QStringList unknownVariablePaths_;
};
