// The solution file writer: the element tree as an XML document with the
// DOCTYPE "Orbelin_Project_File", laid out with indent 2 and line width 75.

#include <QDir>

#include "projectsystem/model_names.h"
#include "projectsystem/project_system.h"
#include "xml/xml_document.h"

using namespace model_names;

namespace {

constexpr uint32_t solutionIndent = 2;
constexpr uint32_t solutionLineWidth = 75;

std::string asciiName(const QString& name) { return name.toLatin1().toStdString(); }
std::string utf8Value(const QString& value) { return value.toUtf8().toStdString(); }

// Every stored property, in key order, as one attribute.
void writeProperties(const ProjectElement& element, XMLElement& xml) {
  const QMap<QString, QString>& properties = element.properties();
  std::vector<XMLAttribute>& attributes = xml.attributes();
  attributes.reserve(properties.size());
  for (auto property = properties.cbegin(); property != properties.cend(); ++property)
    attributes.push_back(XMLAttribute{asciiName(property.key()), utf8Value(property.value()), true});
}

// Removed from the model on write: an empty "Name", and "file_name" on a folder.
void dropUnwrittenProperties(ProjectElement& element) {
  if (element.hasProperty(nameProperty) && element.property(nameProperty).isEmpty())
    element.removeProperty(nameProperty);
  if (element.kind() == ProjectElement::Folder && element.hasProperty(fileNameProperty))
    element.removeProperty(fileNameProperty);
}

std::unique_ptr<XMLElement> writeElement(XMLDocument& document, ProjectElement& element) {
  if (element.kind() == ProjectElement::Folder && element.hasProperty(pathProperty)) {
    // A dynamic folder's files come from the disk when it is read: only its settings are stored.
    std::unique_ptr<XMLElement> xml = document.createElement("folder");
    writeProperties(element, *xml);
    for (ProjectElement* child : element.children())
      if (child->kind() == ProjectElement::Configuration) xml->appendChild(writeElement(document, *child));
    return xml;
  }
  if (element.kind() == ProjectElement::Solution && element.imported) {
    std::unique_ptr<XMLElement> xml = document.createElement("import");
    xml->setAttribute(asciiName(fileNameProperty), utf8Value(element.property(fileNameProperty)));
    return xml;
  }
  // An element without a kind of its own (a tag the model does not know) keeps its tag.
  const char* tag = ProjectElement::tagOfKind(element.kind());
  std::unique_ptr<XMLElement> xml = document.createElement(tag ? std::string(tag) : element.tagName());
  dropUnwrittenProperties(element);
  writeProperties(element, *xml);
  // Children that are not model elements (such as CDATA sections) are not part of the file.
  for (ProjectElement* child : element.children()) xml->appendChild(writeElement(document, *child));
  return xml;
}

}  // namespace

bool ProjectSystem::saveSolution(ProjectElement* solution, QString* error) {
  if (!solution) return false;
  // An imported solution written to its own file is written as a solution, without
  // the reference it carries in the importing file.
  const bool imported = solution->imported;
  const bool hadFileName = solution->hasProperty(fileNameProperty);
  const QString importedFileName = solution->property(fileNameProperty);
  if (imported) {
    solution->removeProperty(fileNameProperty);
    solution->imported = false;
  }
  if (!solution->hasProperty(targetProperty)) solution->setProperty(targetProperty, QStringLiteral("8"));
  QXMLDocument document;
  document.doctype = "Orbelin_Project_File";
  document.root = writeElement(document, *solution);
  if (imported) {
    solution->imported = true;
    if (hadFileName) solution->setProperty(fileNameProperty, importedFileName);
    solution->setModified(false);
  }
  // A solution's location is set when it is created or loaded and never resolved again.
  // A directory that cannot be made shows in the reason the save gives.
  const Path& location = solution->location();
  QDir().mkpath(location.absoluteDirectory());
  if (!document.save(location.path(), solutionIndent, solutionLineWidth)) {
    if (error)
      *error = QStringLiteral("cannot write ") + location.path() + QStringLiteral(": ") +
               QString::fromLocal8Bit(document.saveErrorReason);
    return false;
  }
  solution->lastModified = location.lastModified();
  clearModified(solution, false);
  emit fileSaved(location);
  return true;
}
