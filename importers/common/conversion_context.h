#pragma once
// What the importers work with besides the project system: the option values,
// the directory of the workspace being converted, the state that carries over
// from project to project, the resolver of foreign paths and the warning sink.

#include <QList>
#include <QSet>
#include <QString>
#include <functional>

#include "importers/common/foreign_path.h"
#include "importers/common/import_settings.h"
#include "importers/common/project_properties.h"

/// Receives each warning ("warning: " is added by whoever prints it).
using WarningSink = std::function<void(const QString& message)>;

/// The conversion state of one run, shared by every input the run converts.
class ConversionContext {
 public:
  ConversionContext(const ImportSettings& settings, WarningSink warningSink);

  const ImportSettings& settings() const { return settings_; }

  /// Reports something left out or read differently; message names the file or
  /// project concerned. A message already reported for this workspace is not
  /// repeated (a configuration read as both Debug and Release would give each twice).
  void warn(const QString& message);

  /// Starts the conversion of one workspace: directory is the directory that
  /// the workspace's own relative paths are based on, as the user named it
  /// ("" for the working directory). Listings of an earlier workspace are dropped.
  void beginWorkspace(const QString& directory);
  const QString& workspaceDirectory() const { return workspaceDirectory_; }

  /// The resolver every importer uses for the paths its files name.
  ForeignPathResolver& paths() { return paths_; }

  /// The "-P" entries, checked before anything is converted.
  QList<ProjectProperty> projectProperties;

  /// The target device named by the last "Microcontroller" option of an Eclipse
  /// configuration. Empty at start and never reset: it carries over from
  /// configuration to configuration, project to project and input to input.
  QString microcontrollerName;

 private:
  const ImportSettings& settings_;
  WarningSink warningSink_;
  QSet<QString> reported_;
  QString workspaceDirectory_;
  ForeignPathResolver paths_;
};
