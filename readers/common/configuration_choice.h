#pragma once
// Which configurations of a foreign project become the solution's "Debug" and
// "Release", whatever the IDE called them; the others keep their own names.

#include <QList>
#include <QString>
#include <QStringList>

/// The configurations read as "Debug" and "Release", by index into the names given.
struct ConfigurationChoice {
  /// -1 when there is no configuration at all; otherwise both are set (possibly equal).
  qsizetype debug = -1;
  qsizetype release = -1;
  /// The other configurations, in source order: each is carried under its own name.
  QList<qsizetype> others;
  /// How configurations not named exactly "Debug" or "Release" were taken, for warnings.
  QStringList notes;
  /// Why each of the two was chosen: "named Debug", "name contains debug",
  /// "first configuration", "read as both" (and the same for Release).
  QString debugReason;
  QString releaseReason;

  bool isEmpty() const { return debug < 0; }
};

/// Chooses among the configuration names of a project, in source order.
/// Release is the one named exactly "Release", else the first whose name
/// contains "release" (any case). Debug is the one named exactly "Debug", else
/// the first whose name contains "debug" (any case), else the first that is not
/// Release, else Release itself. Without a Release, Debug is read as both.
/// Where a name is not exactly "Debug" or "Release", notes say what was done.
ConfigurationChoice chooseDebugAndRelease(const QStringList& names);
