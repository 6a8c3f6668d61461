#include "importers/eclipse/eclipse_configuration.h"

#include <QStringList>

#include "importers/common/conversion_context.h"
#include "importers/common/xml_loading.h"
#include "importers/eclipse/eclipse_include_paths.h"
#include "projectsystem/project_system.h"

namespace {

/// What the options of one configuration contribute, in document order.
struct OptionValues {
  QStringList definitions;
  QStringList includeDirectories;
};

// The values of the entries a user set on a list option. Entries marked
// builtIn="true", or without the attribute, come from the tool chain. Only the
// option's own entries count: options nested in options (which CDT never
// writes) must not count an entry once for every enclosing option.
QStringList userListValues(const DomElement& option) {
  QStringList values;
  for (const DomElement& entry : childElements(option, QStringLiteral("listOptionValue"))) {
    if (entry.attribute(QStringLiteral("builtIn")) == QLatin1String("false"))
      values.append(entry.attribute(QStringLiteral("value")));
  }
  return values;
}

// A "definedSymbols" entry is carried over when its name passes the definition filters.
bool keepsDefinition(const ImportSettings& settings, const QString& value) {
  // The name is the first non-empty part between "=" signs, so "=X" is named X.
  // A value made only of "=" has no name at all; it is dropped rather than
  // carried over, since it would reach the compiler as a definition without a
  // macro name, which no compiler accepts.
  const QStringList parts = value.split(QLatin1Char('='), Qt::SkipEmptyParts);
  return !parts.isEmpty() && !settings.excludesDefinition(parts.first());
}

void readIncludePaths(ConversionContext& context, const ConfigurationTarget& target, const DomElement& option,
                      OptionValues& values) {
  for (const QString& value : userListValues(option)) {
    QString directory;
    QString problem;
    if (!includeDirectory(value, *target.includeBase, directory, problem)) {
      context.warn(target.shownFile + QStringLiteral(": include directory ") + value +
                   QStringLiteral(" left out: ") + problem);
    } else if (!directory.isEmpty()) {
      values.includeDirectories.append(directory);
    }
  }
}

void readOption(ConversionContext& context, const ConfigurationTarget& target, const DomElement& option,
                OptionValues& values) {
  const QString valueType = option.attribute(QStringLiteral("valueType"));
  if (valueType == QLatin1String("definedSymbols")) {
    for (const QString& value : userListValues(option)) {
      if (!value.isEmpty() && keepsDefinition(context.settings(), value)) values.definitions.append(value);
    }
  } else if (valueType == QLatin1String("includePath")) {
    readIncludePaths(context, target, option, values);
  } else if (option.attribute(QStringLiteral("name")) == QLatin1String("Microcontroller")) {
    context.microcontrollerName = option.attribute(QStringLiteral("value"));
  }
}

void setListIfNotEmpty(ProjectSystem& projectSystem, const ConfigurationTarget& target, const QString& propertyName,
                       const QStringList& list) {
  if (!list.isEmpty()) {
    projectSystem.setConfigurationProperty(target.project, propertyName, target.configurationName,
                                           list.join(QLatin1Char(';')));
  }
}

}  // namespace

void importConfigurationOptions(ProjectSystem& projectSystem, ConversionContext& context,
                                const ConfigurationTarget& target, const DomElement& configurationElement) {
  OptionValues values;
  for (const DomElement& option : descendantElements(configurationElement, QStringLiteral("option")))
    readOption(context, target, option, values);
  // The command line's own values are appended unfiltered.
  values.definitions += context.settings().definitions;
  values.includeDirectories += context.settings().includePaths;
  setListIfNotEmpty(projectSystem, target, QStringLiteral("c_preprocessor_definitions"), values.definitions);
  setListIfNotEmpty(projectSystem, target, QStringLiteral("c_user_include_directories"), values.includeDirectories);
}

void mergeCommonProperty(ProjectSystem& projectSystem, ProjectElement* project, const QString& propertyName) {
  const QString debug = QStringLiteral("Debug");
  const QString release = QStringLiteral("Release");
  QString debugValue;
  QString releaseValue;
  if (!projectSystem.getConfigurationPropertyValue(project, debug, propertyName, debugValue, nullptr)) return;
  if (!projectSystem.getConfigurationPropertyValue(project, release, propertyName, releaseValue, nullptr)) return;
  if (debugValue != releaseValue) return;
  projectSystem.setConfigurationProperty(project, propertyName, QStringLiteral("Common"), debugValue);
  projectSystem.removeConfigurationProperty(project, propertyName, debug);
  projectSystem.removeConfigurationProperty(project, propertyName, release);
}
