#include "readers/iar/iar_project_record.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "foreign/foreign_path.h"
#include "readers/common/conversion_context.h"
#include "readers/common/library_builders.h"
#include "readers/iar/iar_build_steps.h"
#include "readers/iar/iar_compile.h"
#include "readers/iar/iar_item_settings.h"
#include "readers/iar/iar_linker.h"
#include "readers/iar/iar_paths.h"
#include "readers/iar/iar_target.h"
#include "readers/iar/iar_workspace.h"
#include "support/path.h"

namespace {

/// One project file being read into its record.
struct ProjectReading {
  ProjectReading(ConversionContext& context, IarWorkspace& workspace, const LibraryBuilders& libraryBuilders,
                 qsizetype projectIndex)
      : builders(libraryBuilders),
        index(projectIndex),
        project(workspace.projects[size_t(projectIndex)]),
        paths(context.paths(), project.directory, workspace.directory, &workspace.argumentVariables),
        linker(paths, context.inputFiles(), project.directory, project.name) {
    paths.setCopies(&project.content.copies);
  }

  // The project builds path's library when another project of the workspace does.
  bool linksBuiltLibrary(const QString& path) {
    const std::optional<QString> builder = builders.builderOf(path, index);
    if (!builder) return false;
    if (!record.dependencies) record.dependencies = QStringList();
    if (!record.dependencies->contains(*builder)) record.dependencies->append(*builder);
    return true;
  }

  // Reports of the same kind and value from several configurations are one.
  void report(const NotCarried& setting) { mergeNotCarried(record.notCarried, setting); }

  const LibraryBuilders& builders;
  const qsizetype index;
  IarProject& project;  // whose files' names the record takes
  IarPathConverter paths;
  IarLinkerReader linker;
  ProjectRecord record;
  /// What each configuration's compile settings reported, for its items to compare with.
  std::vector<QList<NotCarried>> compileReports;
};

QString projectRelativeOrEmpty(ProjectReading& reading, const QString& text) {
  return text.isEmpty() ? QString() : reading.paths.projectRelative(text).value_or(QString());
}

// A library another project of the workspace builds becomes a dependency; any
// other is linked as an additional file.
void readAdditionalLibraries(ProjectReading& reading, const IarConfiguration& configuration, LinkerOptions& linker) {
  for (const QString& library : configuration.options.list(IarOptionId::AdditionalLibraries)) {
    if (reading.linksBuiltLibrary(library)) continue;
    if (const std::optional<QString> file = reading.paths.macroBased(library)) linker.additionalFiles.append(*file);
  }
}

// A library is not linked: its linker options are not read.
SourceConfiguration readConfiguration(ProjectReading& reading, const IarConfiguration& configuration) {
  SourceConfiguration result;
  result.name = configuration.name;
  result.device = readIarTargetDevice(configuration);
  QList<NotCarried> notCarried;
  result.compile = readIarCompileSettings(configuration.options, configuration.compiler, reading.paths, notCarried);
  reading.compileReports.push_back(notCarried);
  result.outputDirectory = projectRelativeOrEmpty(reading, configuration.options.text(IarOptionId::ExecutablePath));
  result.intermediateDirectory = projectRelativeOrEmpty(reading, configuration.options.text(IarOptionId::ObjectPath));
  if (reading.record.kind == ProjectKind::StaticLibrary) {
    reading.linker.readLibrary(configuration, result, notCarried);
  } else {
    readAdditionalLibraries(reading, configuration, result.linker);
    reading.linker.readExecutable(configuration, result, notCarried);
    // A project connection file's sizes are the project's, whatever the ICF says.
    if (configuration.stackSize) result.linker.stackSize = configuration.stackSize;
    if (configuration.heapSize) result.linker.heapSize = configuration.heapSize;
  }
  result.steps = readIarBuildSteps(configuration.buildActions, notCarried);
  for (NotCarried& setting : notCarried) {
    setting.configurations = {configuration.name};
    reading.report(setting);
  }
  return result;
}

// The name after the last "\\" or "/", a trailing one dropped as toForwardSlashes drops it.
QStringView lastComponent(QStringView path) {
  if (!path.isEmpty() && (path.back() == u'/' || path.back() == u'\\')) path.chop(1);
  return path.sliced(lastSeparator(path) + 1);
}

// text cut down to part of it, in place: the one copy of a name read for every file is not copied again.
QString cutTo(QString&& text, QStringView part) {
  const qsizetype start = part.utf16() - QStringView(text).utf16();
  text.truncate(start + part.size());
  text.remove(0, start);
  return std::move(text);
}

/// The configurations read as Debug and Release that leave an item out, as bits.
int exclusionBits(const IarProjectContent& content, const QStringList& excludedFrom) {
  return (excludedFrom.contains(content.debug().name) ? 1 : 0) |
         (excludedFrom.contains(content.release().name) ? 2 : 0);
}
constexpr int excludedFromBoth = 3;

std::vector<ItemSettings> readItemSettings(ProjectReading& reading, IarItemSettingsReader& items,
                                           const std::vector<IarOwnSettings>& own, const QString& itemName) {
  if (own.empty()) return {};
  QList<NotCarried> notCarried;
  std::vector<ItemSettings> settings = items.read(own, itemName, notCarried);
  for (const NotCarried& setting : notCarried) reading.report(setting);
  return settings;
}

// A library that the workspace builds is linked through the dependency, unless
// no configuration links it at all. Nothing is added when the file is no source.
// groupExclusion: the exclusion bits of the file's groups.
void readFile(ProjectReading& reading, IarItemSettingsReader& items, IarFile& file, int groupExclusion,
              std::vector<SourceItem>& folderItems) {
  if (file.name.isEmpty()) return;
  QString name = file.decodedName();
  const QStringView fileName = lastComponent(name);
  const IarProjectContent& content = reading.project.content;
  if (isLibraryFile(fileName) &&
      (groupExclusion | exclusionBits(content, file.parts().excludedFrom)) != excludedFromBoth) {
    if (reading.linksBuiltLibrary(fileName.toString())) return;
  }
  std::optional<QString> path = reading.paths.projectRelative(name);
  if (!path) return;
  SourceItem& item = folderItems.emplace_back();  // a file, made in place: there is one for every file
  item.name = cutTo(std::move(name), fileName);
  item.path = std::move(*path);
  item.excludedFrom = file.parts().excludedFrom;
  if (!file.parts().ownSettings.empty())
    item.settings = readItemSettings(reading, items, file.parts().ownSettings, item.path);
}

// Groups become folders, nested as they nest; in each folder its subfolders
// come before its files, each in document order.
std::vector<SourceItem> readSources(ProjectReading& reading) {
  IarProjectContent& content = reading.project.content;
  IarItemSettingsReader items(content.configurations, reading.record.configurations, reading.compileReports,
                              reading.paths);
  const size_t count = content.groups.size();
  std::vector<SourceItem> folders(count);
  std::vector<std::vector<size_t>> subgroups(count);
  std::vector<size_t> topGroups;
  std::vector<int> exclusion(count);  // by the group and the groups around it
  for (size_t i = 0; i < count; ++i) {
    const IarGroup& group = content.groups[i];
    folders[i] = SourceItem::folder(group.name);
    folders[i].excludedFrom = group.parts.excludedFrom;
    folders[i].settings = readItemSettings(reading, items, group.parts.ownSettings, group.name);
    exclusion[i] =
        exclusionBits(content, group.parts.excludedFrom) | (group.parent >= 0 ? exclusion[size_t(group.parent)] : 0);
    (group.parent < 0 ? topGroups : subgroups[size_t(group.parent)]).push_back(i);
  }
  // A folder's items: first room for its subfolders, which are complete only
  // after its files are read, then its files.
  std::vector<size_t> fileCounts(count);
  for (const IarFile& file : content.files)
    if (file.group >= 0) ++fileCounts[size_t(file.group)];
  for (size_t i = 0; i < count; ++i) {
    folders[i].items.reserve(subgroups[i].size() + fileCounts[i]);
    folders[i].items.resize(subgroups[i].size());
  }
  std::vector<SourceItem> topFiles;
  for (IarFile& file : content.files) {
    if (file.group < 0)
      readFile(reading, items, file, 0, topFiles);
    else
      readFile(reading, items, file, exclusion[size_t(file.group)], folders[size_t(file.group)].items);
  }
  // Groups follow their parent in document order: children are complete before
  // their parent takes them.
  for (size_t i = count; i-- > 0;)
    for (size_t k = 0; k < subgroups[i].size(); ++k) folders[i].items[k] = std::move(folders[subgroups[i][k]]);
  std::vector<SourceItem> sources;
  for (size_t group : topGroups) sources.push_back(std::move(folders[group]));
  for (SourceItem& file : topFiles) sources.push_back(std::move(file));
  return sources;
}

void readProject(ProjectReading& reading) {
  const IarProject& project = reading.project;
  ProjectRecord& record = reading.record;
  record.name = project.name;
  record.kind = project.content.debug().buildsLibrary() ? ProjectKind::StaticLibrary : ProjectKind::Executable;
  record.directory = project.directory;
  record.sourceFile = displayPath(project.file);
  for (const IarConfiguration& configuration : project.content.configurations)
    record.configurations.push_back(readConfiguration(reading, configuration));
  record.sources = readSources(reading);
  for (const NotCarried& setting : project.content.notCarried) reading.report(setting);
}

void reportLeftOut(ConversionContext& context, const ProjectReading& reading, const QString& shown) {
  if (!reading.paths.installationPaths().isEmpty()) {
    context.warn(shown, QStringLiteral("paths in the IAR installation left out: ") +
                            reading.paths.installationPaths().join(QStringLiteral(", ")));
  }
  for (const IarPathConverter::LeftOutVariable& variable : reading.paths.leftOutVariables()) {
    context.warn(shown, QStringLiteral("paths with ") + variable.variable + QStringLiteral(" left out: ") +
                            variable.why + QStringLiteral(": ") + variable.paths.join(QStringLiteral(", ")));
  }
  if (!reading.paths.copiesNotMade().isEmpty()) {
    context.warn(shown, QStringLiteral("copies project connection files make when Embedded Workbench opens the "
                                       "project are not there; their originals are used: ") +
                            reading.paths.copiesNotMade().join(QStringLiteral(", ")));
  }
  if (reading.project.content.mergedGroups > 0) {
    context.warn(shown, QStringLiteral("%1 groups nested deeper than %2 levels merged into the group above them")
                            .arg(reading.project.content.mergedGroups)
                            .arg(maximumGroupDepth));
  }
}

}  // namespace

std::optional<ProjectRecord> readProjectRecord(ConversionContext& context, IarWorkspace& workspace,
                                               const LibraryBuilders& builders, qsizetype index) {
  const IarProject& project = workspace.projects[size_t(index)];
  const QString shown = displayPath(project.file);
  // Without any configuration there is nothing to build, as in the Eclipse reader.
  if (project.content.choice.isEmpty()) {
    context.leaveOutProject(shown, QStringLiteral("project ") + project.name +
                                       QStringLiteral(" left out: Debug and Release configuration not specified"));
    return std::nullopt;
  }
  ProjectReading reading(context, workspace, builders, index);
  readProject(reading);
  reportLeftOut(context, reading, shown);
  return std::move(reading.record);
}

namespace {

// The library a configuration builds: the project's own name unless the
// archiver's output is overridden.
QString builtLibrary(const IarProject& project, const IarConfiguration& configuration) {
  QString output = configuration.archiveOutput();
  if (output.isEmpty()) return project.name;
  output.replace(QLatin1String("$PROJ_FNAME$"), project.name);
  return libraryName(output);
}

}  // namespace

LibraryBuilders iarLibraryBuilders(const IarWorkspace& workspace) {
  LibraryBuilders builders(LibraryBuilders::Matching::IgnoringCase);
  for (size_t index = 0; index < workspace.projects.size(); ++index) {
    const IarProject& project = workspace.projects[index];
    const IarProjectContent& content = project.content;
    if (content.choice.isEmpty() || !content.debug().buildsLibrary()) continue;
    for (const IarConfiguration* configuration : {&content.debug(), &content.release()})
      builders.add(builtLibrary(project, *configuration), qsizetype(index), project.name);
  }
  return builders;
}
