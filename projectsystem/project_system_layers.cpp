#include "projectsystem/project_system_layers.h"

#include "properties/property_schema.h"

StandardProjectSystem::StandardProjectSystem(const QString& templatesFiles, const QStringList& packages)
    : ProjectSystem(templatesFiles, packages) {
  registerStandardProperties(mutableSchema());
}

GCCProjectSystem::GCCProjectSystem(const QString& templatesFiles, const QStringList& packages,
                                   const QString& executableExtension)
    : StandardProjectSystem(templatesFiles, packages), executableExtension_(executableExtension) {
  registerGCCProperties(mutableSchema());
}

HalbrookGCCProjectSystem::HalbrookGCCProjectSystem(const QString& templatesFiles, const QStringList& packages,
                                                   const QString& executableExtension)
    : GCCProjectSystem(templatesFiles, packages, executableExtension) {
  registerHalbrookGCCProperties(mutableSchema());
}

ARMProjectSystem::ARMProjectSystem(const QString& templatesFiles, const QStringList& packages)
    : HalbrookGCCProjectSystem(templatesFiles, packages, QStringLiteral(".elf")) {
  registerARMProperties(mutableSchema());
}

MyProjectSystem::~MyProjectSystem() = default;
