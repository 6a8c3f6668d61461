#pragma once
// Where the nodes of a solution are and what their texts expand to: the location of
// a node (its file name resolved against its project's directory), the name a
// file or folder takes from it, and the macro table of a node in a configuration.

#include <QString>

#include "preprocessor/macro_expander.h"
#include "support/path.h"

class ModelNode;
class PropertyResolver;

/// A node's location as resolved in one configuration.
struct NodeLocation {
  /// The file, folder or solution file; empty for other nodes.
  Path location;
  /// The directory relative paths of the node and its files are based on.
  QString directory;
  /// "file_name" after macro expansion, before it is joined to directory.
  QString expandedFileName;
};

/// Resolves locations and macros of the nodes of a solution tree.
class MacroResolver {
 public:
  /// globalMacros: what macro references fall back on (the start-up environment's).
  MacroResolver(const PropertyResolver& properties, const GlobalMacros& globalMacros)
      : properties_(properties), globalMacros_(globalMacros) {}

  const GlobalMacros& globalMacros() const { return globalMacros_; }

  /// The location of node in configurationName. A file (or a folder with a
  /// "file_name") is its "file_name", expanded when it holds "$", based on its
  /// project's directory (the solution's outside a project); a project is its
  /// directory; a solution its file.
  NodeLocation locationOf(const ModelNode& node, const QString& configurationName) const;
  /// A project's directory: its "Common" "project_directory" expanded with the global
  /// macros, relative ones based on the solution's directory; the solution's without one.
  QString projectDirectory(const ModelNode& project) const;
  /// The directory of the solution enclosing node.
  static QString solutionDirectory(const ModelNode& node);
  /// node's own name, else its location's file name in "Common".
  QString nameOf(const ModelNode& node) const;

  /// text with its references to global macros expanded.
  QString expandGlobal(const QString& text) const { return ::expandGlobal(text, globalMacros_); }
  /// text unchanged when it holds no "$", else expanded with macroTable.
  QString expand(const ModelNode* node, const QString& text, const QString& configurationName) const;
  /// The macros of node (may be null) in configurationName: project macros,
  /// node, project, solution and input macros, then the build directories.
  MacroTable macroTable(const ModelNode* node, const QString& configurationName) const;

 private:
  void addNodeMacros(MacroTable& table, const ModelNode& node, const QString& configurationName) const;
  void addInputMacros(MacroTable& table, const ModelNode& node, const QString& configurationName) const;
  void addDirectoryMacros(MacroTable& table, const ModelNode* node, const QString& configurationName) const;

  const PropertyResolver& properties_;
  const GlobalMacros& globalMacros_;
};
