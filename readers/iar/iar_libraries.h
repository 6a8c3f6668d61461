#pragma once
// Which project of an IAR workspace builds a library that another one links:
// the links become project dependencies, as the IDE would build them in order.

#include <QHash>
#include <QList>
#include <QString>

class IarWorkspace;
struct IarProject;

/// The library projects of a workspace by the names of the library files they build.
class IarLibraryBuilders {
 public:
  explicit IarLibraryBuilders(const IarWorkspace& workspace);

  /// The project, other than linking, that builds the library file path names
  /// (its file name without suffix, compared ignoring case as Windows does);
  /// null when no project of the workspace builds it.
  const IarProject* builderOf(const QString& path, const IarProject& linking) const;

 private:
  /// Every builder of each case-folded library name, in workspace order.
  QHash<QString, QList<const IarProject*>> builders_;
};

/// True for a path naming a library the linker takes (".a" or ".lib", any case).
bool isLibraryFile(const QString& path);
