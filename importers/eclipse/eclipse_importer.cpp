#include "importers/eclipse/eclipse_importer.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

#include "importers/common/configuration_lists.h"
#include "importers/common/conversion_context.h"
#include "importers/common/foreign_path.h"
#include "importers/common/hexception.h"
#include "importers/common/project_template.h"
#include "importers/common/xml_loading.h"
#include "importers/eclipse/cdt_settings.h"
#include "importers/eclipse/directory_visits.h"
#include "importers/eclipse/eclipse_configuration.h"
#include "importers/eclipse/eclipse_include_paths.h"
#include "importers/eclipse/eclipse_linked_resources.h"
#include "importers/eclipse/eclipse_locations.h"
#include "importers/eclipse/eclipse_source_tree.h"
#include "importers/eclipse/eclipse_workspace.h"
#include "projectsystem/project_system.h"

namespace {

/// One project being converted: where its files are and how messages name them.
struct ProjectSource {
  const EclipseWorkspace& workspace;
  const EclipseProjectFile& file;
  QString directory;     // on disk
  QString shownProject;  // the ".project" in messages
  QString shownCproject; // the ".cproject" in messages
};

/// What the conversion of a workspace has done with its CDT projects.
struct ProjectCounts {
  int converted = 0;
  int leftOut = 0;
};

// Progress goes to standard output, flushed at once so that it stays in order
// with the messages on standard error.
void printProgress(const char* format, const QString& value) {
  std::printf(format, value.toUtf8().constData());
  std::fflush(stdout);
}

// "" when the project directory is the workspace, else "../.." and so on.
QString upToWorkspace(const QString& projectDirectory) {
  QStringList steps;
  for (qsizetype step = projectDirectory.split(QLatin1Char('/'), Qt::SkipEmptyParts).size(); step > 0; --step)
    steps.append(QStringLiteral(".."));
  return steps.join(QLatin1Char('/'));
}

// Why a project of this kind cannot be converted; empty when it can.
QString kindProblem(const CdtSettings& settings) {
  const QString message = QStringLiteral("unsupport project type: ") + settings.typeName;
  if (settings.kind == ProjectKind::SharedLibrary) return message + QStringLiteral(" (a shared library)");
  if (settings.kind == ProjectKind::Unknown) return message;
  return QString();
}

void setCommonProperties(ProjectSystem& projectSystem, const ConversionContext& context, ProjectElement* project,
                         const EclipseProjectDescription& description) {
  const QString common = QStringLiteral("Common");
  if (!description.dependencies.isEmpty()) {
    projectSystem.setConfigurationProperty(project, QStringLiteral("project_dependencies"), common,
                                           description.dependencies.join(QLatin1Char(';')));
  }
  setProjectProperties(projectSystem, project, context.projectProperties);
}

void importConfigurations(ProjectSystem& projectSystem, ConversionContext& context, const ProjectSource& source,
                          ProjectElement* project, const CdtSettings& settings) {
  const QString& name = source.file.description.name;
  const IncludePathBase includeBase{name, source.file.relativeDirectory, source.directory,
                                    source.workspace.projectDirectories(), &context.paths()};
  importConfigurationOptions(projectSystem, context, {project, QStringLiteral("Debug"), &includeBase, source.shownCproject},
                             settings.debug);
  importConfigurationOptions(projectSystem, context,
                             {project, QStringLiteral("Release"), &includeBase, source.shownCproject}, settings.release);
  mergeCommonProperty(projectSystem, project, QStringLiteral("c_preprocessor_definitions"));
  mergeCommonProperty(projectSystem, project, QStringLiteral("c_user_include_directories"));
}

void addSources(ProjectSystem& projectSystem, ConversionContext& context, const ProjectSource& source,
                ProjectElement* project) {
  ProjectElement* sourceFiles = projectSystem.findOrAddFolder(project, QStringLiteral("Source Files"), QString());
  DirectoryVisits visits(context, source.workspace.directory, &source.workspace.listings());
  addSourceTree(projectSystem, context, visits, sourceFiles, source.directory, QStringLiteral("."));
  const EclipseProjectDescription& description = source.file.description;
  const LinkLocationResolver locations(upToWorkspace(source.file.relativeDirectory), description.pathVariables);
  addLinkedResources(projectSystem, context, visits, {sourceFiles, source.directory, source.shownProject}, description,
                     locations);
}

// Converts one CDT project of settings into the solution.
void convertProject(ProjectSystem& projectSystem, ConversionContext& context, const ProjectSource& source,
                    ProjectElement* solution, const CdtSettings& settings) {
  const EclipseProjectDescription& description = source.file.description;
  ProjectElement* project = projectSystem.newProject(solution, description.name, source.directory, QString());
  setCommonProperties(projectSystem, context, project, description);
  importConfigurations(projectSystem, context, source, project, settings);
  applyProjectTemplate(projectSystem, context.settings(), project, settings.kind, context.microcontrollerName,
                       source.shownCproject);
  addSources(projectSystem, context, source, project);
}

// A ".project" without ".cproject" beside it is skipped silently, but it must
// still be readable.
void importProject(ProjectSystem& projectSystem, ConversionContext& context, const EclipseWorkspace& workspace,
                   const EclipseProjectFile& file, ProjectElement* solution, ProjectCounts& counts) {
  if (file.failure) throw *file.failure;
  const ProjectSource source{workspace, file, workspace.fileSystemPath(file.directory),
                             displayPath(workspace.fileSystemPath(file.path)),
                             displayPath(workspace.fileSystemPath(file.directory + QStringLiteral("/.cproject")))};
  const QString cprojectPath = source.directory + QStringLiteral("/.cproject");
  if (!QFileInfo::exists(cprojectPath)) return;
  const DomDocument cproject = loadXmlDocument(cprojectPath);
  printProgress("cproject found: %s\n", file.path);
  printProgress("project name: %s\n", file.description.name);

  const CdtSettings settings = readCdtSettings(cproject);
  const QString problem = settings.problem.isEmpty() ? kindProblem(settings) : settings.problem;
  if (!problem.isEmpty()) {
    context.warn(source.shownCproject + QStringLiteral(": project ") + file.description.name +
                 QStringLiteral(" left out: ") + problem);
    ++counts.leftOut;
    return;
  }
  for (const QString& note : settings.notes) context.warn(source.shownCproject + QStringLiteral(": ") + note);
  convertProject(projectSystem, context, source, solution, settings);
  ++counts.converted;
}

}  // namespace

ProjectElement* importEclipseWorkspace(ProjectSystem& projectSystem, ConversionContext& context,
                                       const QString& workspaceDirectory) {
  const bool directoryGiven = !workspaceDirectory.isEmpty();
  if (directoryGiven && !QFileInfo::exists(workspaceDirectory))
    throw HException(QStringLiteral("directory ") + workspaceDirectory + QStringLiteral(" does not exist"));
  if (directoryGiven && !QFileInfo(workspaceDirectory).isDir())
    throw HException(workspaceDirectory + QStringLiteral(": not a directory"));
  // Absolute, as the other importers place their solutions: project directories
  // are written relative to it.
  const QString solutionDirectory =
      directoryGiven ? QFileInfo(workspaceDirectory).absoluteFilePath() : QDir::currentPath();
  ProjectElement* solution = projectSystem.newSolution(eclipseSolutionName(workspaceDirectory), solutionDirectory);
  context.beginWorkspace(workspaceDirectory);

  const EclipseWorkspace workspace(context, workspaceDirectory);
  ProjectCounts counts;
  for (const EclipseProjectFile& file : workspace.projectFiles)
    importProject(projectSystem, context, workspace, file, solution, counts);
  if (counts.leftOut > 0 && counts.converted == 0)
    context.warn(displayPath(workspace.directory) + QStringLiteral(": no project could be converted"));
  return solution;
}
