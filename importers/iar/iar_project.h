#pragma once
// An IAR Embedded Workbench project file (".ewp") as read: its configurations
// with the options the conversion carries over, and its groups and files, every
// text as the file writes it.

#include <QString>
#include <QStringList>
#include <vector>

#include "importers/common/configuration_choice.h"
#include "importers/common/dom_document.h"

/// The options of one "configuration" that the conversion uses.
struct IarConfiguration {
  QString name;
  QString outputBinary;            // General "GOutputBinary": "1" builds a library, else an executable
  QString executablePath;          // General "ExePath", such as Debug\Exe
  QString objectPath;              // General "ObjPath"
  QString chip;                    // General "OGChipSelectEditMenu": "STM32L552ZE<TAB>ST STM32L552ZE"
  QStringList defines;             // the compiler's "CCDefines"
  QStringList includePaths;        // the compiler's "CCIncludePath2" ("newCCIncludePaths" for some targets)
  QStringList additionalLibraries; // the linker's "IlinkAdditionalLibs"
  QString archiveOutput;           // the archiver's "IarchiveOutput"
  QString archiveOverride;         // the archiver's "IarchiveOverride": "1" when that output is used

  bool buildsLibrary() const { return outputBinary == QLatin1String("1"); }
  /// The device name: the chip text up to its tab; empty when none is chosen.
  QString device() const;
};

/// A "group" of the project; groups come in document order, each after its parent.
struct IarGroup {
  QString name;
  /// Index of the enclosing group; -1 at the project's top level.
  qsizetype parent = -1;
  /// The configurations its "excluded" element names.
  QStringList excludedFrom;
};

/// A "file" entry of the project.
struct IarFile {
  /// As written: "$PROJ_DIR$\..\Src\main.c".
  QString name;
  /// Index of the group holding it; -1 at the project's top level.
  qsizetype group = -1;
  QStringList excludedFrom;
};

/// Groups nested deeper than this are merged into their ancestor at this depth:
/// the solution writes each level indented, so a hostile file of deeply nested
/// groups would otherwise give a solution quadratic in the file's size.
constexpr int maximumGroupDepth = 64;

/// What a project file holds, as the conversion uses it.
struct IarProjectContent {
  std::vector<IarConfiguration> configurations;
  /// The configurations read as "Debug" and "Release".
  ConfigurationChoice choice;
  std::vector<IarGroup> groups;
  std::vector<IarFile> files;
  /// Groups that were merged into an ancestor (see maximumGroupDepth).
  int mergedGroups = 0;

  /// Frees the groups and files, which a large workspace holds for every project.
  void releaseSources() {
    std::vector<IarGroup>().swap(groups);
    std::vector<IarFile>().swap(files);
  }

  const IarConfiguration& debug() const { return configurations[choice.debug]; }
  const IarConfiguration& release() const { return configurations[choice.release]; }
};

/// Reads the configurations (direct children of the document's "project"
/// element), and the groups and files below it. Options are found by their
/// "name" in the "settings" block they belong to: "General", the compiler
/// (whichever block's name starts with "ICC": ICCARM, ICC430, ICCRX, ...), the
/// linker ("ILINK") and the archiver ("IARCHIVE"). A list option holds one
/// "state" per entry; empty entries are dropped.
IarProjectContent readIarProject(const DomDocument& document);
