#include "model/macro_resolver.h"

#include "model/model_names.h"
#include "model/model_node.h"
#include "model/property_resolver.h"

using namespace model_names;

namespace {

const QChar separator = QLatin1Char('/');

// The directory of the solution at the top of node's tree: what a file outside any
// project is based on.
QString rootSolutionDirectory(const ModelNode& node) {
  const ModelNode* root = &node;
  while (root->parent()) root = root->parent();
  return root->kind() == ModelNode::Solution ? root->solutionDirectory() : QString();
}

}  // namespace

QString MacroResolver::solutionDirectory(const ModelNode& node) {
  const ModelNode* solution = node.owningSolution();
  return solution ? solution->solutionDirectory() : QString();
}

// A project's directory comes from its own "Common" only, expanded with the global
// macros; relative values are based on the owning solution's directory.
QString MacroResolver::projectDirectory(const ModelNode& project) const {
  const QString solution = solutionDirectory(project);
  const QString* value = PropertyResolver::configurationValue(&project, commonConfiguration, projectDirectoryProperty);
  if (!value || value->isEmpty()) return solution;
  const QString expanded = expandGlobal(*value);
  const bool joined = !expanded.startsWith(separator) && !solution.isEmpty();
  return Path(joined ? solution + separator + expanded : expanded).path();
}

NodeLocation MacroResolver::locationOf(const ModelNode& node, const QString& configurationName) const {
  NodeLocation resolved;
  if (node.kind() == ModelNode::Solution) {
    resolved.location = node.solutionFile();
    resolved.directory = node.solutionDirectory();
    return resolved;
  }
  if (node.kind() == ModelNode::Project) {
    resolved.directory = projectDirectory(node);
    return resolved;
  }
  const bool hasFileName =
      node.kind() == ModelNode::File || (node.kind() == ModelNode::Folder && node.hasProperty(fileNameProperty));
  if (!hasFileName) return resolved;
  const ModelNode* project = node.project();
  resolved.directory = project ? projectDirectory(*project) : rootSolutionDirectory(node);
  QString value = node.property(fileNameProperty);
  if (value.contains(QLatin1Char('$'))) value = expand(project, value, configurationName);
  resolved.expandedFileName = value;
  const bool relative = !value.startsWith(separator);
  resolved.location = Path(relative && !resolved.directory.isEmpty() ? resolved.directory + separator + value : value);
  return resolved;
}

QString MacroResolver::nameOf(const ModelNode& node) const {
  if (std::optional<QString> own = node.ownName()) return *own;
  return locationOf(node, commonConfiguration).location.fileName();
}

QString MacroResolver::expand(const ModelNode* node, const QString& text, const QString& configurationName) const {
  if (!text.contains(QLatin1Char('$'))) return text;
  return ::expand(text, macroTable(node, configurationName), globalMacros_);
}

// Entries are set in a fixed order; a later entry replaces an earlier one of the
// same name, and each expansion sees the entries set before it.
MacroTable MacroResolver::macroTable(const ModelNode* node, const QString& configurationName) const {
  MacroTable table =
      parseProjectMacros(properties_.value(node, properties_.roles().macros, configurationName), globalMacros_);
  if (node) addNodeMacros(table, *node, configurationName);
  table.insert(QStringLiteral("Configuration"), configurationName);
  // The converter's toolchain is GCC for ARM.
  table.insert(QStringLiteral("OBJ"), QStringLiteral(".o"));
  table.insert(QStringLiteral("EXE"), QStringLiteral(".elf"));
  table.insert(QStringLiteral("LIB"), QStringLiteral(".a"));
  table.insert(QStringLiteral("PackageExt"), QStringLiteral("hzq"));
  // Property-group macros would be entered here, from the file named by
  // "property_groups_file_path". The model has no reader for that format and so
  // knows no such file: nothing is added. Toolchain macros would follow; GCC for
  // ARM derives none.
  addDirectoryMacros(table, node, configurationName);
  return table;
}

void MacroResolver::addNodeMacros(MacroTable& table, const ModelNode& node, const QString& configurationName) const {
  table.insert(QStringLiteral("ProjectNodeName"), nameOf(node));
  const ModelNode* parent = node.parent();
  if (parent && parent->kind() == ModelNode::Folder) table.insert(QStringLiteral("FolderName"), nameOf(*parent));
  QStringList folders;
  for (const ModelNode* current = &node; current; current = current->parent())
    if (current->kind() == ModelNode::Folder) folders.prepend(nameOf(*current));
  table.insert(QStringLiteral("FolderPath"), folders.join(separator));
  if (const ModelNode* project = node.project()) {
    table.insert(QStringLiteral("ProjectDir"), projectDirectory(*project));
    table.insert(QStringLiteral("ProjectName"), nameOf(*project));
  }
  if (const ModelNode* solution = node.owningSolution()) {
    const Path& location = solution->solutionFile();
    table.insert(QStringLiteral("SolutionDir"), solution->solutionDirectory());
    table.insert(QStringLiteral("SolutionName"), location.baseName());
    table.insert(QStringLiteral("SolutionFileName"), location.fileName());
    table.insert(QStringLiteral("SolutionPath"), location.absoluteFilePath());
    table.insert(QStringLiteral("SolutionExt"), location.completeSuffix());
  }
  if (node.kind() == ModelNode::File || node.kind() == ModelNode::Folder)
    addInputMacros(table, node, configurationName);
}

void MacroResolver::addInputMacros(MacroTable& table, const ModelNode& node, const QString& configurationName) const {
  const NodeLocation resolved = locationOf(node, configurationName);
  const Path& location = resolved.location;
  table.insert(QStringLiteral("InputDir"), location.directory());
  table.insert(QStringLiteral("InputName"), location.completeBaseName());
  table.insert(QStringLiteral("InputFileName"), location.fileName());
  table.insert(QStringLiteral("InputExt"), location.suffix());
  table.insert(QStringLiteral("InputPath"), location.absoluteFilePath());
  table.insert(QStringLiteral("RelInputPath"), resolved.expandedFileName);
  table.insert(QStringLiteral("RelInputDir"), Path(resolved.expandedFileName).directory());
}

void MacroResolver::addDirectoryMacros(MacroTable& table, const ModelNode* node,
                                       const QString& configurationName) const {
  const PropertyResolver::Roles& roles = properties_.roles();
  const auto expanded = [&](const PropertyDeclaration* declaration) {
    return ::expand(properties_.value(node, declaration, configurationName), table, globalMacros_);
  };
  const QString dot = QStringLiteral(".");
  const QString intermediateDirectory = expanded(roles.intermediateDirectory);
  table.insert(QStringLiteral("IntDir"), intermediateDirectory.isEmpty() ? dot : intermediateDirectory);
  const QString rootOutputDirectory = expanded(roles.rootOutputDirectory);
  table.insert(QStringLiteral("RootOutDir"), rootOutputDirectory);
  QString outputDirectory = expanded(roles.outputDirectory);
  if (outputDirectory.isEmpty()) outputDirectory = dot;
  table.insert(QStringLiteral("OutDir"), outputDirectory);
  if (!rootOutputDirectory.isEmpty())
    if (const std::optional<QString> rootRelative = relativePath(outputDirectory, rootOutputDirectory))
      table.insert(QStringLiteral("RootRelativeOutDir"), *rootRelative);
  table.insert(QStringLiteral("ToolChainDir"), expanded(roles.toolchainDirectory));
}
