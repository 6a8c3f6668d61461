#include "importers/eclipse_importer.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QStringList>
#include <cstdio>

#include "importers/directory_stack.h"
#include "importers/dom_document.h"
#include "importers/eclipse_configuration.h"
#include "importers/eclipse_linked_files.h"
#include "importers/eclipse_source_tree.h"
#include "importers/hexception.h"
#include "importers/import_settings.h"
#include "importers/xml_loading.h"
#include "projectsystem/project_system.h"
#include "projectsystem/wildcard.h"

namespace {

/// A "-P" entry as the property it sets in "Common".
struct ProjectProperty {
  QString name;
  QString value;
};

/// The two configurations picked from a CDT settings file and its type element.
struct CdtSettings {
  DomElement typeElement;
  DomElement debug;
  DomElement release;
};

// The entries are split at "=" with empty parts dropped; parts after the second
// are ignored, so a=b=c sets a to "b". An entry that leaves no value ("a", "a=",
// "=b" or an empty one) is rejected before anything is read: ignoring it would
// hide a mistyped option, and its properties would be missing from every project.
QList<ProjectProperty> readProjectProperties() {
  QList<ProjectProperty> properties;
  for (const QString& entry : importSettings().projectProperties) {
    const QStringList parts = entry.split(QLatin1Char('='), Qt::SkipEmptyParts);
    if (parts.size() < 2)
      throw HException(QStringLiteral("-P ") + entry + QStringLiteral(": expected property=value"));
    properties.append({parts[0], parts[1]});
  }
  return properties;
}

// Progress goes to standard output, flushed at once so that it stays in order
// with an error message on standard error.
void printProgress(const char* format, const QString& value) {
  std::printf(format, value.toUtf8().constData());
  std::fflush(stdout);
}

CdtSettings readCdtSettings(const DomDocument& cproject) {
  const QList<DomElement> types = descendantElements(cproject, QStringLiteral("project"));
  if (types.isEmpty()) throw HException(QStringLiteral("no project element found"));
  if (types.size() > 1) throw HException(QStringLiteral("multiple project elements found"));
  CdtSettings settings{types.first(), {}, {}};
  for (const DomElement& configuration : descendantElements(cproject, QStringLiteral("configuration"))) {
    const QString name = configuration.attribute(QStringLiteral("name"));
    if (name == QLatin1String("Debug")) settings.debug = configuration;
    if (name == QLatin1String("Release")) settings.release = configuration;
  }
  if (settings.debug.isNull() && settings.release.isNull())
    throw HException(QStringLiteral("Debug and Release configuration not specified"));
  if (settings.debug.isNull()) settings.debug = settings.release;
  if (settings.release.isNull()) settings.release = settings.debug;
  return settings;
}

void setCommonProperties(ProjectSystem& projectSystem, ProjectElement* project, const DomDocument& description,
                         const QList<ProjectProperty>& projectProperties) {
  const QString common = QStringLiteral("Common");
  QStringList dependencies;
  for (const DomElement& dependency : descendantElements(description, QStringLiteral("project"))) {
    const QString name = elementText(dependency);
    if (!name.isEmpty()) dependencies.append(name);
  }
  if (!dependencies.isEmpty()) {
    projectSystem.setConfigurationProperty(project, QStringLiteral("project_dependencies"), common,
                                           dependencies.join(QLatin1Char(';')));
  }
  for (const ProjectProperty& property : projectProperties)
    projectSystem.setConfigurationProperty(project, property.name, common, property.value);
}

void setTemplate(ProjectSystem& projectSystem, ProjectElement* project, const QString& templateName) {
  projectSystem.setElementProperty(project, QStringLiteral("template_name"), templateName);
}

// Without an executable template, a known microcontroller still makes the
// project buildable: it becomes the "Target", and an STM32 part gets the
// STM32 template as well.
void chooseTemplate(ProjectSystem& projectSystem, ProjectElement* project, const QString& projectType) {
  const ImportSettings& settings = importSettings();
  if (projectType == QLatin1String("Static Library")) {
    if (settings.libraryTemplate.isEmpty()) throw HException(QStringLiteral("library template not specified"));
    setTemplate(projectSystem, project, settings.libraryTemplate);
    return;
  }
  if (projectType != QLatin1String("Executable"))
    throw HException(QStringLiteral("unsupport project type: ") + projectType);
  if (!settings.executableTemplate.isEmpty()) {
    setTemplate(projectSystem, project, settings.executableTemplate);
    return;
  }
  const QString& microcontroller = microcontrollerName();
  if (microcontroller.isEmpty()) throw HException(QStringLiteral("executable template not specified"));
  if (microcontroller.startsWith(QLatin1String("STM32"))) setTemplate(projectSystem, project, QStringLiteral("STM32_EXE"));
  projectSystem.setConfigurationProperty(project, QStringLiteral("Target"), QStringLiteral("Common"), microcontroller);
}

// Runs with the workspace as working directory; projectFile is a path such as
// ./demo/.project. Projects without ".cproject" are skipped silently, but their
// ".project" must still be readable.
void importProject(ProjectSystem& projectSystem, ProjectElement* solution, const QString& projectFile,
                   const QList<ProjectProperty>& projectProperties) {
  const QString projectDirectory = projectFile.left(projectFile.lastIndexOf(QLatin1Char('/')));
  const DomDocument description = loadXmlDocument(projectFile);
  const QString cprojectFile = projectDirectory + QStringLiteral("/.cproject");
  if (!QFileInfo::exists(cprojectFile)) return;
  const DomDocument cproject = loadXmlDocument(cprojectFile);
  pushDirectory(projectDirectory);
  printProgress("cproject found: %s\n", projectFile);
  const QString projectName =
      childElementText(firstChildElement(description, QStringLiteral("projectDescription")), QStringLiteral("name"));
  printProgress("project name: %s\n", projectName);

  const CdtSettings settings = readCdtSettings(cproject);
  ProjectElement* project = projectSystem.newProject(solution, projectName, QString(), QString());
  setCommonProperties(projectSystem, project, description, projectProperties);
  importConfigurationOptions(projectSystem, project, QStringLiteral("Debug"), projectName, settings.debug);
  importConfigurationOptions(projectSystem, project, QStringLiteral("Release"), projectName, settings.release);
  mergeCommonProperty(projectSystem, project, QStringLiteral("c_preprocessor_definitions"));
  mergeCommonProperty(projectSystem, project, QStringLiteral("c_user_include_directories"));
  chooseTemplate(projectSystem, project, settings.typeElement.attribute(QStringLiteral("name")));

  ProjectElement* sourceFiles = projectSystem.findOrAddFolder(project, QStringLiteral("Source Files"), QString());
  addSourceDirectory(projectSystem, sourceFiles, QStringLiteral("."));
  addLinkedFiles(projectSystem, sourceFiles, description);
  if (!directoryStack().isEmpty()) popDirectory();
}

}  // namespace

ProjectElement* importEclipseWorkspace(ProjectSystem& projectSystem, const QString& workspaceDirectory) {
  const QList<ProjectProperty> projectProperties = readProjectProperties();
  const bool directoryGiven = !workspaceDirectory.isEmpty();
  const QString solutionName =
      directoryGiven ? workspaceDirectory.mid(workspaceDirectory.lastIndexOf(QLatin1Char('/')) + 1)
                     : QStringLiteral("project");
  // A relative workspace path is made absolute before the working directory moves
  // into it: taken as given, the solution would be placed relative to the workspace.
  const QString solutionDirectory =
      directoryGiven ? QFileInfo(workspaceDirectory).absoluteFilePath() : QDir::currentPath();
  // An empty path counts as no path at all, so it cannot fail as a missing directory.
  pushDirectory(directoryGiven ? workspaceDirectory : QString());
  ProjectElement* solution = projectSystem.newSolution(solutionName, solutionDirectory);

  QStringList projectFiles;
  findFiles(QStringLiteral("."), WildcardPattern(QStringLiteral(".project")), projectFiles);
  for (const QString& projectFile : projectFiles) importProject(projectSystem, solution, projectFile, projectProperties);
  if (!directoryStack().isEmpty()) popDirectory();
  return solution;
}
