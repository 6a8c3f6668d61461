#include "readers/eclipse/eclipse_resource_filters.h"

#include <algorithm>
#include <optional>

#include "foreign/foreign_files.h"

namespace {

constexpr int includeOnly = 1;
constexpr int excludeAll = 2;
constexpr int files = 4;
constexpr int folders = 8;
constexpr int inheritable = 16;

const QString matcherTag = QStringLiteral("matcher");

// "1.0-<key>-<operator>-<case sensitive>-<regular expression>-<pattern>": the
// pattern is what follows the fifth "-", and may hold "-" itself.
std::optional<ResourceMatcher> multiFilter(const QString& arguments, int line, QString& problem) {
  QStringList fields;
  qsizetype start = 0;
  for (int field = 0; field < 5; ++field) {
    const qsizetype dash = arguments.indexOf(QLatin1Char('-'), start);
    if (dash < 0) break;
    fields.append(arguments.mid(start, dash - start));
    start = dash + 1;
  }
  if (fields.size() < 5 || fields[2] != QLatin1String("matches")) {
    problem = QStringLiteral("its arguments ") + arguments + QStringLiteral(" are not read");
    return std::nullopt;
  }
  ResourceMatcher matcher;
  if (fields[1] == QLatin1String("name")) {
    matcher.kind = ResourceMatcher::Kind::Name;
  } else if (fields[1] == QLatin1String("projectRelativePath")) {
    matcher.kind = ResourceMatcher::Kind::ProjectRelativePath;
  } else {
    problem = QStringLiteral("it matches the ") + fields[1] + QStringLiteral(", which is not read");
    return std::nullopt;
  }
  const QString pattern = arguments.mid(start);
  std::optional<ResourcePattern> compiled =
      ResourcePattern::compile(pattern, fields[4] == QLatin1String("true"), fields[3] == QLatin1String("true"), line);
  if (!compiled) {
    problem = QStringLiteral("its pattern ") + pattern + QStringLiteral(" is not valid");
    return std::nullopt;
  }
  matcher.pattern = std::move(*compiled);
  return matcher;
}

// A matcher and the groups nested in it, depth levels below the filter.
std::optional<ResourceMatcher> readMatcher(const ForeignElement& element, int depth, FilterProblem& problem) {
  static constexpr std::pair<const char*, ResourceMatcher::Kind> compounds[] = {
      {"org.eclipse.ui.ide.orFilterMatcher", ResourceMatcher::Kind::AnyOf},
      {"org.eclipse.ui.ide.andFilterMatcher", ResourceMatcher::Kind::AllOf},
      {"org.eclipse.ui.ide.notFilterMatcher", ResourceMatcher::Kind::NoneOf}};
  problem.line = element.line();
  if (depth > maximumMatcherDepth) {
    problem.message = QStringLiteral("its matchers nest deeper than %1 levels").arg(maximumMatcherDepth);
    return std::nullopt;
  }
  const QString id = childText(element, QStringLiteral("id"));
  const ForeignElement arguments = childNamed(element, QStringLiteral("arguments"));
  if (id == QLatin1String("org.eclipse.ui.ide.multiFilter"))
    return multiFilter(elementText(arguments), element.line(), problem.message);
  for (const auto& [compoundId, kind] : compounds) {
    if (id != QLatin1String(compoundId)) continue;
    ResourceMatcher matcher;
    matcher.kind = kind;
    for (const ForeignElement& child : childrenNamed(arguments, matcherTag)) {
      std::optional<ResourceMatcher> part = readMatcher(child, depth + 1, problem);
      if (!part) return std::nullopt;
      matcher.children.push_back(std::move(*part));
    }
    return matcher;
  }
  problem.message = QStringLiteral("its matcher ") + id + QStringLiteral(" is not read");
  return std::nullopt;
}

bool isInside(const QString& path, const QString& folder) {
  return folder.isEmpty() ||
         (path.startsWith(folder) && path.size() > folder.size() && path[folder.size()] == QLatin1Char('/'));
}

}  // namespace

bool ResourceMatcher::matches(const QString& name, const QString& projectRelativePath, StepMeter& meter) const {
  const auto childMatches = [&](const ResourceMatcher& child) {
    meter.take();
    return child.matches(name, projectRelativePath, meter);
  };
  switch (kind) {
    case Kind::Name:
      return pattern.matches(name, meter);
    case Kind::ProjectRelativePath:
      return pattern.matches(projectRelativePath, meter);
    case Kind::AnyOf:
      return std::any_of(children.begin(), children.end(), childMatches);
    case Kind::AllOf:
      return std::all_of(children.begin(), children.end(), childMatches);
    case Kind::NoneOf:
      return std::none_of(children.begin(), children.end(), childMatches);
  }
  return false;
}

ResourceFilters ResourceFilters::read(const ForeignElement& filteredResources, QList<FilterProblem>& unread) {
  ResourceFilters result;
  for (const ForeignElement& element : childrenNamed(filteredResources, QStringLiteral("filter"))) {
    ResourceFilter filter;
    filter.container = childText(element, QStringLiteral("name"));
    filter.type = childText(element, QStringLiteral("type")).toInt();
    FilterProblem problem;
    std::optional<ResourceMatcher> matcher = readMatcher(childNamed(element, matcherTag), 1, problem);
    const QString where = filter.container.isEmpty() ? QStringLiteral("the project") : filter.container;
    if (!matcher) {
      if (problem.line == 0) problem.line = element.line();  // no matcher element at all
      problem.message = QStringLiteral("resource filter on ") + where + QStringLiteral(" left out: ") + problem.message;
      unread.append(problem);
      continue;
    }
    filter.matcher = std::move(*matcher);
    result.filters_.push_back(std::move(filter));
  }
  return result;
}

ContainerFilters ResourceFilters::forContainer(const QString& path, WorkBudget* steps) const {
  ContainerFilters applicable;
  applicable.steps_ = steps;
  for (const ResourceFilter& filter : filters_) {
    if (filter.container == path || ((filter.type & inheritable) && isInside(path, filter.container)))
      applicable.filters_.push_back(&filter);
  }
  return applicable;
}

// Include-only filters of one kind of child keep what one of them matches;
// exclude-all filters then remove what any of them matches.
bool ContainerFilters::keeps(const QString& containerPath, const QString& name, bool isFolder) const {
  return keepsChild(name, containerPath.isEmpty() ? name : containerPath + QLatin1Char('/') + name, isFolder);
}

bool ContainerFilters::keepsChild(const QString& name, const QString& path, bool isFolder) const {
  const int kind = isFolder ? folders : files;
  StepMeter meter(steps_);
  bool included = true;
  for (const ResourceFilter* filter : filters_) {
    if (!(filter->type & kind) || !(filter->type & includeOnly)) continue;
    included = filter->matcher.matches(name, path, meter);
    if (included) break;
  }
  const bool kept =
      included && std::none_of(filters_.begin(), filters_.end(), [&](const ResourceFilter* filter) {
        return (filter->type & kind) && (filter->type & excludeAll) && filter->matcher.matches(name, path, meter);
      });
  meter.settle();
  return kept;
}
