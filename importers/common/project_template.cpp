#include "importers/common/project_template.h"

#include "importers/common/hexception.h"
#include "importers/common/import_settings.h"
#include "projectsystem/project_system.h"

namespace {

void setTemplate(ProjectSystem& projectSystem, ProjectElement* project, const QString& templateName) {
  projectSystem.setElementProperty(project, QStringLiteral("template_name"), templateName);
}

}  // namespace

void applyProjectTemplate(ProjectSystem& projectSystem, const ImportSettings& settings, ProjectElement* project,
                          ProjectKind kind, const QString& device, const QString& shownFile) {
  const QString prefix = shownFile + QStringLiteral(": ");
  if (kind == ProjectKind::StaticLibrary) {
    if (settings.libraryTemplate.isEmpty()) throw HException(prefix + QStringLiteral("library template not specified"));
    setTemplate(projectSystem, project, settings.libraryTemplate);
    return;
  }
  if (!settings.executableTemplate.isEmpty()) {
    setTemplate(projectSystem, project, settings.executableTemplate);
    return;
  }
  if (device.isEmpty()) throw HException(prefix + QStringLiteral("executable template not specified"));
  if (device.startsWith(QLatin1String("STM32"))) setTemplate(projectSystem, project, QStringLiteral("STM32_EXE"));
  projectSystem.setConfigurationProperty(project, QStringLiteral("Target"), QStringLiteral("Common"), device);
}
