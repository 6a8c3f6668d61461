#pragma once
// Reading the configurations of a CDT settings file into source configurations.

#include <QString>

#include "importers/common/dom_document.h"
#include "importers/common/project_record.h"

class ConversionContext;
struct IncludePathBase;

/// What the configurations of one project are read against.
struct ConfigurationSource {
  const IncludePathBase* includeBase = nullptr;
  /// The ".cproject" as messages name it.
  QString shownFile;
};

/// Reads one configuration element: its name, the definitions and include
/// directories of its options, and its device from the option named
/// "Microcontroller". Include values that cannot be resolved are left out with
/// a warning. lastMicrocontroller is the device the workspace named last: a
/// configuration without the option takes it, one with the option replaces it.
SourceConfiguration readConfiguration(ConversionContext& context, const ConfigurationSource& source,
                                      const DomElement& element, QString& lastMicrocontroller);
