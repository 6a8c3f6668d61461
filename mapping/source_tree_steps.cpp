// The steps of the mapper that lay out a project's files: its source tree, with
// each item's exclusions and own settings, and its GNU ld scripts.

#include <QSet>

#include "mapping/mapping_options.h"
#include "mapping/mapping_steps.h"
#include "model/solution_model.h"
#include "xml/utf8_text.h"

namespace {

const QString commonName = QStringLiteral("Common");
const QString excludeProperty = QStringLiteral("build_exclude_from_build");
const QString yes = QStringLiteral("Yes");

/// The solution configurations whose source is one of configurations. Most
/// items are excluded from none: they cost no walk over the plan.
QSet<QString> plannedAmong(const ProjectMapping& mapping, const QStringList& configurations) {
  QSet<QString> names;
  if (configurations.isEmpty()) return names;
  for (const PlannedConfiguration& configuration : mapping.plan)
    if (configurations.contains(configuration.source->name)) names.insert(configuration.name);
  return names;
}

// Left out of every configuration, an item is still listed (the user may want
// it) and says so in "Common". label: the item as the outcome names it.
void setExclusion(ProjectMapping& mapping, ModelNode* node, const QSet<QString>& excludedFrom, const QString& label) {
  if (excludedFrom.isEmpty()) return;
  std::vector<PropertyValues> values;
  for (size_t i = 0; i < mapping.plan.size(); ++i) {
    const bool excluded = excludedFrom.contains(mapping.plan[i].name);
    values.push_back(excluded ? PropertyValues{{excludeProperty, yes}} : PropertyValues{});
    if (excluded && i < mapping.configurations.size()) mapping.configurations[i].excluded.append(label);
  }
  writeSplit(mapping, node, values, false);
}

// The settings an item has of its own, as far as they differ from its
// project's in each configuration.
void setItemSettings(ProjectMapping& mapping, ModelNode* node, const SourceItem& item) {
  if (item.settings.empty() || mapping.plan.empty()) return;
  std::vector<PropertyValues> values(mapping.plan.size());
  const QString itemName = item.kind == SourceItem::Kind::File ? item.path : item.name;
  for (size_t i = 0; i < mapping.plan.size(); ++i) {
    for (const ItemSettings& settings : item.settings) {
      if (settings.configuration != mapping.plan[i].source->name) continue;
      QList<NotCarried> removed;
      const CompileSettings difference =
          itemDifference(settings.compile, mapping.plan[i].source->compile, itemName, removed);
      ConfigurationProperties properties = compileProperties(difference);
      values[i] = properties.values;
      for (NotCarried report : removed + properties.notCarried) {
        report.configurations = {settings.configuration};
        mergeNotCarried(mapping.notCarried, report);
      }
    }
  }
  writeSplit(mapping, node, values, false);
}

// No reader passes a control character into a record (the XML parsers refuse
// them, the directory scans leave such names out), but a solution holding one
// could not be read back: this is the last guard, for every reader. Only what
// the solution holds is checked: a file's path, a folder's name.
bool leavesOutName(ProjectMapping& mapping, const SourceItem& item) {
  const bool isFile = item.kind == SourceItem::Kind::File;
  if (isXmlText(isFile ? item.path : item.name)) return false;
  mapping.warn(mapping.record.sourceFile,
               (isFile ? QStringLiteral("file ") + item.path : QStringLiteral("folder ") + item.name) +
                   QStringLiteral(" left out: its name holds a control character"));
  return true;
}

// A file a "-filter-file" pattern leaves out; its name is made into a string
// only when there are patterns.
bool filteredOut(const ProjectMapping& mapping, const SourceItem& file) {
  return !mapping.options.fileFilters.isEmpty() && mapping.options.excludesFile(file.fileName().toString());
}

// Folders of the same name under one parent share one folder, and a folder
// without a name gives its items to the enclosing one; the exclusions of such
// a folder then go to its items, which are all it has of its own. path: the
// folder's names from the project down, which name a folder in the outcome.
void addItems(ProjectMapping& mapping, ModelNode* folder, const std::vector<SourceItem>& items,
              const QSet<QString>& passedDown, const QString& path) {
  SolutionModel& model = mapping.model;
  if (folder) folder->reserveChildren(items.size());
  for (const SourceItem& item : items) {
    if (leavesOutName(mapping, item)) continue;
    if (item.kind == SourceItem::Kind::File) {
      if (filteredOut(mapping, item)) continue;
      ModelNode* file = model.addFile(folder, item.path);
      // Most files are left out of no configuration and set nothing of their own.
      if (!item.excludedFrom.isEmpty() || !passedDown.isEmpty())
        setExclusion(mapping, file, plannedAmong(mapping, item.excludedFrom) | passedDown, item.path);
      if (!item.settings.empty()) setItemSettings(mapping, file, item);
      continue;
    }
    const QSet<QString> exclusion = plannedAmong(mapping, item.excludedFrom) | passedDown;
    const QString itemPath = path + QLatin1Char('/') + item.name;
    if (item.name.isEmpty()) {
      addItems(mapping, folder, item.items, exclusion, path);
    } else if (ModelNode* shared = model.findFolder(folder, item.name)) {
      addItems(mapping, shared, item.items, exclusion, itemPath);
    } else {
      ModelNode* own = model.findOrAddFolder(folder, item.name, QString());
      setExclusion(mapping, own, exclusion, itemPath);
      setItemSettings(mapping, own, item);
      addItems(mapping, own, item.items, {}, itemPath);
    }
  }
}

}  // namespace

void addSourceTree(ProjectMapping& mapping) {
  const QString sourceFiles = QStringLiteral("Source Files");
  ModelNode* folder = mapping.model.findOrAddFolder(mapping.project, sourceFiles, QString());
  addItems(mapping, folder, mapping.record.sources, {}, sourceFiles);
}

// A GNU ld script is a file of the project the linker takes; one that only
// some configurations link with is left out of the others.
void addLinkerScripts(ProjectMapping& mapping) {
  const ProjectKind kind = mapping.record.kind;
  QStringList scripts;
  for (const PlannedConfiguration& configuration : mapping.plan) {
    const QString script = gnuLinkerScript(*configuration.source, kind);
    if (!script.isEmpty() && !scripts.contains(script)) scripts.append(script);
  }
  for (const QString& script : scripts) {
    ModelNode* file = mapping.model.addFile(mapping.project, script);
    mapping.model.setConfigurationProperty(file, QStringLiteral("file_type"), commonName,
                                           QStringLiteral("Linker Script"));
    QSet<QString> notLinking;
    for (const PlannedConfiguration& configuration : mapping.plan)
      if (gnuLinkerScript(*configuration.source, kind) != script) notLinking.insert(configuration.name);
    setExclusion(mapping, file, notLinking, script);
  }
}
