#pragma once
// The paths an IAR project file names, in the forms the solution uses. Embedded
// Workbench writes them with "\" and a leading variable: "$PROJ_DIR$" (the
// project file's directory), "$WS_DIR$" (the workspace's), "$TOOLKIT_DIR$" (its
// own installation, unknown here) and argument variables a user defined in the
// IDE (iar_argument_variables.h).

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class ForeignPathResolver;
class IarArgumentVariables;

/// Converts the paths of one project, remembering those it has to leave out.
class IarPathConverter {
 public:
  /// Paths left out because of one variable.
  struct LeftOutVariable {
    /// As written: "$MY_SDK$", "${CMSIS_PACK_PATH_ARM#CMSIS#5.4.0}$".
    QString variable;
    /// Why, for the warning.
    QString why;
    /// As written, each once, in the order met.
    QStringList paths;
  };

  /// projectDirectory and workspaceDirectory as the files are read (relative to
  /// the working directory or absolute); argumentVariables: what the user's
  /// variables stand for (none known when null).
  IarPathConverter(ForeignPathResolver& resolver, const QString& projectDirectory, const QString& workspaceDirectory,
                   const IarArgumentVariables* argumentVariables = nullptr);

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
  /// Paths left out for a variable that is not defined (or whose Windows value
  /// is found nowhere above the project), by variable in the order met.
  const std::vector<LeftOutVariable>& leftOutVariables() const { return leftOutVariables_; }

  /// The files Embedded Workbench copies into the project (the originals by the
  /// copies' paths, as written, with "/"): a copy not made yet is converted as
  /// its original, whose content the IDE would copy and build.
  void setCopies(const QHash<QString, QString>* copies) { copies_ = copies; }
  /// The copies not made yet whose originals were written, as written.
  const QStringList& copiesNotMade() const { return copiesNotMade_; }

 private:
  /// Anchored: an argument variable's Windows value found again on disk (or a
  /// relative one made absolute); the rest is then absolute and written
  /// relative to the project.
  enum class Base { Project, Workspace, Absolute, Anchored, LeftOut };
  struct Split {
    Base base;
    QString rest;  // with "/" separators, without the variable
  };
  /// shown: the path as written, which a warning names; depth: how many
  /// variables' values text holds.
  Split split(const QString& text, const QString& shown, int depth);
  static std::optional<Split> splitCommonForm(QStringView text);
  Split argumentVariablePath(const QString& variable, const QString& name, const QString& rest, const QString& shown,
                             int depth);
  std::optional<QString> anchored(const QString& name, const QString& value, const QString& rest);
  const QString& copyOrOriginal(const QString& text);
  bool existsOnDisk(const QString& text);
  Split leaveOut(const QString& variable, const QString& why, const QString& shown);
  const QString& absoluteProjectDirectory();
  const QString& absoluteWorkspaceDirectory();

  ForeignPathResolver& resolver_;
  const IarArgumentVariables* argumentVariables_;
  QString projectDirectory_;
  QString workspaceDirectory_;
  QString absoluteProjectDirectory_;  // see absoluteProjectDirectory()
  QString absoluteWorkspaceDirectory_;
  QStringList installationPaths_;
  std::vector<LeftOutVariable> leftOutVariables_;
  /// Where each argument variable with a Windows value was found: an absolute directory.
  QHash<QString, QString> anchors_;
  const QHash<QString, QString>* copies_ = nullptr;
  QStringList copiesNotMade_;
  bool recordsLeftOut_ = true;
};
