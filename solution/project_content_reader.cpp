#include "solution/project_content_reader.h"

#include <algorithm>
#include <vector>

#include "model/model_names.h"
#include "model/solution_model.h"
#include "solution/dynamic_folder.h"
#include "solution/solution_load_error.h"
#include "solution/solution_reader.h"
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

bool equalsIgnoringCase(const QString& text, const char* word) { return text.toLower() == QLatin1String(word); }

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
void makeDynamicFolder(const ProjectContentContext& context, ModelNode* folder, const QString& path,
                       const QString& filter, bool recurse, const QString& exclude) {
  folder->setProperty(pathProperty, path);
  folder->setProperty(filterProperty, filter);
  folder->setProperty(recurseProperty, recurse ? QStringLiteral("Yes") : QStringLiteral("No"));
  folder->setProperty(excludeProperty, exclude);
  context.reader.removeContent(folder);
  populateDynamicFolder(context.reader.model(), folder, context.diagnostics, context.reader.dynamicFolderBudget);
}

// Each handler reads one element into parent and returns the element its child
// elements are read into, or null when they are skipped.
using ElementHandler = ModelNode* (*)(const ProjectContentContext& context, ModelNode* parent,
                                      const XMLElement& element, const QStringList& configurationNames);

ModelNode* readFolder(const ProjectContentContext& context, ModelNode* parent, const XMLElement& element,
                      const QStringList&) {
  SolutionModel& model = context.reader.model();
  const QString name = attributeValue(element, "name");
  const QString filter = attributeValue(element, "filter");
  if (ModelNode* existing = model.findFolder(parent, name)) {
    if (!PropertyResolver::configurationValue(existing, commonConfiguration, filterProperty))
      model.setConfigurationProperty(existing, filterProperty, commonConfiguration, filter);
    return existing;
  }
  if (!hasAttribute(element, "path")) return model.findOrAddFolder(parent, name, filter);
  // "choose" asks the user for the directory, which a converter cannot do.
  if (hasAttribute(element, "choose")) return nullptr;
  ModelNode* folder = model.findOrAddFolder(parent, name, QString());
  // Only the presence of "recurse" counts: recurse="No" still recurses.
  makeDynamicFolder(context, folder, attributeValue(element, "path"), filter, hasAttribute(element, "recurse"),
                    attributeValue(element, "exclude"));
  return folder;
}

// A file without a name would become a file element with an empty path: skipped.
ModelNode* readFile(const ProjectContentContext& context, ModelNode* parent, const XMLElement& element,
                    const QStringList&) {
  if (hasAttribute(element, "source") || !hasAttribute(element, "name")) return nullptr;
  QString name = attributeValue(element, "name");
  if (!equalsIgnoringCase(attributeValue(element, "expand"), "no"))
    name = context.reader.model().macros().expand(parent, name, commonConfiguration);
  for (ModelNode* child : parent->children())
    if (child->kind() == ModelNode::File && child->property(fileNameProperty) == name) return child;
  return context.reader.model().addFile(parent, name);
}

// "property" and "solutionproperty": set in each substituted configuration where
// the target's own configuration does not hold the property yet.
void setConfigurationProperties(const ProjectContentContext& context, ModelNode* target, const XMLElement& element,
                                const QStringList& configurationNames) {
  if (!hasAttribute(element, "name") || !hasAttribute(element, "value")) return;
  SolutionModel& model = context.reader.model();
  const QString name = attributeValue(element, "name");
  const bool expand = equalsIgnoringCase(attributeValue(element, "expand"), "yes");
  for (const QString& configuration : substitutedNames(attributeValue(element, "configuration"), configurationNames)) {
    const QString configurationName = configuration.isEmpty() ? commonConfiguration : configuration;
    if (PropertyResolver::configurationValue(target, configurationName, name)) continue;
    QString value = attributeValue(element, "value");
    if (expand) value = model.macros().expand(target, value, commonConfiguration);
    model.setConfigurationProperty(target, name, configurationName, value);
  }
}

ModelNode* readProperty(const ProjectContentContext& context, ModelNode* parent, const XMLElement& element,
                        const QStringList& configurationNames) {
  setConfigurationProperties(context, parent, element, configurationNames);
  return nullptr;
}

ModelNode* readSolutionProperty(const ProjectContentContext& context, ModelNode*, const XMLElement& element,
                                const QStringList& configurationNames) {
  setConfigurationProperties(context, context.solution, element, configurationNames);
  return nullptr;
}

// A property group sets a value through the groups of the file named by
// "property_groups_file_path". The model reads no such file and so knows
// no group of any name: the element has no effect, as for an unknown group.
ModelNode* readPropertyGroup(const ProjectContentContext&, ModelNode*, const XMLElement&, const QStringList&) {
  return nullptr;
}

// Applies the configuration template of each substituted name; where there is none,
// a solution configuration inheriting the listed ones, or (with a configuration
// list) a new solution configuration of that name. Skipped without a name.
ModelNode* readConfiguration(const ProjectContentContext& context, ModelNode*, const XMLElement& element,
                             const QStringList& configurationNames) {
  if (!hasAttribute(element, "name")) return nullptr;
  SolutionModel& model = context.reader.model();
  const QStringList names = substitutedNames(attributeValue(element, "name"), configurationNames);
  const bool inherits = hasAttribute(element, "inherited_configurations");
  const QStringList inherited =
      substitutedNames(attributeValue(element, "inherited_configurations"), configurationNames);
  for (qsizetype pass = 0; pass < names.size(); ++pass) {
    if (context.templates && context.templates->applyConfigurationTemplate(model, context.project, names[pass]))
      continue;
    if (inherits) {
      ModelNode* configuration = context.solution->configuration(names[pass]);
      if (!configuration) configuration = model.newConfiguration(context.solution, names[pass]);
      configuration->setProperty(inheritedConfigurationsProperty, inherited[pass]);
      for (const QString& name : inherited[pass].split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (context.templates) context.templates->applyConfigurationTemplate(model, context.project, name);
    } else if (!configurationNames.isEmpty()) {
      model.newConfiguration(context.solution, names[pass]);  // also when one of that name exists
    }
  }
  return nullptr;
}

ModelNode* readImport(const ProjectContentContext& context, ModelNode*, const XMLElement& element, const QStringList&) {
  if (hasAttribute(element, "name")) context.reader.importSolution(context.solution, attributeValue(element, "name"));
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
void readProjectContent(const ProjectContentContext& context, ModelNode* parent, const XMLElement* first,
                        const QStringList& configurationNames) {
  struct Level {
    ModelNode* parent;
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
    ModelNode* into = handler(context, levels.back().parent, element, levels.back().configurationNames);
    if (!into || !element.firstChild()) continue;
    if (levels.size() >= maximumContentDepth) {
      throw loadError(context.project ? context.reader.model().macros().nameOf(*context.project) : QString(),
                      QStringLiteral("project content nested deeper than %1 levels").arg(maximumContentDepth));
    }
    levels.push_back({into, element.firstChild(), {}});
  }
}
