#include "readers/eclipse/eclipse_project_description.h"

#include "foreign/foreign_files.h"

namespace {

EclipseLink readLink(const ForeignElement& element) {
  EclipseLink link;
  link.name = childText(element, QStringLiteral("name"));
  link.type = childText(element, QStringLiteral("type"));
  const ForeignElement uri = childNamed(element, QStringLiteral("locationURI"));
  const ForeignElement location = uri.isNull() ? childNamed(element, QStringLiteral("location")) : uri;
  link.isUri = !uri.isNull();
  link.hasLocation = !location.isNull();
  link.location = elementText(location);
  return link;
}

}  // namespace

EclipseProjectDescription readProjectDescription(const ForeignDocument& document) {
  EclipseProjectDescription description;
  const ForeignElement root = childNamed(document, QStringLiteral("projectDescription"));
  description.name = childText(root, QStringLiteral("name"));
  for (const ForeignElement& dependency : descendantsNamed(document, QStringLiteral("project"))) {
    const QString name = elementText(dependency);
    if (!name.isEmpty()) description.dependencies.append(name);
  }
  const QList<ForeignElement> resources = descendantsNamed(document, QStringLiteral("linkedResources"));
  if (!resources.isEmpty()) {
    for (const ForeignElement& link : descendantsNamed(resources.first(), QStringLiteral("link")))
      description.links.append(readLink(link));
  }
  const ForeignElement variables = childNamed(root, QStringLiteral("variableList"));
  for (const ForeignElement& variable : childrenNamed(variables, QStringLiteral("variable"))) {
    const QString name = childText(variable, QStringLiteral("name"));
    if (!name.isEmpty() && !description.pathVariables.contains(name))
      description.pathVariables.insert(name, childText(variable, QStringLiteral("value")));
  }
  for (const ForeignElement& nature : descendantsNamed(root, QStringLiteral("nature")))
    if (elementText(nature) == QLatin1String("org.eclipse.cdt.core.ccnature")) description.isCpp = true;
  description.filters =
      ResourceFilters::read(childNamed(root, QStringLiteral("filteredResources")), description.unreadFilters);
  return description;
}
