#include "readers/eclipse/eclipse_project_reader.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "foreign/foreign_files.h"
#include "foreign/foreign_path.h"
#include "readers/common/conversion_context.h"
#include "readers/eclipse/cdt_settings.h"
#include "readers/eclipse/directory_visits.h"
#include "readers/eclipse/eclipse_configuration.h"
#include "readers/eclipse/eclipse_linked_resources.h"
#include "readers/eclipse/eclipse_locations.h"
#include "readers/eclipse/eclipse_option_paths.h"
#include "readers/eclipse/eclipse_resource_rules.h"
#include "readers/eclipse/eclipse_source_tree.h"
#include "readers/eclipse/eclipse_workspace.h"
#include "support/directory_listing.h"
#include "support/path.h"

namespace {

/// One project being read: where its files are and how messages name them.
struct ProjectSource {
  const EclipseWorkspace& workspace;
  const EclipseProjectFile& file;
  QString directory;      // on disk
  QString shownProject;   // the ".project" in messages
  QString shownCproject;  // the ".cproject" in messages
};

const DocumentKind cdtProject{"cproject", "an Eclipse project"};

// Why a project of this kind cannot be converted; empty when it can.
QString kindProblem(const CdtSettings& settings) {
  const QString message = QStringLiteral("unsupport project type: ") + settings.typeName;
  if (settings.kind == ProjectKind::SharedLibrary) return message + QStringLiteral(" (a shared library)");
  if (settings.kind == ProjectKind::Unknown) return message;
  return QString();
}

// The same setting of several configurations is one report naming them all.
void addNotCarried(QList<NotCarried>& reports, const NotCarried& setting) {
  for (NotCarried& known : reports) {
    if (known.kind == setting.kind && known.value == setting.value) {
      known.configurations += setting.configurations;
      return;
    }
  }
  reports.append(setting);
}

// Every named configuration; what each says about the project's resources
// goes to configurationResources.
void readConfigurations(ConversionContext& context, const ProjectSource& source, const CdtSettings& settings,
                        EclipseWorkspaceReading& reading, ProjectRecord& record,
                        std::vector<ConfigurationResources>& configurationResources) {
  const EclipseWorkspace& workspace = source.workspace;
  OptionPathBase paths{source.file.description.name,
                       source.file.relativeDirectory,
                       source.directory,
                       workspace.projectDirectories(),
                       &context.paths(),
                       {}};
  paths.linkedLocation = [&workspace](const QString& project, const QString& resourcePath) {
    return workspace.linkedLocation(project, resourcePath);
  };
  const ConfigurationSource configurationSource{&paths, source.shownCproject, source.file.description.isCpp,
                                                settings.kind, settings.otherArchitecture};
  for (const CdtConfiguration& element : settings.configurations) {
    ConfigurationReading configuration =
        readConfiguration(context, configurationSource, element, reading.lastMicrocontroller);
    record.configurations.push_back(std::move(configuration.configuration));
    configurationResources.push_back(std::move(configuration.resources));
    for (const NotCarried& setting : configuration.notCarried) addNotCarried(record.notCarried, setting);
  }
}

void readSources(ConversionContext& context, const ProjectSource& source, const ResourceRules& rules,
                 ListingBudget& budget, ProjectRecord& record) {
  const EclipseProjectDescription& description = source.file.description;
  for (const FilterProblem& unread : description.unreadFilters)
    context.warn(source.shownProject + QLatin1Char(':') + QString::number(unread.line), unread.message);
  DirectoryVisits visits(context, source.workspace.directory, &source.workspace.listings(), &budget);
  try {
    if (!addSourceTree(context, visits, record.sources, source.directory, QStringLiteral("."), {&rules, QString(), {}}))
      context.warn(displayPath(source.directory), visits.budgetSpent());
    addLinkedResources(context, visits, {&record.sources, source.directory, source.shownProject, &rules}, description,
                       source.file.locations);
  } catch (const PatternGaveUp& gaveUp) {
    // Which files the project holds is not known: the conversion cannot go on.
    throw ConversionError(
        gaveUp.line ? source.shownProject + QLatin1Char(':') + QString::number(gaveUp.line) : source.shownProject,
        gaveUp.message);
  }
}

ProjectRecord readProject(ConversionContext& context, const ProjectSource& source, const CdtSettings& settings,
                          EclipseWorkspaceReading& reading) {
  ProjectRecord record;
  record.name = source.file.description.name;
  record.kind = settings.kind;
  record.directory = QDir::cleanPath(source.directory);
  record.sourceFile = source.shownCproject;
  if (!source.file.description.dependencies.isEmpty()) record.dependencies = source.file.description.dependencies;
  std::vector<ConfigurationResources> configurationResources;
  readConfigurations(context, source, settings, reading, record, configurationResources);
  const ResourceRules rules(&source.file.description.filters, std::move(configurationResources),
                            &context.patternSteps());
  readSources(context, source, rules, reading.budget, record);
  return record;
}

}  // namespace

std::optional<ProjectRecord> readEclipseProject(ConversionContext& context, const EclipseWorkspace& workspace,
                                                const EclipseProjectFile& file, EclipseWorkspaceReading& reading) {
  if (file.failure) {
    // The name is in the file that could not be read: its directory's stands in.
    const QString name = QFileInfo(QDir::cleanPath(workspace.fileSystemPath(file.directory))).fileName();
    context.leaveOutProject(file.failure->file(), QStringLiteral("project ") + name + QStringLiteral(" left out: ") +
                                                      file.failure->message());
    return std::nullopt;
  }
  const ProjectSource source{workspace, file, workspace.fileSystemPath(file.directory),
                             displayPath(workspace.fileSystemPath(file.path)),
                             displayPath(workspace.fileSystemPath(file.directory + QStringLiteral("/.cproject")))};
  const QString cprojectPath = source.directory + QStringLiteral("/.cproject");
  const QFileInfo cprojectFile(cprojectPath);
  if (!cprojectFile.exists() && !cprojectFile.isSymLink()) return std::nullopt;  // no C project
  if (!cprojectFile.isFile()) {
    context.leaveOutProject(source.shownCproject, QStringLiteral("not read: it is ") +
                                                      nonRegularFileKind(cprojectPath) + QStringLiteral("; project ") +
                                                      file.description.name + QStringLiteral(" left out"));
    return std::nullopt;
  }
  const QString leftOut = QStringLiteral("project ") + file.description.name + QStringLiteral(" left out: ");
  std::optional<ForeignDocument> cproject;
  try {
    cproject = loadForeignFile(context.inputFiles(), cprojectPath, cdtProject);
  } catch (const UnreadableFile& failure) {
    context.leaveOutProject(failure.file(), leftOut + failure.message());
    return std::nullopt;
  }
  context.diagnostics().progress(QStringLiteral("cproject found: ") + file.path);
  context.diagnostics().progress(QStringLiteral("project name: ") + file.description.name);

  const CdtSettings settings = readCdtSettings(*cproject);
  const QString problem = settings.problem.isEmpty() ? kindProblem(settings) : settings.problem;
  if (!problem.isEmpty()) {
    context.leaveOutProject(source.shownCproject, leftOut + problem);
    return std::nullopt;
  }
  if (settings.builtByMakefile) {
    context.warn(source.shownCproject, QStringLiteral("project ") + file.description.name +
                                           QStringLiteral(" is built by its makefile: converted as an executable "
                                                          "of its files, definitions and include directories; what "
                                                          "the makefile does is not carried"));
  }
  return readProject(context, source, settings, reading);
}
