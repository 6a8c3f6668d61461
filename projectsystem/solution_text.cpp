#include "projectsystem/solution_text.h"

#include "projectsystem/model_names.h"
#include "projectsystem/project_element.h"
#include "xml/xml_document.h"

using namespace model_names;

namespace {

void addAttribute(XMLElement& xml, const QString& name, const QString& value) {
  xml.attributes().push_back(XMLAttribute{name.toLatin1().toStdString(), value.toUtf8().toStdString(), true});
}

// The properties the writer writes, in key order: it drops an empty "Name" and a
// folder's "file_name" (from the model, which this text leaves alone).
void addProperties(const ProjectElement& element, XMLElement& xml, bool all) {
  const QMap<QString, QString>& properties = element.properties();
  for (auto property = properties.cbegin(); property != properties.cend(); ++property) {
    if (!all && property.key() == nameProperty && property.value().isEmpty()) continue;
    if (!all && element.kind() == ProjectElement::Folder && property.key() == fileNameProperty) continue;
    addAttribute(xml, property.key(), property.value());
  }
}

std::unique_ptr<XMLElement> textElement(XMLDocument& document, const ProjectElement& element) {
  if (element.kind() == ProjectElement::Folder && element.hasProperty(pathProperty)) {
    std::unique_ptr<XMLElement> xml = document.createElement("folder");
    addProperties(element, *xml, true);
    for (ProjectElement* child : element.children())
      if (child->kind() == ProjectElement::Configuration) xml->appendChild(textElement(document, *child));
    return xml;
  }
  if (element.kind() == ProjectElement::Solution && element.imported) {
    std::unique_ptr<XMLElement> xml = document.createElement("import");
    addAttribute(*xml, fileNameProperty, element.property(fileNameProperty));
    return xml;
  }
  const char* tag = ProjectElement::tagOfKind(element.kind());
  std::unique_ptr<XMLElement> xml = document.createElement(tag ? std::string(tag) : element.tagName());
  addProperties(element, *xml, false);
  for (ProjectElement* child : element.children()) xml->appendChild(textElement(document, *child));
  return xml;
}

}  // namespace

std::unique_ptr<XMLElement> solutionDocumentElement(XMLDocument& document, const ProjectElement& solution) {
  std::unique_ptr<XMLElement> root = document.createElement("solution");
  for (auto property = solution.properties().cbegin(); property != solution.properties().cend(); ++property) {
    if (property.key() == fileNameProperty && solution.imported) continue;
    if (property.key() == nameProperty && property.value().isEmpty()) continue;
    addAttribute(*root, property.key(), property.value());
  }
  if (!solution.hasProperty(targetProperty)) {
    // Inserted where the sorted property map would put it.
    std::vector<XMLAttribute>& attributes = root->attributes();
    auto position = attributes.begin();
    while (position != attributes.end() && QString::fromLatin1(position->name) < targetProperty) ++position;
    attributes.insert(position, XMLAttribute{"target", "8", true});
  }
  for (ProjectElement* child : solution.children()) root->appendChild(textElement(document, *child));
  return root;
}

std::string solutionText(const ProjectElement& solution) {
  XMLDocument document;
  document.doctype = solutionDoctype;
  document.root = solutionDocumentElement(document, solution);
  return document.toString(solutionIndent, solutionLineWidth);
}
