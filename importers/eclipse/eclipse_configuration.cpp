#include "importers/eclipse/eclipse_configuration.h"

#include <QStringList>

#include "importers/common/conversion_context.h"
#include "importers/common/xml_loading.h"
#include "importers/eclipse/eclipse_include_paths.h"

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

void readIncludePaths(ConversionContext& context, const ConfigurationSource& source, const DomElement& option,
                      QStringList& directories) {
  for (const QString& value : userListValues(option)) {
    const PathOrProblem directory = includeDirectory(value, *source.includeBase);
    if (!directory.usable())
      context.warn(source.shownFile, QStringLiteral("include directory ") + value + QStringLiteral(" left out: ") + directory.problem);
    else if (!directory.path.isEmpty())
      directories.append(directory.path);
  }
}

}  // namespace

SourceConfiguration readConfiguration(ConversionContext& context, const ConfigurationSource& source,
                                      const DomElement& element, QString& lastMicrocontroller) {
  SourceConfiguration configuration;
  configuration.name = element.attribute(QStringLiteral("name"));
  configuration.device.name = lastMicrocontroller;
  for (const DomElement& option : descendantElements(element, QStringLiteral("option"))) {
    const QString valueType = option.attribute(QStringLiteral("valueType"));
    if (valueType == QLatin1String("definedSymbols")) {
      configuration.compile.compiler.definitions += userListValues(option);
    } else if (valueType == QLatin1String("includePath")) {
      readIncludePaths(context, source, option, configuration.compile.compiler.includeDirectories);
    } else if (option.attribute(QStringLiteral("name")) == QLatin1String("Microcontroller")) {
      configuration.device.name = option.attribute(QStringLiteral("value"));
    }
  }
  lastMicrocontroller = configuration.device.name;
  return configuration;
}
