#include "importers/uvision/uvision_model.h"

#include <QFileInfo>

#include "importers/common/conversion_context.h"
#include "importers/common/foreign_path.h"
#include "importers/common/workspace_paths.h"
#include "importers/common/xml_loading.h"

namespace {

// Follows a chain of direct-child lookups; a missing step gives a null element.
DomElement childPath(DomElement element, std::initializer_list<const char*> tagNames) {
  for (const char* tagName : tagNames) element = firstChildElement(element, QLatin1String(tagName));
  return element;
}

bool isLibraryPath(const QString& path) {
  return path.endsWith(QLatin1String(".lib")) || path.endsWith(QLatin1String(".a"));
}

/// Where the elements of one project file go.
struct ProjectFile {
  ConversionContext& context;
  QString directory;  // the base of the project's own paths
};

// The "File" elements of a group: those of every "Files" child (generators such
// as RT-Thread's write one "Files" per file), and only of its own children, so
// that groups nested inside each other (which uVision never writes) do not count
// a file once for every enclosing group.
QList<DomElement> groupFiles(const DomElement& group) {
  QList<DomElement> files;
  for (const DomElement& list : childElements(group, QStringLiteral("Files")))
    files += childElements(list, QStringLiteral("File"));
  return files;
}

// Groups become folders under "Source Files"; a library a group links is a
// dependency rather than a file.
void readGroups(const ProjectFile& file, const DomElement& element, UvTarget& target) {
  for (const DomElement& group : descendantElements(element, QStringLiteral("Group"))) {
    SourceItem folder = SourceItem::folder(childElementText(group, QStringLiteral("GroupName")));
    if (folder.name.isEmpty()) continue;
    for (const DomElement& entry : groupFiles(group)) {
      const QString path = toForwardSlashes(childElementText(entry, QStringLiteral("FilePath")));
      if (isLibraryPath(path)) {
        target.linkedLibraries.append(nameWithoutLastSuffix(path));
        continue;
      }
      folder.items.push_back(SourceItem::file(childElementText(entry, QStringLiteral("FileName")),
                                              file.context.paths().respell(path, file.directory)));
    }
    target.record.sources.push_back(std::move(folder));
  }
}

// The compiler settings: the GNU tool set keeps them under "TargetArm"/"Carm",
// the ARM compilers under "TargetArmAds"/"Cads".
DomElement compilerControls(const DomElement& target, const DomElement& options) {
  const bool gnu = childElementText(target, QStringLiteral("ToolsetName")) == QLatin1String("ARM-GNU") ||
                   (firstChildElement(options, QStringLiteral("TargetArmAds")).isNull() &&
                    !firstChildElement(options, QStringLiteral("TargetArm")).isNull());
  return gnu ? childPath(options, {"TargetArm", "Carm", "VariousControls"})
             : childPath(options, {"TargetArmAds", "Cads", "VariousControls"});
}

// A target has no configurations of its own: it is one configuration, named after it.
SourceConfiguration readConfiguration(const ProjectFile& file, const DomElement& element, const DomElement& options) {
  const DomElement controls = compilerControls(element, options);
  SourceConfiguration configuration;
  configuration.name = childElementText(element, QStringLiteral("TargetName"));
  configuration.compile.compiler.definitions = definitionItems(childElementText(controls, QStringLiteral("Define")));
  configuration.compile.compiler.undefinitions = definitionItems(childElementText(controls, QStringLiteral("Undefine")));
  configuration.compile.compiler.includeDirectories = projectRelativePathList(
      file.context.paths(), childElementText(controls, QStringLiteral("IncludePath")), file.directory);
  configuration.outputDirectory = childElementText(childPath(options, {"TargetCommonOption"}), QStringLiteral("OutputDirectory"));
  configuration.outputDirectory.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return configuration;
}

UvTarget readTarget(const ProjectFile& file, const DomElement& element, const UvProject& project,
                    const QString& shownFile) {
  const DomElement options = firstChildElement(element, QStringLiteral("TargetOption"));
  const DomElement common = firstChildElement(options, QStringLiteral("TargetCommonOption"));
  const QString createExecutable = childElementText(common, QStringLiteral("CreateExecutable"));
  UvTarget target;
  target.project = &project;
  target.buildsOutput = !createExecutable.isEmpty();
  target.outputName = childElementText(common, QStringLiteral("OutputName"));
  if (!target.buildsOutput) return target;
  ProjectRecord& record = target.record;
  record.name = project.name;
  record.kind = createExecutable == QLatin1String("0") ? ProjectKind::StaticLibrary : ProjectKind::Executable;
  record.directory = file.directory;
  record.sourceFile = shownFile;
  record.configurations.push_back(readConfiguration(file, element, options));
  readGroups(file, element, target);
  return target;
}

}  // namespace

UvProject::UvProject(ConversionContext& context, const QString& pathAndName, const QString& workspaceFile) {
  const QString path = toForwardSlashes(pathAndName);
  const QString projectFile = context.paths().resolve(path, context.workspaceDirectory()).path;
  const ProjectFile file{context, QFileInfo(projectFile).path()};
  const QString shownFile = displayPath(projectFile);
  name = nameWithoutLastSuffix(path);
  const DomDocument document = loadXmlDocument(projectFile, workspaceFile);
  const DomElement root = firstChildElement(document, QStringLiteral("Project"));
  for (const DomElement& element : childElements(firstChildElement(root, QStringLiteral("Targets")), QStringLiteral("Target")))
    targets.push_back(readTarget(file, element, *this, shownFile));
  if (targets.empty()) throw ConversionError(shownFile, QStringLiteral("no target specified"));
}

UvWorkspace::UvWorkspace(const QString& path) : path(path) {
  const DomDocument document = loadXmlDocument(path);
  for (const DomElement& project : descendantElements(document, QStringLiteral("project"))) {
    QString projectPath = childElementText(project, QStringLiteral("PathAndName"));
    if (!projectPath.isEmpty()) projectPaths.append(std::move(projectPath));
  }
}

UvProject* UvWorkspace::readNextProject(ConversionContext& context) {
  if (projects.size() >= size_t(projectPaths.size())) return nullptr;
  projects.push_back(std::make_unique<UvProject>(context, projectPaths[qsizetype(projects.size())], path));
  return projects.back().get();
}

QStringList definitionItems(const QString& text) {
  QStringList items;
  QString item;
  bool quoted = false;
  for (const QChar character : text) {
    if (character == QLatin1Char('"')) quoted = !quoted;
    if (!quoted && (character == QLatin1Char(',') || character.isSpace())) {
      if (!item.isEmpty()) items.append(item);
      item.clear();
    } else {
      item += character;
    }
  }
  if (!item.isEmpty()) items.append(item);
  return items;
}

QStringList projectRelativePathList(ForeignPathResolver& paths, const QString& text, const QString& projectDirectory) {
  QStringList converted;
  for (const QString& entry : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString path = toForwardSlashes(entry);
    converted.append(path == QLatin1String(".")
                         ? QStringLiteral("$(ProjectDir)")
                         : QStringLiteral("$(ProjectDir)/") + paths.respell(path, projectDirectory));
  }
  return converted;
}
