#include "importers/iar/iar_importer.h"

#include <QFileInfo>
#include <vector>

#include "importers/common/configuration_lists.h"
#include "importers/common/conversion_context.h"
#include "importers/common/foreign_path.h"
#include "importers/common/project_properties.h"
#include "importers/common/project_template.h"
#include "importers/common/workspace_paths.h"
#include "importers/iar/iar_libraries.h"
#include "importers/iar/iar_paths.h"
#include "importers/iar/iar_workspace.h"
#include "projectsystem/project_system.h"

namespace {

const QString commonName = QStringLiteral("Common");
const QString debugName = QStringLiteral("Debug");
const QString releaseName = QStringLiteral("Release");
const QString excludeProperty = QStringLiteral("build_exclude_from_build");

/// Per-configuration properties that move to "Common" when "Debug" and "Release" agree.
const char* const mergedProperties[] = {"c_preprocessor_definitions", "c_user_include_directories",
                                        "build_output_directory", "build_intermediate_directory",
                                        "linker_additional_files"};

/// The solution configurations an exclusion applies to, as bits.
enum Exclusion { InNone = 0, InDebug = 1, InRelease = 2, InBoth = 3 };

/// One project file being converted, and what its conversion collects.
struct ProjectSource {
  ProjectSource(ConversionContext& context, const IarWorkspace& workspace, const IarLibraryBuilders& builders,
                const IarProject& project)
      : builders(builders),
        project(project),
        shown(displayPath(project.file)),
        paths(context.paths(), project.directory, workspace.directory) {}

  void dependOn(const IarProject& builder) {
    if (!dependencies.contains(builder.name)) dependencies.append(builder.name);
  }

  const IarLibraryBuilders& builders;
  const IarProject& project;
  QString shown;  // the project file as messages name it
  IarPathConverter paths;
  QStringList dependencies;  // the projects that build the libraries it links, in the order met
};

int exclusionOf(const IarProjectContent& content, const QStringList& configurationNames) {
  int exclusion = InNone;
  for (const QString& name : configurationNames) {
    if (name == content.debug().name) exclusion |= InDebug;
    if (name == content.release().name) exclusion |= InRelease;
  }
  return exclusion;
}

// Excluded from both configurations, an item is still listed (the user may want
// it) and says "excluded" in "Common".
void setExclusion(ProjectSystem& projectSystem, ProjectElement* element, int exclusion) {
  if (exclusion == InNone) return;
  if (exclusion & InDebug) projectSystem.setConfigurationProperty(element, excludeProperty, debugName, QStringLiteral("Yes"));
  if (exclusion & InRelease)
    projectSystem.setConfigurationProperty(element, excludeProperty, releaseName, QStringLiteral("Yes"));
  mergeCommonProperty(projectSystem, element, excludeProperty);
}

void setPathProperty(ProjectSystem& projectSystem, ProjectSource& source, ProjectElement* project,
                     const QString& configurationName, const char* property, const QString& text) {
  if (text.isEmpty()) return;
  if (const std::optional<QString> path = source.paths.projectRelative(text))
    projectSystem.setConfigurationProperty(project, QLatin1String(property), configurationName, *path);
}

// A library another project of the workspace builds becomes a dependency; any
// other is linked as an additional file.
void importConfiguration(ProjectSystem& projectSystem, const ImportSettings& settings, ProjectSource& source,
                         ProjectElement* project, const QString& configurationName,
                         const IarConfiguration& configuration) {
  ConfigurationLists lists;
  for (const QString& definition : configuration.defines)
    if (settings.keepsDefinition(definition)) lists.definitions.append(definition);
  for (const QString& path : configuration.includePaths)
    if (const std::optional<QString> directory = source.paths.macroBased(path)) lists.includeDirectories.append(*directory);
  setConfigurationLists(projectSystem, settings, project, configurationName, lists);
  setPathProperty(projectSystem, source, project, configurationName, "build_output_directory",
                  configuration.executablePath);
  setPathProperty(projectSystem, source, project, configurationName, "build_intermediate_directory",
                  configuration.objectPath);
  QStringList libraries;
  for (const QString& library : configuration.additionalLibraries) {
    if (const IarProject* builder = source.builders.builderOf(library, source.project))
      source.dependOn(*builder);
    else if (const std::optional<QString> file = source.paths.macroBased(library))
      libraries.append(*file);
  }
  if (!libraries.isEmpty()) {
    projectSystem.setConfigurationProperty(project, QStringLiteral("linker_additional_files"), configurationName,
                                           libraries.join(QLatin1Char(';')));
  }
}

void addSourceFile(ProjectSystem& projectSystem, const ImportSettings& settings, ProjectSource& source,
                   ProjectElement* folder, const IarFile& file, int exclusion, int effectiveExclusion) {
  if (file.name.isEmpty()) return;
  const QString forward = toForwardSlashes(file.name);
  const QString fileName = forward.mid(forward.lastIndexOf(QLatin1Char('/')) + 1);
  // A library that the workspace builds is linked through the dependency (unless
  // no configuration links it at all).
  if (isLibraryFile(fileName) && effectiveExclusion != InBoth) {
    if (const IarProject* builder = source.builders.builderOf(fileName, source.project)) {
      source.dependOn(*builder);
      return;
    }
  }
  if (settings.excludesFile(fileName)) return;
  const std::optional<QString> path = source.paths.projectRelative(file.name);
  if (!path) return;
  setExclusion(projectSystem, projectSystem.addFile(folder, *path), exclusion);
}

// Groups become folders under "Source Files", nested as they nest; in each
// folder its subfolders come before its files, each in document order. A group
// without a name adds its files to the enclosing folder, and so does a group
// whose folder an earlier group of the same name made: their exclusions then
// go to the files themselves.
void addSources(ProjectSystem& projectSystem, const ImportSettings& settings, ProjectSource& source,
                ProjectElement* project) {
  const IarProjectContent& content = source.project.content;
  ProjectElement* sourceFiles = projectSystem.findOrAddFolder(project, QStringLiteral("Source Files"), QString());
  const size_t count = content.groups.size();
  std::vector<ProjectElement*> folders(count);
  std::vector<int> passedDown(count);  // exclusions the group's items carry themselves
  std::vector<int> effective(count);   // exclusions of the group and the groups around it
  const auto folderOf = [&](qsizetype group) { return group < 0 ? sourceFiles : folders[group]; };
  const auto passedDownBy = [&](qsizetype group) { return group < 0 ? int(InNone) : passedDown[group]; };
  const auto effectiveIn = [&](qsizetype group) { return group < 0 ? int(InNone) : effective[group]; };
  for (size_t i = 0; i < count; ++i) {
    const IarGroup& group = content.groups[i];
    const int exclusion = exclusionOf(content, group.excludedFrom) | passedDownBy(group.parent);
    effective[i] = exclusion | effectiveIn(group.parent);
    ProjectElement* parent = folderOf(group.parent);
    const bool ownFolder = !group.name.isEmpty() && !projectSystem.findFolder(parent, group.name);
    folders[i] = group.name.isEmpty() ? parent : projectSystem.findOrAddFolder(parent, group.name, QString());
    passedDown[i] = ownFolder ? int(InNone) : exclusion;
    if (ownFolder) setExclusion(projectSystem, folders[i], exclusion);
  }
  for (const IarFile& file : content.files) {
    const int exclusion = exclusionOf(content, file.excludedFrom);
    addSourceFile(projectSystem, settings, source, folderOf(file.group), file, exclusion | passedDownBy(file.group),
                  exclusion | effectiveIn(file.group));
  }
}

void reportLeftOut(ConversionContext& context, const ProjectSource& source) {
  const QString prefix = source.shown + QStringLiteral(": ");
  if (!source.paths.installationPaths().isEmpty()) {
    context.warn(prefix + QStringLiteral("paths in the IAR installation left out: ") +
                 source.paths.installationPaths().join(QStringLiteral(", ")));
  }
  if (!source.paths.unknownVariablePaths().isEmpty()) {
    context.warn(prefix + QStringLiteral("paths with variables only Embedded Workbench knows left out: ") +
                 source.paths.unknownVariablePaths().join(QStringLiteral(", ")));
  }
  if (source.project.content.mergedGroups > 0) {
    context.warn(prefix + QStringLiteral("%1 groups nested deeper than %2 levels merged into the group above them")
                              .arg(source.project.content.mergedGroups)
                              .arg(maximumGroupDepth));
  }
}

void convertProject(ProjectSystem& projectSystem, ConversionContext& context, ProjectSource& source,
                    ProjectElement* solution) {
  const IarProject& file = source.project;
  const IarProjectContent& content = file.content;
  const ImportSettings& settings = context.settings();
  ProjectElement* project = projectSystem.newProject(solution, file.name, file.directory, QString());
  setProjectProperties(projectSystem, project, context.projectProperties);
  importConfiguration(projectSystem, settings, source, project, debugName, content.debug());
  importConfiguration(projectSystem, settings, source, project, releaseName, content.release());
  for (const char* property : mergedProperties) mergeCommonProperty(projectSystem, project, QLatin1String(property));

  const QString device = content.debug().device();
  const ProjectKind kind = content.debug().buildsLibrary() ? ProjectKind::StaticLibrary : ProjectKind::Executable;
  applyProjectTemplate(projectSystem, settings, project, kind, device, source.shown);
  if (!device.isEmpty()) projectSystem.setConfigurationProperty(project, QStringLiteral("Target"), commonName, device);

  addSources(projectSystem, settings, source, project);
  if (!source.dependencies.isEmpty()) {
    projectSystem.setConfigurationProperty(project, QStringLiteral("project_dependencies"), commonName,
                                           source.dependencies.join(QLatin1Char(';')));
  }
  reportLeftOut(context, source);
}

}  // namespace

ProjectElement* importIarWorkspace(ProjectSystem& projectSystem, ConversionContext& context,
                                   const QString& workspaceFile) {
  ProjectElement* solution =
      projectSystem.newSolution(nameWithoutLastSuffix(workspaceFile), absoluteDirectoryOf(workspaceFile));
  context.beginWorkspace(QFileInfo(workspaceFile).path());
  IarWorkspace workspace(context, workspaceFile);
  const IarLibraryBuilders builders(workspace);
  int converted = 0;
  for (IarProject& project : workspace.projects) {
    ProjectSource source(context, workspace, builders, project);
    // Without any configuration there is nothing to build, as in the Eclipse importer.
    if (project.content.choice.isEmpty()) {
      context.warn(source.shown + QStringLiteral(": project ") + project.name +
                   QStringLiteral(" left out: Debug and Release configuration not specified"));
      continue;
    }
    for (const QString& note : project.content.choice.notes) context.warn(source.shown + QStringLiteral(": ") + note);
    convertProject(projectSystem, context, source, solution);
    project.content.releaseSources();  // only the converted project needed them
    ++converted;
  }
  if (converted == 0 && !workspace.projects.empty())
    context.warn(displayPath(workspace.path) + QStringLiteral(": no project could be converted"));
  return solution;
}
