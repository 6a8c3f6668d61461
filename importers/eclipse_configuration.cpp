#include "importers/eclipse_configuration.h"

#include <QStringList>

#include "importers/import_settings.h"
#include "importers/xml_loading.h"
#include "projectsystem/project_system.h"

namespace {

const QString workspaceLocationPrefix = QStringLiteral("${workspace_loc:/");
const QString projectNameVariable = QStringLiteral("${ProjName}");

/// What the options of one configuration contribute, in document order.
struct OptionValues {
  QStringList definitions;
  QStringList includeDirectories;
};

// The values of the entries a user set on a list option. Entries marked
// builtIn="true", or without the attribute, come from the tool chain.
QStringList userListValues(const DomElement& option) {
  QStringList values;
  for (const DomElement& entry : descendantElements(option, QStringLiteral("listOptionValue"))) {
    if (entry.attribute(QStringLiteral("builtIn")) == QLatin1String("false"))
      values.append(entry.attribute(QStringLiteral("value")));
  }
  return values;
}

// A "definedSymbols" entry is carried over when its name passes the definition filters.
bool keepsDefinition(const QString& value) {
  // The name is the first non-empty part between "=" signs, so "=X" is named X.
  // A value made only of "=" has no name at all; it is dropped rather than
  // carried over, since it would reach the compiler as a definition without a
  // macro name, which no compiler accepts.
  const QStringList parts = value.split(QLatin1Char('='), Qt::SkipEmptyParts);
  return !parts.isEmpty() && !matchesAnyPattern(importSettings().definitionFilters, parts.first());
}

void readOption(const DomElement& option, const QString& projectName, OptionValues& values) {
  const QString valueType = option.attribute(QStringLiteral("valueType"));
  if (valueType == QLatin1String("definedSymbols")) {
    for (const QString& value : userListValues(option)) {
      if (keepsDefinition(value)) values.definitions.append(value);
    }
  } else if (valueType == QLatin1String("includePath")) {
    for (const QString& value : userListValues(option)) {
      const QString directory = rewriteIncludePath(value, projectName);
      if (!directory.isEmpty()) values.includeDirectories.append(directory);
    }
  } else if (option.attribute(QStringLiteral("name")) == QLatin1String("Microcontroller")) {
    microcontrollerName() = option.attribute(QStringLiteral("value"));
  }
}

void setListIfNotEmpty(ProjectSystem& projectSystem, ProjectElement* project, const QString& propertyName,
                       const QString& configurationName, const QStringList& list) {
  if (!list.isEmpty())
    projectSystem.setConfigurationProperty(project, propertyName, configurationName, list.join(QLatin1Char(';')));
}

}  // namespace

QString& microcontrollerName() {
  static QString name;
  return name;
}

QString rewriteIncludePath(QString value, const QString& projectName) {
  if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
    value = value.mid(1, value.size() - 2);
  // Anything but a workspace location is taken to start with a three-character
  // prefix such as "../" that CDT puts before project-relative paths; the three
  // characters go whatever they are, so "/usr/include" becomes "r/include".
  if (value.startsWith(workspaceLocationPrefix) && value.endsWith(QLatin1Char('}'))) {
    const qsizetype length = value.size() - workspaceLocationPrefix.size() - 1;
    value = QStringLiteral("$(SolutionDir)/") + value.mid(workspaceLocationPrefix.size(), length);
  } else {
    value.remove(0, 3);
  }
  const qsizetype variable = value.indexOf(projectNameVariable);
  if (variable >= 0) value.replace(variable, projectNameVariable.size(), projectName);
  value.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return value;
}

void importConfigurationOptions(ProjectSystem& projectSystem, ProjectElement* project,
                                const QString& configurationName, const QString& projectName,
                                const DomElement& configurationElement) {
  OptionValues values;
  for (const DomElement& option : descendantElements(configurationElement, QStringLiteral("option")))
    readOption(option, projectName, values);
  // The command line's own values are appended unfiltered.
  const ImportSettings& settings = importSettings();
  values.definitions += settings.definitions;
  values.includeDirectories += settings.includePaths;
  setListIfNotEmpty(projectSystem, project, QStringLiteral("c_preprocessor_definitions"), configurationName,
                    values.definitions);
  setListIfNotEmpty(projectSystem, project, QStringLiteral("c_user_include_directories"), configurationName,
                    values.includeDirectories);
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
