#pragma once
// Reading the configurations picked from a CDT settings file into configuration
// properties.

#include <QString>

#include "importers/common/dom_document.h"

class ConversionContext;
class ProjectElement;
class ProjectSystem;
struct IncludePathBase;

/// Where the options of one configuration go, and what their values are resolved against.
struct ConfigurationTarget {
  ProjectElement* project = nullptr;
  QString configurationName;
  const IncludePathBase* includeBase = nullptr;
  /// The ".cproject" as messages name it.
  QString shownFile;
};

/// Sets the configuration's "c_preprocessor_definitions" and
/// "c_user_include_directories" from the options below configurationElement,
/// followed by the "-D" and "-I" values, and takes its "Microcontroller" option
/// into the context. Include values that cannot be resolved are left out with a warning.
void importConfigurationOptions(ProjectSystem& projectSystem, ConversionContext& context,
                                const ConfigurationTarget& target, const DomElement& configurationElement);
