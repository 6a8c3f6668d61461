#include "readers/eclipse/eclipse_source_entries.h"

#include <algorithm>

#include "foreign/foreign_files.h"

namespace {

// Source entries are named without a leading "/", and sometimes with one.
QString projectPath(const QString& path) { return path.startsWith(QLatin1Char('/')) ? path.mid(1) : path; }

bool isInside(const QString& path, const QString& folder) {
  return folder.isEmpty() || path == folder ||
         (path.startsWith(folder) && path.size() > folder.size() && path[folder.size()] == QLatin1Char('/'));
}

// "*" and "?" within one component; exactly as written otherwise.
bool componentMatches(QStringView pattern, QStringView name, StepMeter& meter) {
  return wildcardMatches(
      pattern, name, [](QChar token) { return token == QLatin1Char('*'); },
      [](QChar token, QChar character) { return token == QLatin1Char('?') || token == character; }, meter);
}

}  // namespace

QString projectResourcePath(const QString& resourcePath) {
  if (!resourcePath.startsWith(QLatin1Char('/'))) return resourcePath;
  const qsizetype afterProject = resourcePath.indexOf(QLatin1Char('/'), 1);
  return afterProject < 0 ? QString() : resourcePath.mid(afterProject + 1);
}

// "**" matches any run of components, every other pattern component one.
bool matchesExclusionPattern(const QString& pattern, const QString& path, StepMeter& meter) {
  QString full = pattern;
  if (full.endsWith(QLatin1Char('/'))) full += QStringLiteral("**");
  return wildcardMatches(
      full.split(QLatin1Char('/'), Qt::SkipEmptyParts), path.split(QLatin1Char('/'), Qt::SkipEmptyParts),
      [](const QString& component) { return component == QLatin1String("**"); },
      [&meter](const QString& component, const QString& name) { return componentMatches(component, name, meter); },
      meter);
}

std::optional<std::vector<SourceEntry>> readSourceEntries(const ForeignElement& configuration) {
  const ForeignElement entries = childNamed(configuration, QStringLiteral("sourceEntries"));
  if (entries.isNull()) return std::nullopt;
  std::vector<SourceEntry> result;
  for (const ForeignElement& entry : childrenNamed(entries, QStringLiteral("entry"))) {
    if (entry.attribute(QStringLiteral("kind")) != QLatin1String("sourcePath")) continue;
    const QString excluding = entry.attribute(QStringLiteral("excluding"));
    result.push_back(
        {projectPath(entry.attribute(QStringLiteral("name"))), excluding.split(QLatin1Char('|'), Qt::SkipEmptyParts)});
  }
  return result;
}

QSet<QString> readExcludedResources(const ForeignElement& configuration) {
  QSet<QString> excluded;
  for (const char* tag : {"resourceConfiguration", "folderInfo", "fileInfo"}) {
    for (const ForeignElement& resource : childrenNamed(configuration, QLatin1String(tag))) {
      if (resource.attribute(QStringLiteral("exclude")) == QLatin1String("true"))
        excluded.insert(projectResourcePath(resource.attribute(QStringLiteral("resourcePath"))));
    }
  }
  return excluded;
}

bool ConfigurationResources::buildsEverything() const {
  if (!excluded.isEmpty()) return false;
  return !sourceEntries || (sourceEntries->size() == 1 && sourceEntries->front().folder.isEmpty() &&
                            sourceEntries->front().excluding.isEmpty());
}

bool ConfigurationResources::excludes(const QString& path, bool isFolder, WorkBudget* steps) const {
  // Most configurations exclude no resource: the path is then not taken apart.
  for (QString above = excluded.isEmpty() ? QString() : path; !above.isEmpty();
       above = above.left(std::max<qsizetype>(above.lastIndexOf(QLatin1Char('/')), 0)))
    if (excluded.contains(above)) return true;
  if (!sourceEntries) return false;
  const SourceEntry* innermost = nullptr;
  for (const SourceEntry& entry : *sourceEntries)
    if (isInside(path, entry.folder) && (!innermost || entry.folder.size() > innermost->folder.size()))
      innermost = &entry;
  // A folder holding an entry of its own is built in part: its items decide.
  if (isFolder && std::any_of(sourceEntries->begin(), sourceEntries->end(), [&](const SourceEntry& entry) {
        return entry.folder != path && isInside(entry.folder, path);
      }))
    return false;
  if (!innermost) return true;
  // The path and each folder above it, relative to the entry.
  QString relative = innermost->folder.isEmpty() ? path : path.mid(innermost->folder.size() + 1);
  StepMeter meter(steps);
  bool insideExcluded = false;
  for (; !relative.isEmpty() && !insideExcluded;
       relative = relative.left(std::max<qsizetype>(relative.lastIndexOf(QLatin1Char('/')), 0))) {
    insideExcluded = std::any_of(innermost->excluding.begin(), innermost->excluding.end(), [&](const QString& pattern) {
      return matchesExclusionPattern(pattern, relative, meter);
    });
  }
  meter.settle();
  return insideExcluded;
}
