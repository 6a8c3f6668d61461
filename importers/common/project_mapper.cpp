#include "importers/common/project_mapper.h"

#include <QList>
#include <QPair>

#include "importers/common/configuration_choice.h"
#include "importers/common/conversion_context.h"
#include "projectsystem/project_system.h"

namespace {

const QString commonName = QStringLiteral("Common");
const QString debugName = QStringLiteral("Debug");
const QString releaseName = QStringLiteral("Release");
const QString includeDirectoriesProperty = QStringLiteral("c_user_include_directories");
const QString excludeProperty = QStringLiteral("build_exclude_from_build");

/// Property values in the order they are written.
using PropertyValues = QList<QPair<QString, QString>>;

/// The solution configurations an item is left out of, as bits.
enum Exclusion { InNone = 0, InDebug = 1, InRelease = 2, InBoth = 3 };

void addValue(PropertyValues& values, const char* property, const QString& value) {
  if (!value.isEmpty()) values.append({QLatin1String(property), value});
}

void addList(PropertyValues& values, const char* property, const QStringList& list) {
  addValue(values, property, list.join(QLatin1Char(';')));
}

bool holds(const PropertyValues& values, const QPair<QString, QString>& value) { return values.contains(value); }

}  // namespace

/// Writes one record.
class ProjectMapper::ProjectWriter {
 public:
  ProjectWriter(ProjectMapper& mapper, const ProjectRecord& record)
      : projectSystem_(mapper.projectSystem_),
        context_(mapper.context_),
        rules_(mapper.rules_),
        record_(record),
        choice_(chooseConfigurations(record, mapper.rules_)) {}

  ProjectElement* write(ProjectElement* solution) {
    for (const QString& note : choice_.notes) context_.warn(record_.sourceFile, note);
    project_ = projectSystem_.newProject(solution, record_.name, record_.directory, QString());
    if (rules_.appliesCommandLineSettings) {
      for (const ProjectProperty& property : context_.projectProperties()) setCommon(property.name, property.value);
    }
    if (!record_.dependencies.isEmpty()) setCommon(QStringLiteral("project_dependencies"), record_.dependencies.join(QLatin1Char(';')));
    if (!choice_.isEmpty()) writeConfigurations();
    applyTemplate();
    addItems(projectSystem_.findOrAddFolder(project_, QStringLiteral("Source Files"), QString()), record_.sources, InNone);
    for (NotCarried setting : record_.notCarried) {
      setting.configurationWord = QLatin1String(rules_.configurationWord);
      context_.diagnostics().notCarried(record_.sourceFile, setting);
    }
    return project_;
  }

 private:
  static ConfigurationChoice chooseConfigurations(const ProjectRecord& record, const MappingRules& rules) {
    if (!rules.choosesConfigurationsByName) {
      ConfigurationChoice choice;
      if (!record.configurations.empty()) choice.debug = choice.release = 0;
      return choice;
    }
    QStringList names;
    for (const SourceConfiguration& configuration : record.configurations) names.append(configuration.name);
    return chooseDebugAndRelease(names);
  }

  const SourceConfiguration& debugConfiguration() const { return record_.configurations[choice_.debug]; }
  const SourceConfiguration& releaseConfiguration() const { return record_.configurations[choice_.release]; }

  void setCommon(const QString& property, const QString& value) {
    projectSystem_.setConfigurationProperty(project_, property, commonName, value);
  }

  // The command line's definitions and include directories follow the project's
  // own; they are not filtered.
  PropertyValues configurationValues(const SourceConfiguration& configuration) const {
    const ImportSettings& settings = context_.settings();
    QStringList definitions;
    QStringList includeDirectories = configuration.compiler.includeDirectories;
    if (rules_.appliesCommandLineSettings) {
      for (const QString& definition : configuration.compiler.definitions)
        if (settings.keepsDefinition(definition)) definitions.append(definition);
      definitions += settings.definitions;
      includeDirectories += settings.includePaths;
    } else {
      definitions = configuration.compiler.definitions;
    }
    PropertyValues values;
    addList(values, "c_preprocessor_definitions", definitions);
    addList(values, "c_preprocessor_undefinitions", configuration.compiler.undefinitions);
    addList(values, "c_user_include_directories", includeDirectories);
    addValue(values, "build_output_directory", configuration.outputDirectory);
    addValue(values, "build_intermediate_directory", configuration.intermediateDirectory);
    addList(values, "linker_additional_files", configuration.linker.additionalFiles);
    return values;
  }

  bool staysPerConfiguration(const QString& property) const {
    return rules_.keepsIncludeDirectoriesPerConfiguration && property == includeDirectoriesProperty;
  }

  // What "Debug" and "Release" agree on goes to "Common"; the rest to each.
  void writeConfigurations() {
    const PropertyValues debug = configurationValues(debugConfiguration());
    const PropertyValues release = configurationValues(releaseConfiguration());
    PropertyValues shared;
    for (const auto& value : debug)
      if (!staysPerConfiguration(value.first) && holds(release, value)) shared.append(value);
    for (const auto& [property, value] : shared) setCommon(property, value);
    for (const auto& value : debug)
      if (!holds(shared, value)) projectSystem_.setConfigurationProperty(project_, value.first, debugName, value.second);
    for (const auto& value : release)
      if (!holds(shared, value)) projectSystem_.setConfigurationProperty(project_, value.first, releaseName, value.second);
  }

  // Without an executable template, a known device still makes an executable
  // buildable: it becomes "Target", and an STM32 part gets "STM32_EXE".
  void applyTemplate() {
    const ImportSettings& settings = context_.settings();
    const QString device = choice_.isEmpty() ? QString() : debugConfiguration().device.name;
    const bool library = record_.kind == ProjectKind::StaticLibrary;
    const QString templateName = library ? settings.libraryTemplate : settings.executableTemplate;
    if (rules_.deviceIsAlwaysTarget && !device.isEmpty()) setCommon(QStringLiteral("Target"), device);
    if (rules_.templateMayBeEmpty || !templateName.isEmpty()) {
      setTemplate(templateName);
      return;
    }
    if (library) throw ConversionError(record_.sourceFile, QStringLiteral("library template not specified"));
    if (device.isEmpty()) throw ConversionError(record_.sourceFile, QStringLiteral("executable template not specified"));
    if (device.startsWith(QLatin1String("STM32"))) setTemplate(QStringLiteral("STM32_EXE"));
    setCommon(QStringLiteral("Target"), device);
  }

  void setTemplate(const QString& name) {
    projectSystem_.setElementProperty(project_, QStringLiteral("template_name"), name);
  }

  int exclusionOf(const QStringList& configurations) const {
    if (choice_.isEmpty()) return InNone;
    int exclusion = InNone;
    if (configurations.contains(debugConfiguration().name)) exclusion |= InDebug;
    if (configurations.contains(releaseConfiguration().name)) exclusion |= InRelease;
    return exclusion;
  }

  // Left out of both configurations, an item is still listed (the user may want
  // it) and says so in "Common".
  void setExclusion(ProjectElement* element, int exclusion) {
    const QString yes = QStringLiteral("Yes");
    if (exclusion == InBoth)
      projectSystem_.setConfigurationProperty(element, excludeProperty, commonName, yes);
    else if (exclusion == InDebug)
      projectSystem_.setConfigurationProperty(element, excludeProperty, debugName, yes);
    else if (exclusion == InRelease)
      projectSystem_.setConfigurationProperty(element, excludeProperty, releaseName, yes);
  }

  // Folders of the same name under one parent share one folder, and a folder
  // without a name gives its items to the enclosing one; the exclusions of such
  // a folder then go to its items, which are all it has of its own.
  void addItems(ProjectElement* folder, const std::vector<SourceItem>& items, int passedDown) {
    for (const SourceItem& item : items) {
      const int exclusion = exclusionOf(item.excludedFrom) | passedDown;
      if (item.kind == SourceItem::Kind::File) {
        if (context_.settings().excludesFile(item.name)) continue;
        setExclusion(projectSystem_.addFile(folder, item.path), exclusion);
      } else if (item.name.isEmpty()) {
        addItems(folder, item.items, exclusion);
      } else if (ProjectElement* shared = projectSystem_.findFolder(folder, item.name)) {
        addItems(shared, item.items, exclusion);
      } else {
        ProjectElement* own = projectSystem_.findOrAddFolder(folder, item.name, QString());
        setExclusion(own, exclusion);
        addItems(own, item.items, InNone);
      }
    }
  }

  ProjectSystem& projectSystem_;
  ConversionContext& context_;
  const MappingRules& rules_;
  const ProjectRecord& record_;
  const ConfigurationChoice choice_;
  ProjectElement* project_ = nullptr;
};

ProjectMapper::ProjectMapper(ProjectSystem& projectSystem, ConversionContext& context, const MappingRules& rules,
                             ProjectElement* solution)
    : projectSystem_(projectSystem), context_(context), rules_(rules), solution_(solution) {}

ProjectElement* ProjectMapper::addProject(const ProjectRecord& record) {
  return ProjectWriter(*this, record).write(solution_);
}

void ProjectMapper::setDependencies(ProjectElement* project, const QStringList& names) {
  projectSystem_.setConfigurationProperty(project, QStringLiteral("project_dependencies"), commonName,
                                          names.join(QLatin1Char(';')));
}
