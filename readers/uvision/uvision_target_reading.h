#pragma once
// What the readers of a uVision target's settings share: the tool set that
// decides how its option codes read, the project directory its paths start
// from, and the list of what the solution cannot carry.

#include <QString>

#include "foreign/foreign_document.h"
#include "readers/common/project_record.h"

class ConversionContext;
class ForeignPathResolver;

/// The tool chain a target builds with; the same option code means different
/// things for each.
enum class UVisionToolset { ArmCompiler5, ArmCompiler6, Gnu };

/// The tool set of a "Target" element: ARM-GNU keeps its settings under
/// "TargetArm", the ARM compilers under "TargetArmAds" with "uAC6" telling 6 from 5.
UVisionToolset toolsetOf(const ForeignElement& target);

/// A directory a project file names ("..\inc", ".") as the solution writes an
/// include directory ("$(ProjectDir)/../inc", "$(ProjectDir)"), spelled as found
/// in projectDirectory.
QString projectRelativeDirectory(ForeignPathResolver& paths, const QString& written, const QString& projectDirectory);

/// Follows a chain of direct-child lookups; a missing step gives a null element.
ForeignElement childPath(ForeignElement element, std::initializer_list<const char*> tagNames);

/// One target being read.
struct UVisionTargetReading {
  ConversionContext& context;
  /// The project directory, the base of the target's relative paths.
  QString directory;
  QString targetName;
  UVisionToolset toolset;
  /// Where what cannot be carried is reported.
  QList<NotCarried>& notCarried;

  /// Reports a setting of the target that the solution cannot carry.
  void report(const QString& kind, const QString& value) const;
  /// A file path as written ("..\src\a.c") as the solution writes it ("../src/a.c"),
  /// spelled as on disk.
  QString filePath(const QString& written) const;
  /// A directory as written as the solution writes an include directory
  /// ("$(ProjectDir)/../inc").
  QString directoryPath(const QString& written) const;
};
