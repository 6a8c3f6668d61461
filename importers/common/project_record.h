#pragma once
// A project as an importer reads it: one record per project the solution will
// hold, in terms of what the settings mean rather than how a foreign IDE writes
// them. Importers fill records and nothing else; ProjectMapper writes them into
// the solution model. Paths are already in the form the solution writes them:
// relative to the project directory, based on a macro ("$(ProjectDir)/inc",
// "$(SolutionDir)/common") or absolute.

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

#include "importers/common/diagnostics.h"

/// What a project builds.
enum class ProjectKind { Executable, StaticLibrary, SharedLibrary, Unknown };

/// The device a configuration builds for.
struct TargetDevice {
  /// The part's name ("STM32F407IGHx"); empty when the source names none.
  QString name;

  friend bool operator==(const TargetDevice&, const TargetDevice&) = default;
};

/// What one tool (the C/C++ compiler, the assembler) is told.
struct ToolOptions {
  /// "NAME" or "NAME=value", in source order.
  QStringList definitions;
  QStringList undefinitions;
  QStringList includeDirectories;

  friend bool operator==(const ToolOptions&, const ToolOptions&) = default;
};

/// What the linker is told.
struct LinkerOptions {
  /// Libraries and object files linked besides the project's own.
  QStringList additionalFiles;

  friend bool operator==(const LinkerOptions&, const LinkerOptions&) = default;
};

/// One configuration of the source project, under the name the source gives it.
struct SourceConfiguration {
  QString name;
  TargetDevice device;
  ToolOptions compiler;
  LinkerOptions linker;
  QString outputDirectory;
  QString intermediateDirectory;

  friend bool operator==(const SourceConfiguration&, const SourceConfiguration&) = default;
};

/// A folder or file of the project's source tree.
struct SourceItem {
  enum class Kind { Folder, File };

  Kind kind = Kind::File;
  /// A folder's name (empty: its items belong to the enclosing folder); a
  /// file's name as the file filters see it.
  QString name;
  /// A file's path as the solution writes it.
  QString path;
  /// The source configurations that leave the item out of their build.
  QStringList excludedFrom;
  /// A folder's folders and files, in order.
  std::vector<SourceItem> items;

  static SourceItem folder(QString name) { return {Kind::Folder, std::move(name), {}, {}, {}}; }
  static SourceItem file(QString name, QString path) { return {Kind::File, std::move(name), std::move(path), {}, {}}; }

  friend bool operator==(const SourceItem&, const SourceItem&) = default;
};

/// Everything the solution gets of one project.
struct ProjectRecord {
  QString name;
  ProjectKind kind = ProjectKind::Unknown;
  /// The project directory, as a path to look at on disk.
  QString directory;
  /// The file the project comes from, as messages name it.
  QString sourceFile;
  /// Every configuration, in source order; at least one.
  std::vector<SourceConfiguration> configurations;
  /// The content of the project's "Source Files" folder.
  std::vector<SourceItem> sources;
  /// The names of the projects it depends on, in order.
  QStringList dependencies;
  /// What was read but cannot be carried into the solution.
  QList<NotCarried> notCarried;

  friend bool operator==(const ProjectRecord&, const ProjectRecord&) = default;
};

/// The record as indented text, one fact a line (for tests and debugging).
QString describeRecord(const ProjectRecord& record);
