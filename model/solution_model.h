#pragma once
// The solution model: the owner of the solution trees and of the property
// declarations, with the operations that build and change a tree (the importers,
// the solution reader, template expansion) and the resolution of properties and
// macros for its elements. Reading and writing solution files live beside it
// (solution_reader.h, solution_writer.h).

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "support/path.h"
#include "model/model_node.h"
#include "preprocessor/macro_expander.h"

class PropertyClass;
class PropertySchema;

/// One value found while resolving a property: the default value has an empty
/// configuration name and a null element.
struct PropertyTrace {
  QString value;
  QString configurationName;
  const ProjectElement* element = nullptr;
};

/// The project system: creates, owns and changes solution trees, and resolves
/// properties and macros for their elements. Its property schema is the
/// converter's one (buildPropertySchema), for GCC on ARM.
class ProjectSystem {
 public:
  /// globalMacros: what macro references fall back on (the start-up environment's).
  explicit ProjectSystem(const GlobalMacros& globalMacros);
  ProjectSystem(const ProjectSystem&) = delete;
  ProjectSystem& operator=(const ProjectSystem&) = delete;
  ~ProjectSystem();

  // ---- Solution model (project_system.cpp) ----

  /// Makes a solution file path directory/name.hzp and returns the new solution,
  /// which becomes solution(). The directory is created when the solution is saved.
  /// A previous root stays owned by the project system until deleteElement.
  ProjectElement* newSolution(const QString& name, const QString& directory);
  /// Adds a project with a "Common" configuration holding "project_directory"
  /// (relative to the solution directory when possible) and "project_type".
  ProjectElement* newProject(ProjectElement* solution, const QString& name, const QString& directory,
                             const QString& projectType);
  /// A new element of the given tag, bound to this project system (not linked anywhere).
  std::unique_ptr<ProjectElement> createElement(std::string tagName);

  /// The first child folder of parent with that name, or null.
  ProjectElement* findFolder(const ProjectElement* parent, const QString& name) const;
  /// An existing folder (its filter is kept) or a new one, with "filter" in its
  /// "Common" only when filter is not empty.
  ProjectElement* findOrAddFolder(ProjectElement* parent, const QString& name, const QString& filter);
  /// Adds a file to parent, or, when parent is not a folder, to the first child
  /// folder whose filter lists the file's lower-cased suffix. Null for a null parent.
  ProjectElement* addFile(ProjectElement* parent, const QString& filePath);
  /// Appends a new configuration child (no check for an existing one of that name).
  ProjectElement* newConfiguration(ProjectElement* element, const QString& name);
  void setConfigurationProperty(ProjectElement* element, const QString& propertyName,
                                const QString& configurationName, const QString& value);
  /// Removes the property; a configuration left with only its "Name" is taken out
  /// and destroyed at once (nothing can reach it any more). On a solution this
  /// rebuilds inheritedConfigurations. Removing a property that is not there
  /// changes nothing.
  void removeConfigurationProperty(ProjectElement* element, const QString& propertyName,
                                   const QString& configurationName);
  /// setProperty on element; nothing for a null element.
  void setElementProperty(ProjectElement* element, const QString& propertyName, const QString& value);

  /// The path from base to path ("../" steps, then path's remaining parts); false
  /// when their first components differ. "." gives the empty string; an empty
  /// path stands for the working directory.
  static bool makeRelativePath(const QString& base, const QString& path, QString& result);

  /// The root solution, or null.
  ProjectElement* solution() const { return solution_; }
  /// The absolute directory of the root solution's file; empty without one.
  QString solutionDirectory() const;
  /// The root solution's file path; empty without one.
  QString solutionFilePath() const;
  /// Takes ownership of a solution built elsewhere (the reader) and makes it the root.
  ProjectElement* adoptSolution(std::unique_ptr<ProjectElement> solution);
  /// Hands an owned root solution to the caller (null if it is not one of ours).
  std::unique_ptr<ProjectElement> releaseSolution(ProjectElement* solution);
  /// Destroys element and its subtree: an owned root is released and destroyed,
  /// a child is detached and destroyed. Nothing for null or for a root that the
  /// project system does not own.
  void deleteElement(ProjectElement* element);
  /// Rebuilds the index of projects by name and the root's inheritedConfigurations.
  void updateProjects();
  /// The first project of that name in tree order, as the tree stands now.
  ProjectElement* findProject(const QString& name) const;
  /// Elements call this when a change may add, remove, move or rename projects:
  /// the project index is then rebuilt when it is next used.
  void invalidateProjectIndex() { projectIndexStale_ = true; }

  /// The registered property declarations (properties/property_schema.h).
  const PropertySchema& schema() const { return *schema_; }

  // ---- Property resolution (property_resolution.cpp) ----

  /// Looks only at element's own configuration of that name; a found value is put
  /// in front of value, joined with ";". False when nothing was found.
  bool getConfigurationPropertyValue(const ProjectElement* element, const QString& configurationName,
                                     const QString& propertyName, QString& value,
                                     QList<PropertyTrace>* trace = nullptr) const;
  /// The effective value: element before its ancestors; on each, the named
  /// configuration, then the inherited ones, then "Common". "StringList" values
  /// accumulate, general first. The declaration's default when nothing is found.
  QString getPropertyValue(const ProjectElement* element, const PropertyClass* propertyClass,
                           const QString& configurationName, QList<PropertyTrace>* trace = nullptr) const;
  /// The same with the declaration for element's kind of item (see declarationFor);
  /// a name without any declaration resolves as a plain string with an empty default.
  QString getPropertyValue(const ProjectElement* element, const QString& propertyName,
                           const QString& configurationName, QList<PropertyTrace>* trace = nullptr) const;
  /// The declaration of a name for element's kind of item (folder or dynamic
  /// folder; executable or library project), else the first one; null when undeclared.
  const PropertyClass* declarationFor(const ProjectElement* element, const QString& propertyName) const;
  /// Rebuilds solution's inheritedConfigurations from its own configurations.
  void updateInheritedConfigurations(ProjectElement* solution);

  // ---- Macros (macro_table.cpp) ----

  const GlobalMacros& globalMacros() const { return globalMacros_; }
  /// text with its references to global macros expanded.
  QString expandGlobalMacros(const QString& text) const { return expandGlobal(text, globalMacros_); }
  /// text unchanged when it holds no "$", else expanded with buildMacroTable.
  QString expandMacros(const ProjectElement* project, const QString& text, const QString& configurationName) const;
  /// The macros of element (may be null) in configurationName: project macros,
  /// element, project, solution and input macros, then the build directories.
  MacroTable buildMacroTable(const ProjectElement* element, const QString& configurationName) const;

 private:
  // The declarations the model code addresses by role, looked up once.
  struct RoleDeclarations {
    const PropertyClass* folderFilter = nullptr;
    const PropertyClass* projectType = nullptr;
    const PropertyClass* macros = nullptr;
    const PropertyClass* intermediateDirectory = nullptr;
    const PropertyClass* rootOutputDirectory = nullptr;
    const PropertyClass* outputDirectory = nullptr;
    const PropertyClass* toolchainDirectory = nullptr;
  };
  const PropertyClass* roleDeclaration(const QString& name, uint32_t itemKind);
  const QString* findConfigurationValue(const ProjectElement* element, const QString& configurationName,
                                        const QString& propertyName, QList<PropertyTrace>* trace) const;
  QString resolve(const ProjectElement* element, const QString& name, bool accumulate,
                  const QString& defaultValue, const QString& configurationName,
                  QList<PropertyTrace>* trace) const;
  QStringList inheritedConfigurationsOf(const ProjectElement* element, const QString& configurationName) const;
  ProjectElement* folderForSuffix(const ProjectElement* parent, const QString& filePath) const;
  void rebuildProjectIndex() const;
  void ensureProjectIndex() const;
  void indexProject(ProjectElement* project) const;
  void indexProjects(const ProjectElement* container) const;
  void addElementMacros(MacroTable& table, const ProjectElement* element, const QString& configurationName) const;
  void addInputMacros(MacroTable& table, const ProjectElement* element, const QString& configurationName) const;
  void addDirectoryMacros(MacroTable& table, const ProjectElement* element, const QString& configurationName) const;

  GlobalMacros globalMacros_;
  // Held by pointer so that this header does not spread the schema's names.
  std::unique_ptr<PropertySchema> schema_;
  RoleDeclarations roles_;
  // Stand-ins for role declarations missing from the schema, so lookups never see null.
  std::vector<std::unique_ptr<PropertyClass>> undeclared_;
  std::vector<std::unique_ptr<ProjectElement>> ownedSolutions_;
  ProjectElement* solution_ = nullptr;
  // The project index: rebuilt on demand after changes elsewhere in the tree, kept
  // in step by newProject, whose project always comes last in tree order.
  mutable QHash<QString, ProjectElement*> projectsByName_;
  mutable QList<ProjectElement*> projects_;  // in tree order
  mutable bool projectIndexStale_ = false;
};
