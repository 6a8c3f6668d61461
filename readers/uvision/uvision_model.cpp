#include "readers/uvision/uvision_model.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

#include "foreign/foreign_files.h"
#include "foreign/foreign_path.h"
#include "foreign/solution_naming.h"
#include "readers/common/conversion_context.h"
#include "readers/uvision/uvision_groups.h"
#include "readers/uvision/uvision_rte.h"
#include "readers/uvision/uvision_target_settings.h"
#include "support/path.h"

namespace {

/// Where the elements of one project file go.
struct ProjectFile {
  ConversionContext& context;
  QString directory;  // the base of the project's own paths
};

UVisionTarget readTarget(const ProjectFile& file, const ForeignElement& element, const UVisionProject& project,
                         const UVisionRteSection& rte, const QString& shownFile) {
  const ForeignElement options = childNamed(element, QStringLiteral("TargetOption"));
  const ForeignElement common = childNamed(options, QStringLiteral("TargetCommonOption"));
  const QString createExecutable = childText(common, QStringLiteral("CreateExecutable"));
  UVisionTarget target;
  target.project = &project;
  // uVision 5.38 writes neither "CreateExecutable" nor "CreateLib" for a target
  // that builds a program (TI's MSPM0 examples): such a target is an executable.
  target.buildsOutput = !createExecutable.isEmpty() || childText(common, QStringLiteral("CreateLib")).isEmpty();
  target.outputName = childText(common, QStringLiteral("OutputName"));
  if (!target.buildsOutput) return target;
  ProjectRecord& record = target.record;
  record.kind = createExecutable == QLatin1String("0") ? ProjectKind::StaticLibrary : ProjectKind::Executable;
  record.directory = file.directory;
  record.sourceFile = shownFile;
  const UVisionTargetReading reading{file.context, file.directory, childText(element, QStringLiteral("TargetName")),
                                     toolsetOf(element), record.notCarried};
  target.toolset = reading.toolset;
  record.configurations.push_back(readTargetSettings(reading, element, record.kind));
  rte.addToConfiguration(reading, record.configurations.front());
  readGroups(reading, element, record, target.linkedLibraries);
  rte.addFiles(reading, record.sources);
  return target;
}

// A file that gives one project names it; one that gives several names each
// after its target as well, and a second target of the same name (after the
// characters are replaced) gets "_2", and so on. An output named as its project
// is the default output name. Each name's numbering goes on where it stopped
// (every lower number is taken), so many targets of one name cost one try each.
void nameProjects(std::vector<UVisionTarget>& targets, const QString& fileName) {
  const auto projects =
      std::count_if(targets.begin(), targets.end(), [](const UVisionTarget& target) { return target.buildsOutput; });
  QSet<QString> given;
  QHash<QString, int> numbersUsed;  // per name, how many numbers its repeats took
  for (UVisionTarget& target : targets) {
    target.projectName = fileName;
    if (!target.buildsOutput) continue;
    if (projects > 1) {
      const QString name = targetProjectName(fileName, target.record.configurations.front().name);
      target.projectName = name;
      int& used = numbersUsed[name];
      while (given.contains(target.projectName))
        target.projectName = name + QLatin1Char('_') + QString::number(2 + used++);
      given.insert(target.projectName);
    }
    target.record.name = target.projectName;
    QString& outputName = target.record.configurations.front().outputName;
    if (outputName == target.projectName) outputName.clear();
  }
}

// Both forms, ".uvproj" and ".uvprojx", and both workspace forms have these document elements.
const DocumentKind uvisionWorkspace{"ProjectWorkspace", "a uVision workspace"};
const DocumentKind uvisionProject{"Project", "a uVision project"};

}  // namespace

UVisionProject::UVisionProject(ConversionContext& context, const QString& pathAndName, const QString& projectFile,
                               const QString& workspaceFile)
    : name(nameWithoutLastSuffix(toForwardSlashes(pathAndName))), shownFile(displayPath(projectFile)) {
  const ProjectFile file{context, QFileInfo(projectFile).path()};
  const ForeignDocument document = loadForeignFile(context.inputFiles(), projectFile, uvisionProject, workspaceFile);
  const ForeignElement root = documentElement(document);
  const UVisionRteSection rte(childNamed(root, QStringLiteral("RTE")));
  for (const ForeignElement& element :
       childrenNamed(childNamed(root, QStringLiteral("Targets")), QStringLiteral("Target")))
    targets.push_back(readTarget(file, element, *this, rte, shownFile));
  if (targets.empty()) throw ConversionError(shownFile, QStringLiteral("no target specified"));
  nameProjects(targets, name);
}

bool UVisionProject::givesProjects() const {
  return std::any_of(targets.begin(), targets.end(), [](const UVisionTarget& target) { return target.buildsOutput; });
}

UVisionWorkspace::UVisionWorkspace(ConversionContext& context, const QString& workspaceFile) : path(workspaceFile) {
  const ForeignDocument document = loadForeignFile(context.inputFiles(), path, uvisionWorkspace);
  for (const ForeignElement& project : descendantsNamed(document, QStringLiteral("project"))) {
    QString projectPath = childText(project, QStringLiteral("PathAndName"));
    if (!projectPath.isEmpty()) projectPaths.append(std::move(projectPath));
  }
}

UVisionProject* UVisionWorkspace::readNextProject(ConversionContext& context) {
  while (nextPath_ < projectPaths.size()) {
    const QString& pathAndName = projectPaths[nextPath_++];
    const QString file = context.paths().resolve(toForwardSlashes(pathAndName), context.workspaceDirectory()).path;
    if (!listed_.isFirstListing(context.diagnostics(), file, displayPath(path))) continue;
    try {
      projects.push_back(std::make_unique<UVisionProject>(context, pathAndName, file, path));
    } catch (const UnreadableFile& failure) {
      context.leaveOutProject(failure.file(), QStringLiteral("project ") +
                                                  nameWithoutLastSuffix(toForwardSlashes(pathAndName)) +
                                                  QStringLiteral(" left out: ") + failure.message());
      continue;
    }
    return projects.back().get();
  }
  return nullptr;
}

QString targetProjectName(const QString& fileName, const QString& targetName) {
  QString name = fileName + QLatin1Char('_');
  for (const QChar character : targetName) {
    const bool kept = character.isLetterOrNumber() || character == QLatin1Char('-') || character == QLatin1Char('_') ||
                      character == QLatin1Char('.');
    name += kept ? character : QLatin1Char('_');
  }
  return name;
}

// Each item is a run of the text, so an item that is the whole text is shared
// with it rather than copied.
QStringList definitionItems(const QString& text) {
  QStringList items;
  qsizetype start = 0;
  bool quoted = false;
  for (qsizetype at = 0; at <= text.size(); ++at) {
    const bool ends = at == text.size();
    if (!ends && text[at] == QLatin1Char('"')) quoted = !quoted;
    if (!ends && (quoted || (text[at] != QLatin1Char(',') && !text[at].isSpace()))) continue;
    if (at > start) items.append(text.mid(start, at - start));
    start = at + 1;
  }
  return items;
}

QStringList projectRelativePathList(ForeignPathResolver& paths, const QString& text, const QString& projectDirectory) {
  static const QRegularExpression separator(QStringLiteral("\\s*[;,]\\s*"));
  QStringList converted;
  for (const QString& entry : text.trimmed().split(separator, Qt::SkipEmptyParts))
    converted.append(projectRelativeDirectory(paths, entry, projectDirectory));
  return converted;
}
