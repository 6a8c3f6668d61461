#pragma once
// What an importer works with while it converts one input, besides the project
// system: the option values, the diagnostics channel, the directory of the
// workspace, the resolver of the paths its files name and the files it has read. A new context is made
// for every input, so nothing carries over from one input to the next.

#include <QList>
#include <QString>

#include "support/diagnostics.h"
#include "foreign/foreign_path.h"
#include "readers/common/import_settings.h"
#include "support/input_files.h"
#include "readers/common/project_properties.h"

/// The conversion state of one input.
class ConversionContext {
 public:
  /// projectProperties: the "-P" entries, checked once before any input is converted.
  ConversionContext(const ImportSettings& settings, QList<ProjectProperty> projectProperties,
                    Diagnostics& diagnostics);

  const ImportSettings& settings() const { return settings_; }
  const QList<ProjectProperty>& projectProperties() const { return projectProperties_; }
  Diagnostics& diagnostics() { return diagnostics_; }
  /// A warning about file (see Diagnostics::warn).
  void warn(const QString& file, const QString& message) { diagnostics_.warn(file, message); }

  /// The directory that the workspace's own relative paths are based on, as the
  /// user named it ("" for the working directory).
  void setWorkspaceDirectory(const QString& directory) { workspaceDirectory_ = directory; }
  const QString& workspaceDirectory() const { return workspaceDirectory_; }

  /// The resolver every importer uses for the paths its files name.
  ForeignPathResolver& paths() { return paths_; }

  /// The files the input's conversion has read, which its solution must not replace.
  InputFiles& inputFiles() { return inputFiles_; }
  const InputFiles& inputFiles() const { return inputFiles_; }

 private:
  const ImportSettings& settings_;
  const QList<ProjectProperty> projectProperties_;
  Diagnostics& diagnostics_;
  QString workspaceDirectory_;
  ForeignPathResolver paths_;
  InputFiles inputFiles_;
};
