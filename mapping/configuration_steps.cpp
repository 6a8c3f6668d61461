// The steps of the mapper that write a project and its configurations: which
// source configurations become "Debug" and "Release", the project with what the
// command line adds, its dependencies, settings, libraries and template, and the
// report of what it cannot carry.

#include <QList>

#include "mapping/mapping_options.h"
#include "mapping/mapping_steps.h"
#include "model/solution_model.h"
#include "readers/common/configuration_choice.h"
#include "readers/common/reader.h"

namespace {

const QString commonName = QStringLiteral("Common");
const QString debugName = QStringLiteral("Debug");
const QString releaseName = QStringLiteral("Release");
const QString includeDirectoriesProperty = QStringLiteral("c_user_include_directories");

bool holds(const PropertyValues& values, const QPair<QString, QString>& value) { return values.contains(value); }

void setCommon(SolutionModel& model, ModelNode* node, const QString& property, const QString& value) {
  model.setConfigurationProperty(node, property, commonName, value);
}

// Files, definitions and include directories carry to any target; the
// solution's target settings are ARM's. The project's device and core are
// named, as the settings not carried are.
void reportOtherArchitecture(ProjectMapping& mapping, const TargetDevice& device) {
  if (device.otherArchitecture.isEmpty()) return;
  QString target = device.otherArchitecture + QStringLiteral(" target");
  if (!device.name.isEmpty()) target += QLatin1Char(' ') + device.name;
  if (!device.core.isEmpty()) target += QStringLiteral(" (core ") + device.core + QLatin1Char(')');
  mapping.warn(mapping.record.sourceFile, target + QStringLiteral(": files, definitions and include directories "
                                                                  "converted, no ARM target settings written"));
}

}  // namespace

// "Debug" and "Release" first, then every other configuration under its own name.
void planConfigurations(ProjectMapping& mapping) {
  const auto& configurations = mapping.record.configurations;
  if (configurations.empty()) return;
  if (!mapping.rules.choosesConfigurationsByName) {
    const QString reason = QStringLiteral("one project per target");
    mapping.plan = {{debugName, &configurations[0], reason}, {releaseName, &configurations[0], reason}};
    return;
  }
  QStringList names;
  for (const SourceConfiguration& configuration : configurations) names.append(configuration.name);
  const ConfigurationChoice choice = chooseDebugAndRelease(names);
  for (const QString& note : choice.notes) mapping.warn(mapping.record.sourceFile, note);
  const auto chosen = [&](qsizetype index) { return &configurations[size_t(index)]; };
  mapping.plan = {{debugName, chosen(choice.debug), choice.debugReason},
                  {releaseName, chosen(choice.release), choice.releaseReason}};
  for (qsizetype other : choice.others) {
    const SourceConfiguration* source = chosen(other);
    mapping.plan.push_back({source->name, source, QStringLiteral("own name")});
    if (!mapping.otherConfigurations.contains(source->name)) mapping.otherConfigurations.append(source->name);
  }
}

void createProject(ProjectMapping& mapping) {
  mapping.project =
      mapping.model.newProject(mapping.solution, mapping.record.name, mapping.record.directory, QString());
}

void applyCommandLineProperties(ProjectMapping& mapping) {
  if (!mapping.rules.appliesCommandLineSettings) return;
  for (const ProjectProperty& property : mapping.options.projectProperties)
    setCommon(mapping.model, mapping.project, property.name, property.value);
}

void writeSplit(ProjectMapping& mapping, ModelNode* node, const std::vector<PropertyValues>& values,
                bool keepsIncludeDirectories) {
  PropertyValues shared;
  for (const auto& value : values.front()) {
    if (keepsIncludeDirectories && value.first == includeDirectoriesProperty) continue;
    bool everywhere = true;
    for (const PropertyValues& other : values) everywhere = everywhere && holds(other, value);
    if (everywhere) shared.append(value);
  }
  for (const auto& [property, value] : shared)
    mapping.model.setConfigurationProperty(node, property, commonName, value);
  for (size_t i = 0; i < mapping.plan.size(); ++i) {
    for (const auto& value : values[i])
      if (!holds(shared, value))
        mapping.model.setConfigurationProperty(node, value.first, mapping.plan[i].name, value.second);
  }
}

void writeConfigurations(ProjectMapping& mapping) {
  if (mapping.plan.empty()) return;
  std::vector<PropertyValues> values;
  const MappingOptions* commandLine = mapping.rules.appliesCommandLineSettings ? &mapping.options : nullptr;
  for (const PlannedConfiguration& configuration : mapping.plan) {
    ConfigurationProperties properties =
        configurationProperties(*configuration.source, mapping.record.kind, commandLine);
    values.push_back(properties.values);
    mapping.configurations.push_back(
        {configuration.name, configuration.source->name, configuration.reason, properties.values, {}});
    for (const NotCarried& report : properties.notCarried) mergeNotCarried(mapping.notCarried, report);
    reportOtherArchitecture(mapping, configuration.source->device);
  }
  writeSplit(mapping, mapping.project, values, mapping.rules.keepsIncludeDirectoriesPerConfiguration);
}

// Libraries linked as files whatever the configuration (a library that no project
// of the workspace builds) join what the configurations share of "linker_additional_files".
void writeLinks(SolutionModel& model, ModelNode* project, const ProjectLinks& links) {
  if (links.dependencies)
    setCommon(model, project, QStringLiteral("project_dependencies"), links.dependencies->join(QLatin1Char(';')));
  const QStringList& files = links.linkedLibraryFiles;
  if (files.isEmpty()) return;
  const QString property = QStringLiteral("linker_additional_files");
  QStringList linked = files;
  if (const ModelNode* common = project->configuration(commonName))
    linked = common->property(property).split(QLatin1Char(';'), Qt::SkipEmptyParts) + files;
  setCommon(model, project, property, linked.join(QLatin1Char(';')));
}

bool linksChangeOnlyHeldConfigurations(const ModelNode* project) { return project->configuration(commonName); }

// Without an executable template, a known device still makes an executable
// buildable: an STM32 part gets "STM32_EXE".
void applyTemplate(ProjectMapping& mapping) {
  const QString device = mapping.plan.empty() ? QString() : mapping.plan.front().source->device.name;
  const bool library = mapping.record.kind == ProjectKind::StaticLibrary;
  const QString name = library ? mapping.options.libraryTemplate : mapping.options.executableTemplate;
  const QString templateName = QStringLiteral("template_name");
  if (mapping.rules.templateMayBeEmpty || !name.isEmpty()) {
    mapping.project->setProperty(templateName, name);
    return;
  }
  const QString& file = mapping.record.sourceFile;
  if (library) throw ConversionError(file, QStringLiteral("library template not specified"));
  if (device.isEmpty()) throw ConversionError(file, QStringLiteral("executable template not specified"));
  if (device.startsWith(QLatin1String("STM32")))
    mapping.project->setProperty(templateName, QStringLiteral("STM32_EXE"));
}
