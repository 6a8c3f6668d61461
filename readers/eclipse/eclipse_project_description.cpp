#include "readers/eclipse/eclipse_project_description.h"

#include "foreign/foreign_files.h"

namespace {

EclipseLink readLink(const DomElement& element) {
  EclipseLink link;
  link.name = childElementText(element, QStringLiteral("name"));
  link.type = childElementText(element, QStringLiteral("type"));
  const DomElement uri = firstChildElement(element, QStringLiteral("locationURI"));
  const DomElement location = uri.isNull() ? firstChildElement(element, QStringLiteral("location")) : uri;
  link.isUri = !uri.isNull();
  link.hasLocation = !location.isNull();
  link.location = elementText(location);
  return link;
}

}  // namespace

EclipseProjectDescription readProjectDescription(const DomDocument& document) {
  EclipseProjectDescription description;
  const DomElement root = firstChildElement(document, QStringLiteral("projectDescription"));
  description.name = childElementText(root, QStringLiteral("name"));
  for (const DomElement& dependency : descendantElements(document, QStringLiteral("project"))) {
    const QString name = elementText(dependency);
    if (!name.isEmpty()) description.dependencies.append(name);
  }
  const QList<DomElement> resources = descendantElements(document, QStringLiteral("linkedResources"));
  if (!resources.isEmpty()) {
    for (const DomElement& link : descendantElements(resources.first(), QStringLiteral("link")))
      description.links.append(readLink(link));
  }
  const DomElement variables = firstChildElement(root, QStringLiteral("variableList"));
  for (const DomElement& variable : childElements(variables, QStringLiteral("variable"))) {
    const QString name = childElementText(variable, QStringLiteral("name"));
    if (!name.isEmpty() && !description.pathVariables.contains(name))
      description.pathVariables.insert(name, childElementText(variable, QStringLiteral("value")));
  }
  for (const DomElement& nature : descendantElements(root, QStringLiteral("nature")))
    if (elementText(nature) == QLatin1String("org.eclipse.cdt.core.ccnature")) description.isCpp = true;
  description.filters = ResourceFilters::read(firstChildElement(root, QStringLiteral("filteredResources")),
                                              description.unreadFilters);
  return description;
}
