#pragma once
// The list settings of a converted project's configurations: what the foreign
// project defines, followed by the command line's own values, and what
// "Debug" and "Release" share moved into "Common".

#include <QString>
#include <QStringList>

class ProjectElement;
class ProjectSystem;
struct ImportSettings;

/// What one configuration of a foreign project contributes, in document order.
struct ConfigurationLists {
  QStringList definitions;
  QStringList includeDirectories;
};

/// Sets the configuration's "c_preprocessor_definitions" and
/// "c_user_include_directories" from lists followed by the "-D" and "-I" values
/// (which are not filtered), each joined with ";"; an empty list sets nothing.
void setConfigurationLists(ProjectSystem& projectSystem, const ImportSettings& settings, ProjectElement* element,
                           const QString& configurationName, const ConfigurationLists& lists);

/// Moves propertyName of element to "Common" when "Debug" and "Release" both
/// hold it with the same value.
void mergeCommonProperty(ProjectSystem& projectSystem, ProjectElement* element, const QString& propertyName);
