// The macro table the project system builds for an element and a configuration,
// and the expansion of texts with it.

#include "model/model_names.h"
#include "model/solution_model.h"
#include "properties/property_class.h"

using namespace model_names;

QString ProjectSystem::expandMacros(const ProjectElement* project, const QString& text,
                                    const QString& configurationName) const {
  if (!text.contains(QLatin1Char('$'))) return text;
  return expand(text, buildMacroTable(project, configurationName), globalMacros_);
}

// Entries are set in a fixed order; a later entry replaces an earlier one of the
// same name, and each expansion sees the entries set before it.
MacroTable ProjectSystem::buildMacroTable(const ProjectElement* element, const QString& configurationName) const {
  MacroTable table = parseProjectMacros(getPropertyValue(element, roles_.macros, configurationName), globalMacros_);
  if (element) addElementMacros(table, element, configurationName);
  table.insert(QStringLiteral("Configuration"), configurationName);
  // The converter's toolchain is GCC for ARM.
  table.insert(QStringLiteral("OBJ"), QStringLiteral(".o"));
  table.insert(QStringLiteral("EXE"), QStringLiteral(".elf"));
  table.insert(QStringLiteral("LIB"), QStringLiteral(".a"));
  table.insert(QStringLiteral("PackageExt"), QStringLiteral("hzq"));
  // Property-group macros would be entered here, from the file named by
  // "property_groups_file_path". The project system has no reader for that
  // format and so knows no such file: nothing is added.
  // Toolchain macros would follow; GCC for ARM derives none.
  addDirectoryMacros(table, element, configurationName);
  return table;
}

void ProjectSystem::addElementMacros(MacroTable& table, const ProjectElement* element,
                                     const QString& configurationName) const {
  table.insert(QStringLiteral("ProjectNodeName"), element->name());
  const ProjectElement* parent = element->parentElement();
  if (parent && parent->kind() == ProjectElement::Folder) table.insert(QStringLiteral("FolderName"), parent->name());
  QStringList folders;
  for (const ProjectElement* current = element; current; current = current->parentElement())
    if (current->kind() == ProjectElement::Folder) folders.prepend(current->name());
  table.insert(QStringLiteral("FolderPath"), folders.join(QLatin1Char('/')));
  if (const ProjectElement* project = element->project()) {
    project->resolveLocation(commonConfiguration);
    table.insert(QStringLiteral("ProjectDir"), project->directory());
    table.insert(QStringLiteral("ProjectName"), project->name());
  }
  if (const ProjectElement* solution = element->owningSolution()) {
    solution->resolveLocation(configurationName);
    const Path& location = solution->location();
    table.insert(QStringLiteral("SolutionDir"), solution->directory());
    table.insert(QStringLiteral("SolutionName"), location.baseName());
    table.insert(QStringLiteral("SolutionFileName"), location.fileName());
    table.insert(QStringLiteral("SolutionPath"), location.absoluteFilePath());
    table.insert(QStringLiteral("SolutionExt"), location.completeSuffix());
  }
  if (element->kind() == ProjectElement::File || element->kind() == ProjectElement::Folder)
    addInputMacros(table, element, configurationName);
}

void ProjectSystem::addInputMacros(MacroTable& table, const ProjectElement* element,
                                   const QString& configurationName) const {
  element->resolveLocation(configurationName);
  const Path& location = element->location();
  table.insert(QStringLiteral("InputDir"), location.directory());
  table.insert(QStringLiteral("InputName"), location.completeBaseName());
  table.insert(QStringLiteral("InputFileName"), location.fileName());
  table.insert(QStringLiteral("InputExt"), location.suffix());
  table.insert(QStringLiteral("InputPath"), location.absoluteFilePath());
  table.insert(QStringLiteral("RelInputPath"), element->expandedFileName());
  table.insert(QStringLiteral("RelInputDir"), Path(element->expandedFileName()).directory());
}

void ProjectSystem::addDirectoryMacros(MacroTable& table, const ProjectElement* element,
                                       const QString& configurationName) const {
  const auto expanded = [&](const PropertyClass* declaration) {
    return expand(getPropertyValue(element, declaration, configurationName), table, globalMacros_);
  };
  const QString dot = QStringLiteral(".");
  const QString intermediateDirectory = expanded(roles_.intermediateDirectory);
  table.insert(QStringLiteral("IntDir"), intermediateDirectory.isEmpty() ? dot : intermediateDirectory);
  const QString rootOutputDirectory = expanded(roles_.rootOutputDirectory);
  table.insert(QStringLiteral("RootOutDir"), rootOutputDirectory);
  QString outputDirectory = expanded(roles_.outputDirectory);
  if (outputDirectory.isEmpty()) outputDirectory = dot;
  table.insert(QStringLiteral("OutDir"), outputDirectory);
  QString rootRelative;
  if (!rootOutputDirectory.isEmpty() && makeRelativePath(outputDirectory, rootOutputDirectory, rootRelative))
    table.insert(QStringLiteral("RootRelativeOutDir"), rootRelative);
  table.insert(QStringLiteral("ToolChainDir"), expanded(roles_.toolchainDirectory));
}
