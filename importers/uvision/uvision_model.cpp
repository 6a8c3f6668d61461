#include "importers/uvision/uvision_model.h"

#include <QFileInfo>

#include "importers/common/conversion_context.h"
#include "importers/common/foreign_path.h"
#include "importers/common/hexception.h"
#include "importers/common/workspace_paths.h"
#include "importers/common/xml_loading.h"

namespace {

// Follows a chain of direct-child lookups; a missing step gives a null element.
DomElement childPath(DomElement element, std::initializer_list<const char*> tagNames) {
  for (const char* tagName : tagNames) element = firstChildElement(element, QLatin1String(tagName));
  return element;
}

// Groups and files are taken out of the document when the project is read, so the
// document itself can be dropped: a workspace of thousands of files then holds
// only these strings instead of every project's whole tree. A group's files are
// those of its own "Files" element: groups nested inside each other (which
// uVision never writes) must not count a file once for every enclosing group.
QList<UvGroup> readGroups(ConversionContext& context, const DomElement& target, const QString& projectDirectory) {
  QList<UvGroup> groups;
  for (const DomElement& group : descendantElements(target, QStringLiteral("Group"))) {
    UvGroup entry{childElementText(group, QStringLiteral("GroupName")), {}};
    if (entry.name.isEmpty()) continue;
    for (const DomElement& file : childElements(firstChildElement(group, QStringLiteral("Files")), QStringLiteral("File"))) {
      const QString path = toForwardSlashes(childElementText(file, QStringLiteral("FilePath")));
      entry.files.append({childElementText(file, QStringLiteral("FileName")),
                          context.paths().respell(path, projectDirectory)});
    }
    groups.append(std::move(entry));
  }
  return groups;
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

UvTarget readTarget(ConversionContext& context, const DomElement& element, const UvProject* project) {
  const DomElement options = firstChildElement(element, QStringLiteral("TargetOption"));
  const DomElement common = firstChildElement(options, QStringLiteral("TargetCommonOption"));
  const DomElement controls = compilerControls(element, options);
  UvTarget target;
  target.definitions = definitionItems(childElementText(controls, QStringLiteral("Define")));
  target.undefinitions = definitionItems(childElementText(controls, QStringLiteral("Undefine")));
  target.includePath = projectRelativePathList(context.paths(), childElementText(controls, QStringLiteral("IncludePath")),
                                               project->directory);
  target.createExecutable = childElementText(common, QStringLiteral("CreateExecutable"));
  target.outputDirectory = childElementText(common, QStringLiteral("OutputDirectory"));
  target.outputDirectory.replace(QLatin1Char('\\'), QLatin1Char('/'));
  target.outputName = childElementText(common, QStringLiteral("OutputName"));
  target.groups = readGroups(context, element, project->directory);
  target.project = project;
  return target;
}

}  // namespace

UvProject::UvProject(ConversionContext& context, const QString& pathAndName, const UvWorkspace* workspace)
    : path(toForwardSlashes(pathAndName)), workspace(workspace) {
  file = context.paths().resolve(path, context.workspaceDirectory()).path;
  directory = QFileInfo(file).path();
  name = nameWithoutLastSuffix(path);
  const DomDocument document = loadXmlDocument(file, workspace->path);
  const DomElement root = firstChildElement(document, QStringLiteral("Project"));
  for (const DomElement& element : childElements(firstChildElement(root, QStringLiteral("Targets")), QStringLiteral("Target")))
    targets.push_back(readTarget(context, element, this));
  if (targets.empty()) throw HException(displayPath(file) + QStringLiteral(": no target specified"));
}

void UvProject::releaseGroups() {
  for (UvTarget& target : targets) target.groups = QList<UvGroup>();
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
  projects.push_back(std::make_unique<UvProject>(context, projectPaths[qsizetype(projects.size())], this));
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

QString projectRelativePathList(ForeignPathResolver& paths, const QString& text, const QString& projectDirectory) {
  QStringList converted;
  for (const QString& entry : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString path = toForwardSlashes(entry);
    converted.append(path == QLatin1String(".")
                         ? QStringLiteral("$(ProjectDir)")
                         : QStringLiteral("$(ProjectDir)/") + paths.respell(path, projectDirectory));
  }
  return converted.join(QLatin1Char(';'));
}
