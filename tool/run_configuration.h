#pragma once
// What one run converts with: the command and what its command line says, read
// and checked once before anything is converted (command_line.h), then handed to
// every stage and never changed. Each input gets its own ConversionContext.

#include <QString>
#include <QStringList>
#include <optional>

#include "mapping/mapping_options.h"
#include "readers/common/conversion_context.h"

struct ReaderCommand;

/// The run's configuration.
struct RunConfiguration {
  const ReaderCommand* command = nullptr;
  /// What the readers read with.
  ReaderOptions reading;
  /// What the mapper adds to and filters out of every project.
  MappingOptions mapping;
  /// The "-P" entries as given; checkProjectProperties makes them mapping's.
  QStringList projectPropertyEntries;
  /// "-templatesfile" and "-addtemplatesfile": the templates files, ";"-separated.
  QString templatesFiles = QStringLiteral(
      "$(StudioDir)/targets/$(PROJECT_TEMPLATE_FILE:project_templates).xml;"
      "$(TargetsDir)/*/project_templates*.xml;"
      "$(TargetsDir)/*/*/project_templates*.xml");
  bool expandTemplates = false;  // "-expand-templates"
  bool verbose = false;          // "-verbose"
  /// "-rootuserdir": replaces the start-up environment's root user directory.
  std::optional<QString> rootUserDirectory;
  /// "-report": the file the run's report is written to.
  std::optional<QString> reportFile;
  /// "-help", "--help" or "-h": the command's usage text instead of a run.
  bool helpRequested = false;
  /// The names of the options given, each once.
  QStringList given;
  QStringList inputs;
};
