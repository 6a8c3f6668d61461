#include "projectsystem/project_content_reader.h"

#include <algorithm>
#include <vector>

#include "projectsystem/dynamic_folder.h"
#include "projectsystem/model_names.h"
#include "projectsystem/project_system.h"
#include "projectsystem/solution_load_error.h"
#include "projectsystem/solution_reader.h"
#include "xml/xml_document.h"

using namespace model_names;

namespace {

const QString configurationMacro = QStringLiteral("$(Configuration)");

// Real template content nests a few levels. The solution file indents each level one
// step further, so content nested without bound would give a file that grows with the
// square of its depth (100,000 nested folders: 20 GB), and the writer walks levels on
// the call stack: deeper content ends the expansion instead.
constexpr size_t maximumContentDepth = 256;

bool hasAttribute(const XMLElement& element, const char* name) { return element.attribute(name) != nullptr; }

bool equalsIgnoringCase(const QString& text, const char* word) {
  return text.toLower() == QLatin1String(word);
}

// One name per pass over the configuration list (a single pass when it is empty):
// in pass i, "$(Configuration)" is replaced by the list's entry i.
QStringList substitutedNames(const QString& name, const QStringList& configurationNames) {
  QStringList names;
  const qsizetype passes = std::max<qsizetype>(1, configurationNames.size());
  for (qsizetype pass = 0; pass < passes; ++pass) {
    QString substituted = name;
    if (pass < configurationNames.size()) substituted.replace(configurationMacro, configurationNames[pass]);
    names.append(substituted);
  }
  return names;
}

// Sets the folder's own "path", "filter", "recurse" ("Yes"/"No") and "exclude",
// destroys its files and subfolders and populates it from the disk.
void makeDynamicFolder(SolutionReader& reader, ProjectElement* folder, const QString& path, const QString& filter,
                       bool recurse, const QString& exclude) {
  folder->setProperty(pathProperty, path);
  folder->setProperty(filterProperty, filter);
  folder->setProperty(recurseProperty, recurse ? QStringLiteral("Yes") : QStringLiteral("No"));
  folder->setProperty(excludeProperty, exclude);
  std::vector<ProjectElement*> contents;
  for (ProjectElement* child : folder->children())
    if (child->kind() != ProjectElement::Configuration) contents.push_back(child);
  for (ProjectElement* child : contents) reader.deleteElement(child);
  populateDynamicFolder(reader.system(), folder, reader.warnings(), reader.dynamicFolderBudget);
}

// Each handler reads one element into parent and returns the element its child
// elements are read into, or null when they are skipped.
using ElementHandler = ProjectElement* (*)(const ProjectContentContext& context, ProjectElement* parent,
                                           const XMLElement& element, const QStringList& configurationNames);

ProjectElement* readFolder(const ProjectContentContext& context, ProjectElement* parent, const XMLElement& element,
                           const QStringList&) {
  ProjectSystem& system = context.reader.system();
  const QString name = attributeValue(element, "name");
  const QString filter = attributeValue(element, "filter");
  if (ProjectElement* existing = system.findFolder(parent, name)) {
    QString current;
    if (!system.getConfigurationPropertyValue(existing, commonConfiguration, filterProperty, current))
      system.setConfigurationProperty(existing, filterProperty, commonConfiguration, filter);
    return existing;
  }
  if (!hasAttribute(element, "path")) return system.findOrAddFolder(parent, name, filter);
  // "choose" asks the user for the directory, which a converter cannot do.
  if (hasAttribute(element, "choose")) return nullptr;
  ProjectElement* folder = system.findOrAddFolder(parent, name, QString());
  // Only the presence of "recurse" counts: recurse="No" still recurses.
  makeDynamicFolder(context.reader, folder, attributeValue(element, "path"), filter, hasAttribute(element, "recurse"),
                    attributeValue(element, "exclude"));
  return folder;
}

// A file without a name would become a file element with an empty path: skipped.
ProjectElement* readFile(const ProjectContentContext& context, ProjectElement* parent, const XMLElement& element,
                         const QStringList&) {
  if (hasAttribute(element, "source") || !hasAttribute(element, "name")) return nullptr;
  QString name = attributeValue(element, "name");
  if (!equalsIgnoringCase(attributeValue(element, "expand"), "no"))
    name = context.reader.system().expandMacros(parent, name, commonConfiguration);
  for (ProjectElement* child : parent->children())
    if (child->kind() == ProjectElement::File && child->property(fileNameProperty) == name) return child;
  return context.reader.system().addFile(parent, name);
}

// "property" and "solutionproperty": set in each substituted configuration where
// the target's own configuration does not hold the property yet.
void setConfigurationProperties(const ProjectContentContext& context, ProjectElement* target,
                                const XMLElement& element, const QStringList& configurationNames) {
  if (!hasAttribute(element, "name") || !hasAttribute(element, "value")) return;
  ProjectSystem& system = context.reader.system();
  const QString name = attributeValue(element, "name");
  const bool expand = equalsIgnoringCase(attributeValue(element, "expand"), "yes");
  for (const QString& configuration : substitutedNames(attributeValue(element, "configuration"), configurationNames)) {
    const QString configurationName = configuration.isEmpty() ? commonConfiguration : configuration;
    QString existing;
    if (system.getConfigurationPropertyValue(target, configurationName, name, existing)) continue;
    QString value = attributeValue(element, "value");
    if (expand) value = system.expandMacros(target, value, commonConfiguration);
    system.setConfigurationProperty(target, name, configurationName, value);
  }
}

ProjectElement* readProperty(const ProjectContentContext& context, ProjectElement* parent, const XMLElement& element,
                             const QStringList& configurationNames) {
  setConfigurationProperties(context, parent, element, configurationNames);
  return nullptr;
}

ProjectElement* readSolutionProperty(const ProjectContentContext& context, ProjectElement*,
                                     const XMLElement& element, const QStringList& configurationNames) {
  setConfigurationProperties(context, context.solution, element, configurationNames);
  return nullptr;
}

// A property group sets a value through the groups of the file named by
// "property_groups_file_path". The project system reads no such file and so knows
// no group of any name: the element has no effect, as for an unknown group.
ProjectElement* readPropertyGroup(const ProjectContentContext&, ProjectElement*, const XMLElement&,
                                  const QStringList&) {
  return nullptr;
}

// Applies the configuration template of each substituted name; where there is none,
// a solution configuration inheriting the listed ones, or (with a configuration
// list) a new solution configuration of that name. Skipped without a name.
ProjectElement* readConfiguration(const ProjectContentContext& context, ProjectElement*, const XMLElement& element,
                                  const QStringList& configurationNames) {
  if (!hasAttribute(element, "name")) return nullptr;
  ProjectSystem& system = context.reader.system();
  const QStringList names = substitutedNames(attributeValue(element, "name"), configurationNames);
  const bool inherits = hasAttribute(element, "inherited_configurations");
  const QStringList inherited =
      substitutedNames(attributeValue(element, "inherited_configurations"), configurationNames);
  for (qsizetype pass = 0; pass < names.size(); ++pass) {
    if (context.templates && context.templates->applyConfigurationTemplate(context.project, names[pass])) continue;
    if (inherits) {
      ProjectElement* configuration = context.solution->configuration(names[pass]);
      if (!configuration) configuration = system.newConfiguration(context.solution, names[pass]);
      system.setElementProperty(configuration, inheritedConfigurationsProperty, inherited[pass]);
      for (const QString& name : inherited[pass].split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (context.templates) context.templates->applyConfigurationTemplate(context.project, name);
    } else if (!configurationNames.isEmpty()) {
      system.newConfiguration(context.solution, names[pass]);  // also when one of that name exists
    }
  }
  return nullptr;
}

ProjectElement* readImport(const ProjectContentContext& context, ProjectElement*, const XMLElement& element,
                           const QStringList&) {
  if (hasAttribute(element, "name"))
    context.reader.importSolution(context.solution, attributeValue(element, "name"));
  return nullptr;
}

struct ContentElement {
  const char* tag;
  ElementHandler handler;
};

constexpr ContentElement contentElements[] = {
    {"folder", readFolder},
    {"file", readFile},
    {"property", readProperty},
    {"solutionproperty", readSolutionProperty},
    {"propertygroup", readPropertyGroup},
    {"configuration", readConfiguration},
    {"import", readImport},
};

ElementHandler handlerOf(const std::string& tag) {
  for (const ContentElement& entry : contentElements)
    if (tag == entry.tag) return entry.handler;
  return nullptr;
}

}  // namespace

// Walks with an explicit stack of sibling chains, so deeply nested template content
// cannot exhaust the call stack. Child elements are read with an empty configuration list.
void readProjectContent(const ProjectContentContext& context, ProjectElement* parent, const XMLElement* first,
                        const QStringList& configurationNames) {
  struct Level {
    ProjectElement* parent;
    const XMLNode* next;
    QStringList configurationNames;
  };
  std::vector<Level> levels{{parent, first, configurationNames}};
  while (!levels.empty()) {
    const XMLNode* node = levels.back().next;
    if (!node || !levels.back().parent) {
      levels.pop_back();
      continue;
    }
    levels.back().next = node->nextSibling();
    if (node->nodeKind() != XMLNodeKind::Element) continue;
    const auto& element = static_cast<const XMLElement&>(*node);
    const ElementHandler handler = handlerOf(element.tagName());
    if (!handler) continue;
    ProjectElement* into = handler(context, levels.back().parent, element, levels.back().configurationNames);
    if (!into || !element.firstChild()) continue;
    if (levels.size() >= maximumContentDepth) {
      throw SolutionLoadError{context.project ? context.project->name() : QString(), SolutionLoadError::Plain,
                              QStringLiteral("project content nested deeper than %1 levels").arg(maximumContentDepth),
                              0, 0};
    }
    levels.push_back({into, element.firstChild(), {}});
  }
}
