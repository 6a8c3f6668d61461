#include "readers/common/project_mapper.h"

#include <QList>
#include <QSet>

#include "readers/common/configuration_choice.h"
#include "readers/common/conversion_context.h"
#include "readers/common/setting_properties.h"
#include "model/solution_model.h"
#include "xml/utf8_text.h"

namespace {

const QString commonName = QStringLiteral("Common");
const QString debugName = QStringLiteral("Debug");
const QString releaseName = QStringLiteral("Release");
const QString includeDirectoriesProperty = QStringLiteral("c_user_include_directories");
const QString excludeProperty = QStringLiteral("build_exclude_from_build");
const QString yes = QStringLiteral("Yes");

/// A configuration of the solution, the source configuration it is read from and why.
struct PlannedConfiguration {
  QString name;
  const SourceConfiguration* source;
  QString reason;
};

const char* kindName(ProjectKind kind) {
  switch (kind) {
    case ProjectKind::Executable: return "executable";
    case ProjectKind::StaticLibrary: return "static library";
    case ProjectKind::SharedLibrary: return "shared library";
    case ProjectKind::Unknown: break;
  }
  return "unknown";
}

/// How many folders and files a project holds, at any depth.
void countItems(const ModelNode* project, ProjectOutcome& outcome) {
  // An explicit stack: a mirrored source tree can be deep.
  std::vector<const ModelNode*> pending{project};
  while (!pending.empty()) {
    const ModelNode* element = pending.back();
    pending.pop_back();
    for (const ModelNode* child : element->children()) {
      if (child->kind() == ModelNode::Folder) ++outcome.folders;
      if (child->kind() == ModelNode::File) ++outcome.files;
      pending.push_back(child);
    }
  }
}

bool holds(const PropertyValues& values, const QPair<QString, QString>& value) { return values.contains(value); }

// Settings of the same kind and value from several configurations are one report.
void addReport(QList<NotCarried>& reports, const NotCarried& report) {
  for (NotCarried& known : reports) {
    if (known.kind != report.kind || known.value != report.value) continue;
    for (const QString& configuration : report.configurations)
      if (!known.configurations.contains(configuration)) known.configurations.append(configuration);
    return;
  }
  reports.append(report);
}

}  // namespace

/// Writes one record.
class ProjectMapper::ProjectWriter {
 public:
  ProjectWriter(ProjectMapper& mapper, const ProjectRecord& record)
      : mapper_(mapper),
        model_(mapper.model_),
        context_(mapper.context_),
        rules_(mapper.rules_),
        record_(record) {}

  // The project's outcome is known to the diagnostics from the start, so that
  // an error met while writing it concerns it.
  ModelNode* write(ModelNode* solution) {
    outcome_ = diagnostics().addProject({record_.name, QLatin1String(kindName(record_.kind)), record_.sourceFile, 0, 0, {}});
    planConfigurations();
    project_ = model_.newProject(solution, record_.name, record_.directory, QString());
    if (rules_.appliesCommandLineSettings) {
      for (const ProjectProperty& property : context_.projectProperties()) setCommon(property.name, property.value);
    }
    if (!record_.dependencies.isEmpty())
      setCommon(QStringLiteral("project_dependencies"), record_.dependencies.join(QLatin1Char(';')));
    writeConfigurations();
    applyTemplate();
    const QString sourceFiles = QStringLiteral("Source Files");
    addItems(model_.findOrAddFolder(project_, sourceFiles, QString()), record_.sources, {}, sourceFiles);
    addLinkerScripts();
    for (const NotCarried& setting : notCarried_) mapper_.notCarried(outcome_, setting);
    ProjectOutcome& outcome = diagnostics().project(outcome_);
    countItems(project_, outcome);
    outcome.configurations = std::move(configurations_);
    return project_;
  }

  /// The project's index among the input's outcomes.
  qsizetype outcome() const { return outcome_; }

 private:
  Diagnostics& diagnostics() { return context_.diagnostics(); }

  // "Debug" and "Release" first, then every other configuration under its own name.
  void planConfigurations() {
    if (record_.configurations.empty()) return;
    const auto& configurations = record_.configurations;
    if (!rules_.choosesConfigurationsByName) {
      const QString reason = QStringLiteral("one project per target");
      plan_ = {{debugName, &configurations[0], reason}, {releaseName, &configurations[0], reason}};
      return;
    }
    QStringList names;
    for (const SourceConfiguration& configuration : configurations) names.append(configuration.name);
    const ConfigurationChoice choice = chooseDebugAndRelease(names);
    for (const QString& note : choice.notes) context_.warn(record_.sourceFile, note);
    plan_ = {{debugName, &configurations[choice.debug], choice.debugReason},
             {releaseName, &configurations[choice.release], choice.releaseReason}};
    for (qsizetype other : choice.others) {
      plan_.push_back({configurations[other].name, &configurations[other], QStringLiteral("own name")});
      if (!mapper_.otherConfigurations_.contains(configurations[other].name))
        mapper_.otherConfigurations_.append(configurations[other].name);
    }
  }

  void setCommon(const QString& property, const QString& value) {
    model_.setConfigurationProperty(project_, property, commonName, value);
  }

  // What every configuration agrees on goes to "Common", the rest to each one.
  void writeSplit(ModelNode* element, const std::vector<PropertyValues>& values, bool keepsIncludeDirectories) {
    PropertyValues shared;
    for (const auto& value : values.front()) {
      if (keepsIncludeDirectories && value.first == includeDirectoriesProperty) continue;
      bool everywhere = true;
      for (const PropertyValues& other : values) everywhere = everywhere && holds(other, value);
      if (everywhere) shared.append(value);
    }
    for (const auto& [property, value] : shared)
      model_.setConfigurationProperty(element, property, commonName, value);
    for (size_t i = 0; i < plan_.size(); ++i) {
      for (const auto& value : values[i])
        if (!holds(shared, value)) model_.setConfigurationProperty(element, value.first, plan_[i].name, value.second);
    }
  }

  void writeConfigurations() {
    if (plan_.empty()) return;
    std::vector<PropertyValues> values;
    const ImportSettings* commandLine = rules_.appliesCommandLineSettings ? &context_.settings() : nullptr;
    for (const PlannedConfiguration& configuration : plan_) {
      ConfigurationProperties properties = configurationProperties(*configuration.source, record_.kind, commandLine);
      values.push_back(properties.values);
      configurations_.push_back({configuration.name, configuration.source->name, configuration.reason, properties.values, {}});
      for (const NotCarried& report : properties.notCarried) addReport(notCarried_, report);
      reportOtherArchitecture(configuration.source->device);
    }
    writeSplit(project_, values, rules_.keepsIncludeDirectoriesPerConfiguration);
  }

  // Files, definitions and include directories carry to any target; the
  // solution's target settings are ARM's. The project's device and core are
  // named, as the settings not carried are.
  void reportOtherArchitecture(const TargetDevice& device) {
    if (device.otherArchitecture.isEmpty()) return;
    QString target = device.otherArchitecture + QStringLiteral(" target");
    if (!device.name.isEmpty()) target += QLatin1Char(' ') + device.name;
    if (!device.core.isEmpty()) target += QStringLiteral(" (core ") + device.core + QLatin1Char(')');
    context_.warn(record_.sourceFile, target + QStringLiteral(": files, definitions and include directories "
                                                             "converted, no ARM target settings written"));
  }

  // Without an executable template, a known device still makes an executable
  // buildable: an STM32 part gets "STM32_EXE".
  void applyTemplate() {
    const ImportSettings& settings = context_.settings();
    const QString device = plan_.empty() ? QString() : plan_.front().source->device.name;
    const bool library = record_.kind == ProjectKind::StaticLibrary;
    const QString templateName = library ? settings.libraryTemplate : settings.executableTemplate;
    if (rules_.templateMayBeEmpty || !templateName.isEmpty()) {
      setTemplate(templateName);
      return;
    }
    if (library) throw ConversionError(record_.sourceFile, QStringLiteral("library template not specified"));
    if (device.isEmpty()) throw ConversionError(record_.sourceFile, QStringLiteral("executable template not specified"));
    if (device.startsWith(QLatin1String("STM32"))) setTemplate(QStringLiteral("STM32_EXE"));
  }

  void setTemplate(const QString& name) {
    project_->setProperty(QStringLiteral("template_name"), name);
  }

  /// The solution configurations whose source is one of configurations.
  QSet<QString> plannedAmong(const QStringList& configurations) const {
    QSet<QString> names;
    for (const PlannedConfiguration& configuration : plan_)
      if (configurations.contains(configuration.source->name)) names.insert(configuration.name);
    return names;
  }

  // Left out of every configuration, an item is still listed (the user may want
  // it) and says so in "Common". label: the item as the outcome names it.
  void setExclusion(ModelNode* element, const QSet<QString>& excludedFrom, const QString& label) {
    if (excludedFrom.isEmpty()) return;
    std::vector<PropertyValues> values;
    for (size_t i = 0; i < plan_.size(); ++i) {
      const bool excluded = excludedFrom.contains(plan_[i].name);
      values.push_back(excluded ? PropertyValues{{excludeProperty, yes}} : PropertyValues{});
      if (excluded && i < configurations_.size()) configurations_[i].excluded.append(label);
    }
    writeSplit(element, values, false);
  }

  // The settings an item has of its own, as far as they differ from its
  // project's in each configuration.
  void setItemSettings(ModelNode* element, const SourceItem& item) {
    if (item.settings.empty() || plan_.empty()) return;
    std::vector<PropertyValues> values(plan_.size());
    const QString itemName = item.kind == SourceItem::Kind::File ? item.path : item.name;
    for (size_t i = 0; i < plan_.size(); ++i) {
      for (const ItemSettings& settings : item.settings) {
        if (settings.configuration != plan_[i].source->name) continue;
        QList<NotCarried> removed;
        const CompileSettings difference = itemDifference(settings.compile, plan_[i].source->compile, itemName, removed);
        ConfigurationProperties properties = compileProperties(difference);
        values[i] = properties.values;
        for (NotCarried report : removed + properties.notCarried) {
          report.configurations = {settings.configuration};
          addReport(notCarried_, report);
        }
      }
    }
    writeSplit(element, values, false);
  }

  // Folders of the same name under one parent share one folder, and a folder
  // without a name gives its items to the enclosing one; the exclusions of such
  // a folder then go to its items, which are all it has of its own. path: the
  // folder's names from the project down, which name a folder in the outcome.
  void addItems(ModelNode* folder, const std::vector<SourceItem>& items, const QSet<QString>& passedDown,
                const QString& path) {
    for (const SourceItem& item : items) {
      if (leavesOutName(item)) continue;
      const QSet<QString> exclusion = plannedAmong(item.excludedFrom) | passedDown;
      const QString itemPath = path + QLatin1Char('/') + item.name;
      if (item.kind == SourceItem::Kind::File) {
        if (context_.settings().excludesFile(item.name)) continue;
        ModelNode* file = model_.addFile(folder, item.path);
        setExclusion(file, exclusion, item.path);
        setItemSettings(file, item);
      } else if (item.name.isEmpty()) {
        addItems(folder, item.items, exclusion, path);
      } else if (ModelNode* shared = model_.findFolder(folder, item.name)) {
        addItems(shared, item.items, exclusion, itemPath);
      } else {
        ModelNode* own = model_.findOrAddFolder(folder, item.name, QString());
        setExclusion(own, exclusion, itemPath);
        setItemSettings(own, item);
        addItems(own, item.items, {}, itemPath);
      }
    }
  }

  // A file or folder whose name or path a solution file cannot hold (see addProject).
  bool leavesOutName(const SourceItem& item) {
    if (isXmlText(item.name) && isXmlText(item.path)) return false;
    const bool isFile = item.kind == SourceItem::Kind::File;
    context_.warn(record_.sourceFile, (isFile ? QStringLiteral("file ") + item.path : QStringLiteral("folder ") + item.name) +
                                          QStringLiteral(" left out: its name holds a control character"));
    return true;
  }

  // A GNU ld script is a file of the project the linker takes; one that only
  // some configurations link with is left out of the others.
  void addLinkerScripts() {
    QStringList scripts;
    for (const PlannedConfiguration& configuration : plan_) {
      const QString script = gnuLinkerScript(*configuration.source, record_.kind);
      if (!script.isEmpty() && !scripts.contains(script)) scripts.append(script);
    }
    for (const QString& script : scripts) {
      ModelNode* file = model_.addFile(project_, script);
      model_.setConfigurationProperty(file, QStringLiteral("file_type"), commonName, QStringLiteral("Linker Script"));
      QSet<QString> notLinking;
      for (const PlannedConfiguration& configuration : plan_)
        if (gnuLinkerScript(*configuration.source, record_.kind) != script) notLinking.insert(configuration.name);
      setExclusion(file, notLinking, script);
    }
  }

  ProjectMapper& mapper_;
  SolutionModel& model_;
  ConversionContext& context_;
  const MappingRules& rules_;
  const ProjectRecord& record_;
  std::vector<PlannedConfiguration> plan_;
  QList<NotCarried> notCarried_ = record_.notCarried;
  ModelNode* project_ = nullptr;
  /// The project's index in the input's outcome, and its configurations as they are written.
  qsizetype outcome_ = -1;
  std::vector<ConfigurationOutcome> configurations_;
};

ProjectMapper::ProjectMapper(SolutionModel& model, ConversionContext& context, const MappingRules& rules,
                             ModelNode* solution, QString workspaceFile)
    : model_(model),
      context_(context),
      rules_(rules),
      solution_(solution),
      workspaceFile_(std::move(workspaceFile)) {}

// No reader passes a control character into a record (the XML parsers refuse
// them, the directory scans leave such names out), but a solution holding one
// could not be read back: this is the last guard, for every importer.
ModelNode* ProjectMapper::addProject(const ProjectRecord& record) {
  if (!isXmlText(record.name)) {
    context_.leaveOutProject(record.sourceFile, QStringLiteral("project ") + record.name +
                                                    QStringLiteral(" left out: its name holds a control character"));
    return nullptr;
  }
  ++projectsAdded_;
  ProjectWriter writer(*this, record);
  ModelNode* project = writer.write(solution_);
  outcomes_.insert(project, writer.outcome());
  return project;
}

void ProjectMapper::notCarried(const ModelNode* project, const NotCarried& setting) {
  notCarried(outcomes_.value(project, -1), setting);
}

void ProjectMapper::notCarried(qsizetype outcome, NotCarried setting) {
  if (outcome < 0) return;
  setting.configurationWord = QLatin1String(rules_.configurationWord);
  context_.diagnostics().notCarried(outcome, setting);
}

void ProjectMapper::setDependencies(ModelNode* project, const QStringList& names) {
  model_.setConfigurationProperty(project, QStringLiteral("project_dependencies"), commonName,
                                          names.join(QLatin1Char(';')));
}

void ProjectMapper::addLinkerFiles(ModelNode* project, const QStringList& files) {
  if (files.isEmpty()) return;
  const QString property = QStringLiteral("linker_additional_files");
  const ModelNode* common = project->configuration(commonName);
  QStringList linked = files;
  if (common) linked = common->property(property).split(QLatin1Char(';'), Qt::SkipEmptyParts) + files;
  model_.setConfigurationProperty(project, property, commonName, linked.join(QLatin1Char(';')));
}

// A configuration is built when the solution declares it: "Debug" and
// "Release" come with the templates, the others are declared here, after the
// projects, in the order first met. A workspace that names no project at all
// still gets its empty solution; one whose projects were all left out, for
// whatever reason, keeps the solution written before.
void ProjectMapper::finish(qsizetype projectsNamed) {
  if (projectsAdded_ == 0 && (projectsNamed > 0 || context_.projectsLeftOut() > 0)) {
    const auto& [file, why] = context_.firstProjectLeftOut();
    const QString reason = file == workspaceFile_ ? why : aboutFile(file, why);
    const QString said = why.isEmpty() ? QString() : QStringLiteral(" (") + reason + QLatin1Char(')');
    throw ConversionError(workspaceFile_, QStringLiteral("no project could be converted") + said);
  }
  for (const QString& name : otherConfigurations_) model_.newConfiguration(solution_, name);
}
