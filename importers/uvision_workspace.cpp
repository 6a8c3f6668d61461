#include "importers/uvision_workspace.h"

#include "importers/directory_stack.h"
#include "importers/hexception.h"
#include "importers/xml_loading.h"

namespace {

// Follows a chain of direct-child lookups; a missing step gives a null element.
DomElement childPath(DomElement element, std::initializer_list<const char*> tagNames) {
  for (const char* tagName : tagNames) element = firstChildElement(element, QLatin1String(tagName));
  return element;
}

// Groups and files are taken out of the document when the project is read, so the
// document itself can be dropped: a workspace of thousands of files then holds
// only these strings instead of every project's whole tree.
QList<UvGroup> readGroups(const DomElement& target) {
  QList<UvGroup> groups;
  for (const DomElement& group : descendantElements(target, QStringLiteral("Group"))) {
    UvGroup entry{childElementText(group, QStringLiteral("GroupName")), {}};
    if (entry.name.isEmpty()) continue;
    for (const DomElement& file : descendantElements(group, QStringLiteral("File"))) {
      entry.files.append({childElementText(file, QStringLiteral("FileName")),
                          toForwardSlashes(childElementText(file, QStringLiteral("FilePath")))});
    }
    groups.append(std::move(entry));
  }
  return groups;
}

UvTarget readTarget(const DomElement& element, const UvProject* project) {
  const DomElement options = firstChildElement(element, QStringLiteral("TargetOption"));
  const DomElement common = firstChildElement(options, QStringLiteral("TargetCommonOption"));
  const DomElement controls = childPath(options, {"TargetArmAds", "Cads", "VariousControls"});
  UvTarget target;
  target.cDefine = childElementText(controls, QStringLiteral("Define"));
  target.cUndefine = childElementText(controls, QStringLiteral("Undefine"));
  target.cIncludePath = projectRelativePathList(childElementText(controls, QStringLiteral("IncludePath")));
  target.createExecutable = childElementText(common, QStringLiteral("CreateExecutable"));
  target.outputDirectory = childElementText(common, QStringLiteral("OutputDirectory"));
  target.outputName = childElementText(common, QStringLiteral("OutputName"));
  target.groups = readGroups(element);
  target.project = project;
  return target;
}

}  // namespace

UvProject::UvProject(const QString& path, const UvWorkspace* workspace) : path(path), workspace(workspace) {
  const DomDocument document = loadXmlDocument(path);
  const DomElement root = firstChildElement(document, QStringLiteral("Project"));
  const DomElement targetList = firstChildElement(root, QStringLiteral("Targets"));
  for (size_t i = 0; i < targetList.childCount(); ++i) {
    const DomElement element = targetList.child(i);
    if (element.tagName() == QLatin1String("Target")) targets.push_back(readTarget(element, this));
  }
  if (targets.empty()) throw HException(std::string("no target specified"));
}

UvWorkspace::UvWorkspace(const QString& path) : path(path) {
  const DomDocument document = loadXmlDocument(path);
  for (const DomElement& project : descendantElements(document, QStringLiteral("project"))) {
    const QString projectPath = childElementText(project, QStringLiteral("PathAndName"));
    if (!projectPath.isEmpty()) projects.push_back(std::make_unique<UvProject>(projectPath, this));
  }
}

const UvTarget* findTargetByOutputName(const UvWorkspace& workspace, const QString& name) {
  for (const auto& project : workspace.projects) {
    for (const UvTarget& target : project->targets) {
      if (target.outputName.contains(name)) return &target;
    }
  }
  return nullptr;
}

QString projectRelativePathList(const QString& text) {
  QStringList converted;
  for (const QString& entry : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString path = toForwardSlashes(entry);
    converted.append(path == QLatin1String(".") ? QStringLiteral("$(ProjectDir)")
                                                 : QStringLiteral("$(ProjectDir)/") + path);
  }
  return converted.join(QLatin1Char(';'));
}
