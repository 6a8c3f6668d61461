#include "importers/common/configuration_lists.h"

#include "importers/common/import_settings.h"
#include "projectsystem/project_system.h"

namespace {

void setListIfNotEmpty(ProjectSystem& projectSystem, ProjectElement* element, const QString& configurationName,
                       const QString& propertyName, const QStringList& list) {
  if (!list.isEmpty())
    projectSystem.setConfigurationProperty(element, propertyName, configurationName, list.join(QLatin1Char(';')));
}

}  // namespace

void setConfigurationLists(ProjectSystem& projectSystem, const ImportSettings& settings, ProjectElement* element,
                           const QString& configurationName, const ConfigurationLists& lists) {
  setListIfNotEmpty(projectSystem, element, configurationName, QStringLiteral("c_preprocessor_definitions"),
                    lists.definitions + settings.definitions);
  setListIfNotEmpty(projectSystem, element, configurationName, QStringLiteral("c_user_include_directories"),
                    lists.includeDirectories + settings.includePaths);
}

void mergeCommonProperty(ProjectSystem& projectSystem, ProjectElement* element, const QString& propertyName) {
  const QString debug = QStringLiteral("Debug");
  const QString release = QStringLiteral("Release");
  QString debugValue;
  QString releaseValue;
  if (!projectSystem.getConfigurationPropertyValue(element, debug, propertyName, debugValue, nullptr)) return;
  if (!projectSystem.getConfigurationPropertyValue(element, release, propertyName, releaseValue, nullptr)) return;
  if (debugValue != releaseValue) return;
  projectSystem.setConfigurationProperty(element, propertyName, QStringLiteral("Common"), debugValue);
  projectSystem.removeConfigurationProperty(element, propertyName, debug);
  projectSystem.removeConfigurationProperty(element, propertyName, release);
}
