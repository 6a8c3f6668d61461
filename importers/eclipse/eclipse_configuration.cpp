#include "importers/eclipse/eclipse_configuration.h"

#include <QStringList>

#include "importers/common/configuration_lists.h"
#include "importers/common/conversion_context.h"
#include "importers/common/xml_loading.h"
#include "importers/eclipse/eclipse_include_paths.h"
#include "projectsystem/project_system.h"

namespace {

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

void readIncludePaths(ConversionContext& context, const ConfigurationTarget& target, const DomElement& option,
                      ConfigurationLists& values) {
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
                ConfigurationLists& values) {
  const QString valueType = option.attribute(QStringLiteral("valueType"));
  if (valueType == QLatin1String("definedSymbols")) {
    for (const QString& value : userListValues(option)) {
      if (!value.isEmpty() && context.settings().keepsDefinition(value)) values.definitions.append(value);
    }
  } else if (valueType == QLatin1String("includePath")) {
    readIncludePaths(context, target, option, values);
  } else if (option.attribute(QStringLiteral("name")) == QLatin1String("Microcontroller")) {
    context.microcontrollerName = option.attribute(QStringLiteral("value"));
  }
}

}  // namespace

void importConfigurationOptions(ProjectSystem& projectSystem, ConversionContext& context,
                                const ConfigurationTarget& target, const DomElement& configurationElement) {
  ConfigurationLists values;
  for (const DomElement& option : descendantElements(configurationElement, QStringLiteral("option")))
    readOption(context, target, option, values);
  setConfigurationLists(projectSystem, context.settings(), target.project, target.configurationName, values);
}
