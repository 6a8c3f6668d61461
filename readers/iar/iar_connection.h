#pragma once
// IAR project connection files (".ipcf"): what a tool that makes code (TI's
// SysConfig, an SDK's examples) tells an IAR project to take in. The project
// lists the file; Embedded Workbench then adds the device, include
// directories, definitions, options, linker settings and build commands it
// gives to the project's configurations, and its files (copying those marked
// "copyTo" into the project) in a group named after the connection:
//
//   <iarProjectConnection version="1.2" name="empty_mspm0c1103" oneShot="true">
//     <device><name>MSPM0C1103</name></device>
//     <includePath><path>$PROJ_DIR$</path></includePath>
//     <defines><define>__MSPM0C1103__</define></defines>
//     <linkerFile><override>true</override><path>$PROJ_DIR$/mspm0c1103.icf</path></linkerFile>
//     <files>
//       <path copyTo="$PROJ_DIR$/main.c">$MSPM0_SDK_INSTALL_DIR$/examples/.../main.c</path>
//       <group name="iar" build="true">...</group>
//     </files>
//   </iarProjectConnection>
//
// Settings inside "<configurations><configuration name="Debug">" apply to that
// configuration alone. A path without a leading variable is relative to the
// connection file.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "foreign/foreign_document.h"
#include "support/diagnostics.h"

struct IarProjectContent;

/// A file a connection adds to the project.
struct IarConnectionFile {
  /// As written: "$MSPM0_SDK_INSTALL_DIR$/examples/.../main.c".
  QString path;
  /// Where the IDE copies it into the project ("copyTo"); empty when the
  /// project takes the file where it lies.
  QString copyTo;
  /// Index of the group holding it; -1 for the connection's own group.
  qsizetype group = -1;
};

/// A group of a connection's files; groups come after their parents.
struct IarConnectionGroup {
  QString name;
  qsizetype parent = -1;
  /// "build" false: its files are listed but not built.
  bool excluded = false;
};

/// The settings a connection gives every configuration, or one.
struct IarConnectionSettings {
  /// Empty for every configuration.
  QString configuration;
  QString device;
  QStringList includePaths;
  QStringList assemblerIncludePaths;
  QStringList definitions;
  /// The compiler's extra options ("extraOptions"), one argument each.
  QStringList compilerOptions;
  /// The linker's extra arguments ("linkerExtraOptions"): libraries and options.
  QStringList linkerArguments;
  /// The linker configuration file, when the connection overrides the project's.
  QString linkerFile;
  std::optional<quint64> stackSize;
  std::optional<quint64> heapSize;
  QStringList preBuild;
  QStringList postBuild;
};

/// A connection file as read.
struct IarConnection {
  /// The group the IDE shows its files in.
  QString name;
  /// For every configuration first, then for those named.
  std::vector<IarConnectionSettings> settings;
  std::vector<IarConnectionGroup> groups;
  std::vector<IarConnectionFile> files;
  /// Groups nested deeper than the project's groups may be, merged into their ancestor.
  int mergedGroups = 0;
  /// What it says that the solution cannot carry (custom build tools, further
  /// heaps and stacks, elements not read).
  QList<NotCarried> notCarried;
};

/// Reads a connection file; a connection without a "name" is named
/// fallbackName (the file's name without suffix).
IarConnection readIarConnection(const ForeignDocument& document, const QString& fallbackName);

/// Joins connection to content as Embedded Workbench does: its settings to the
/// configurations they apply to (lists added to the project's, the device and
/// linker file replacing its), its groups and files in a group of its name
/// inside the group group (-1: the project's top level), its copies to
/// content.copies. directory: the connection file's directory relative to the
/// project directory ("" for the same), which its relative paths are based on.
void addIarConnection(IarProjectContent& content, const IarConnection& connection, qsizetype group,
                      const QString& directory);
