#pragma once
// Which project of a workspace builds a library that another one links: the links
// become project dependencies, as the IDEs build such projects in order.

#include <QHash>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

/// True for a path naming a library the linker takes: ".a" or ".lib", any case,
/// as Windows compares names.
bool isLibraryFile(QStringView path);
/// The name a library file is known by: its file name without directory (either
/// separator) and without its last suffix.
QString libraryName(const QString& path);
/// name without a library suffix (".a", ".lib", any case) when it has one.
QString withoutLibrarySuffix(const QString& name);

/// The projects of a workspace by the names of the libraries they build.
class LibraryBuilders {
 public:
  /// How a linked library's name finds its builder.
  enum class Matching {
    /// Equal ignoring case, as Windows compares file names (IAR).
    IgnoringCase,
    /// Equal, else the first project whose library name contains the name: a file
    /// whose targets build "drv_debug" and "drv" links "drv.lib" to the second (uVision).
    ExactThenContaining,
  };

  explicit LibraryBuilders(Matching matching) : matching_(matching) {}

  /// Enters a library the project of that index (in workspace order) and name builds.
  void add(const QString& library, qsizetype project, const QString& projectName);
  /// The name of the project, other than the one of index linking, that builds the
  /// library path names (see libraryName); nothing when no project of the workspace does.
  std::optional<QString> builderOf(const QString& path, qsizetype linking = -1) const;

 private:
  struct Builder {
    qsizetype project;
    QString projectName;
    QString library;
  };
  std::optional<QString> firstContaining(const QString& text) const;
  void indexSuffixes() const;
  QStringView suffixText(uint32_t builder, uint32_t offset) const;

  Matching matching_;
  std::vector<Builder> builders_;  // in workspace order
  /// Every builder of each library name (case-folded when ignoring case), in workspace order.
  QHash<QString, QList<qsizetype>> byName_;
  // The library names' suffixes, sorted by their text, and a segment tree over them
  // giving the earliest builder of each range: the first name that contains a text
  // is found without scanning every name for every library a project links. Built
  // on the first lookup that needs it.
  struct Suffix {
    uint32_t builder;
    uint32_t offset;
  };
  mutable std::vector<Suffix> suffixes_;
  mutable std::vector<uint32_t> firstBuilder_;
  mutable bool suffixesIndexed_ = false;
};
