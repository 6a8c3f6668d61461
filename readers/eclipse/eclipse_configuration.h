#pragma once
// Reading the configurations of a CDT settings file into source configurations.

#include <QList>
#include <QString>

#include "readers/common/project_record.h"
#include "readers/eclipse/eclipse_source_entries.h"

class ConversionContext;
struct CdtConfiguration;
struct OptionPathBase;

/// What the configurations of one project are read against.
struct ConfigurationSource {
  const OptionPathBase* paths = nullptr;
  /// The ".cproject" as messages name it.
  QString shownFile;
  /// The project builds C++.
  bool cpp = false;
  ProjectKind kind = ProjectKind::Unknown;
  /// The processor family of the project's tool chain when it is not ARM.
  QString otherArchitecture;
};

/// One configuration as read.
struct ConfigurationReading {
  SourceConfiguration configuration;
  /// What it builds of the project, and the settings of its folders and files.
  ConfigurationResources resources;
  /// What it says that cannot be carried, with its name.
  QList<NotCarried> notCarried;
};

/// Reads one configuration: its name; the target, compiler, assembler and
/// linker settings of its options (cdt_tool_settings.h) with its build
/// variables expanded; its build steps; its source entries and exclusions; and
/// the settings of the folders and files with options of their own. Paths that
/// cannot be resolved are left out with a warning. The device is the
/// STM32CubeIDE MCU where one is named, else the option named
/// "Microcontroller"; lastMicrocontroller is the device the workspace named
/// last with that option: a configuration without it takes it, one with it
/// replaces it.
ConfigurationReading readConfiguration(ConversionContext& context, const ConfigurationSource& source,
                                       const CdtConfiguration& cdtConfiguration, QString& lastMicrocontroller);
