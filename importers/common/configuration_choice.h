#pragma once
// Which configurations of a foreign project are read as "Debug" and as
// "Release": the importers convert those two, whatever the IDE called them.

#include <QString>
#include <QStringList>

/// The configurations read as "Debug" and "Release", by index into the names given.
struct ConfigurationChoice {
  /// -1 when there is no configuration at all; otherwise both are set (possibly equal).
  qsizetype debug = -1;
  qsizetype release = -1;
  /// How configurations not named exactly "Debug" or "Release" were taken, for warnings.
  QStringList notes;

  bool isEmpty() const { return debug < 0; }
};

/// Chooses among the configuration names of a project, in document order. A
/// configuration named exactly "Debug" or "Release" is that one (a later one of
/// the same name wins); with only one of them, it is read as both. Without
/// either, vendors' names count ("USBD-FS_Debug", "HardwareDebug", "obj"): the
/// first whose name ends in "Debug" or "Release" (any case) stands for that one,
/// else the first configuration is read as both; notes then say what was done.
ConfigurationChoice chooseDebugAndRelease(const QStringList& names);
