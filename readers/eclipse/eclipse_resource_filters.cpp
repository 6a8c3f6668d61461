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

// Eclipse's wildcards: "*" any run of characters, "?" one character, "\"
// takes the next character as it is; the whole text must match.
QString wildcardExpression(const QString& pattern) {
  QString expression;
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    const QChar character = pattern[i];
    if (character == QLatin1Char('*'))
      expression += QStringLiteral(".*");
    else if (character == QLatin1Char('?'))
      expression += QLatin1Char('.');
    else if (character == QLatin1Char('\\') && i + 1 < pattern.size())
      expression += QRegularExpression::escape(QString(pattern[++i]));
    else
      expression += QRegularExpression::escape(QString(character));
  }
  return expression;
}

// "1.0-<key>-<operator>-<case sensitive>-<regular expression>-<pattern>": the
// pattern is what follows the fifth "-", and may hold "-" itself.
std::optional<ResourceMatcher> multiFilter(const QString& arguments, QString& problem) {
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
  const QString expression = fields[4] == QLatin1String("true") ? pattern : wildcardExpression(pattern);
  matcher.pattern.setPattern(QRegularExpression::anchoredPattern(expression));
  if (fields[3] != QLatin1String("true")) matcher.pattern.setPatternOptions(QRegularExpression::CaseInsensitiveOption);
  if (!matcher.pattern.isValid()) {
    problem = QStringLiteral("its pattern ") + pattern + QStringLiteral(" is not valid");
    return std::nullopt;
  }
  return matcher;
}

std::optional<ResourceMatcher> readMatcher(const DomElement& element, QString& problem) {
  static constexpr std::pair<const char*, ResourceMatcher::Kind> compounds[] = {
      {"org.eclipse.ui.ide.orFilterMatcher", ResourceMatcher::Kind::AnyOf},
      {"org.eclipse.ui.ide.andFilterMatcher", ResourceMatcher::Kind::AllOf},
      {"org.eclipse.ui.ide.notFilterMatcher", ResourceMatcher::Kind::NoneOf}};
  const QString id = childElementText(element, QStringLiteral("id"));
  const DomElement arguments = firstChildElement(element, QStringLiteral("arguments"));
  if (id == QLatin1String("org.eclipse.ui.ide.multiFilter")) return multiFilter(elementText(arguments), problem);
  for (const auto& [compoundId, kind] : compounds) {
    if (id != QLatin1String(compoundId)) continue;
    ResourceMatcher matcher;
    matcher.kind = kind;
    for (const DomElement& child : childElements(arguments, matcherTag)) {
      std::optional<ResourceMatcher> part = readMatcher(child, problem);
      if (!part) return std::nullopt;
      matcher.children.push_back(std::move(*part));
    }
    return matcher;
  }
  problem = QStringLiteral("its matcher ") + id + QStringLiteral(" is not read");
  return std::nullopt;
}

bool isInside(const QString& path, const QString& folder) {
  return folder.isEmpty() || (path.startsWith(folder) && path.size() > folder.size() && path[folder.size()] == QLatin1Char('/'));
}

}  // namespace

bool ResourceMatcher::matches(const QString& name, const QString& projectRelativePath) const {
  const auto childMatches = [&](const ResourceMatcher& child) { return child.matches(name, projectRelativePath); };
  switch (kind) {
    case Kind::Name:
      return pattern.match(name).hasMatch();
    case Kind::ProjectRelativePath:
      return pattern.match(projectRelativePath).hasMatch();
    case Kind::AnyOf:
      return std::any_of(children.begin(), children.end(), childMatches);
    case Kind::AllOf:
      return std::all_of(children.begin(), children.end(), childMatches);
    case Kind::NoneOf:
      return std::none_of(children.begin(), children.end(), childMatches);
  }
  return false;
}

ResourceFilters ResourceFilters::read(const DomElement& filteredResources, QStringList& unread) {
  ResourceFilters result;
  for (const DomElement& element : childElements(filteredResources, QStringLiteral("filter"))) {
    ResourceFilter filter;
    filter.container = childElementText(element, QStringLiteral("name"));
    filter.type = childElementText(element, QStringLiteral("type")).toInt();
    QString problem;
    std::optional<ResourceMatcher> matcher = readMatcher(firstChildElement(element, matcherTag), problem);
    const QString where = filter.container.isEmpty() ? QStringLiteral("the project") : filter.container;
    if (!matcher) {
      unread.append(QStringLiteral("resource filter on ") + where + QStringLiteral(" left out: ") + problem);
      continue;
    }
    filter.matcher = std::move(*matcher);
    result.filters_.push_back(std::move(filter));
  }
  return result;
}

ContainerFilters ResourceFilters::forContainer(const QString& path) const {
  ContainerFilters applicable;
  for (const ResourceFilter& filter : filters_) {
    if (filter.container == path || ((filter.type & inheritable) && isInside(path, filter.container)))
      applicable.filters_.push_back(&filter);
  }
  return applicable;
}

// Include-only filters of one kind of child keep what one of them matches;
// exclude-all filters then remove what any of them matches.
bool ContainerFilters::keeps(const QString& containerPath, const QString& name, bool isFolder) const {
  const int kind = isFolder ? folders : files;
  const QString path = containerPath.isEmpty() ? name : containerPath + QLatin1Char('/') + name;
  bool included = true;
  for (const ResourceFilter* filter : filters_) {
    if (!(filter->type & kind) || !(filter->type & includeOnly)) continue;
    included = filter->matcher.matches(name, path);
    if (included) break;
  }
  if (!included) return false;
  return std::none_of(filters_.begin(), filters_.end(), [&](const ResourceFilter* filter) {
    return (filter->type & kind) && (filter->type & excludeAll) && filter->matcher.matches(name, path);
  });
}
