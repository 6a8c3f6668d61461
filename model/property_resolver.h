#pragma once
// Property resolution: the effective value of a property for a node and a
// configuration, through the node's ancestors, inherited configurations, "Common"
// and the declaration's default.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class ModelNode;
class PropertyDeclaration;
class PropertySchema;

/// Finds property values in a solution tree by the rules of the property schema.
class PropertyResolver {
 public:
  /// The declarations the model addresses by role, looked up once; a role the
  /// schema does not declare gets a plain string declaration of that name.
  struct Roles {
    const PropertyDeclaration* folderFilter = nullptr;
    const PropertyDeclaration* projectType = nullptr;
    const PropertyDeclaration* macros = nullptr;
    const PropertyDeclaration* intermediateDirectory = nullptr;
    const PropertyDeclaration* rootOutputDirectory = nullptr;
    const PropertyDeclaration* outputDirectory = nullptr;
    const PropertyDeclaration* toolchainDirectory = nullptr;
  };

  explicit PropertyResolver(const PropertySchema& schema);
  PropertyResolver(const PropertyResolver&) = delete;
  PropertyResolver& operator=(const PropertyResolver&) = delete;
  ~PropertyResolver();

  const PropertySchema& schema() const { return schema_; }
  const Roles& roles() const { return roles_; }

  /// The value node's own configuration of that name holds; null when none.
  static const QString* configurationValue(const ModelNode* node, const QString& configurationName,
                                           const QString& propertyName);
  /// The effective value: node before its ancestors; on each, the named
  /// configuration, then the inherited ones, then "Common". "StringList" values
  /// accumulate, general first. The declaration's default when nothing is found.
  QString value(const ModelNode* node, const PropertyDeclaration* declaration, const QString& configurationName) const;
  /// The same with the declaration for node's kind of item (see declarationFor); a
  /// name without any declaration resolves as a plain string with an empty default.
  QString value(const ModelNode* node, const QString& propertyName, const QString& configurationName) const;
  /// The declaration of a name for node's kind of item (folder or dynamic folder;
  /// executable or library project), else the first one; null when undeclared.
  const PropertyDeclaration* declarationFor(const ModelNode* node, const QString& propertyName) const;
  /// The configurations that configurationName inherits, from the first solution
  /// enclosing node (outward) whose configuration of that name lists some.
  static QStringList inheritedConfigurations(const ModelNode* node, const QString& configurationName);

 private:
  const PropertyDeclaration* roleDeclaration(const QString& name, uint32_t itemKind);
  QString resolve(const ModelNode* node, const QString& name, bool accumulate, const QString& defaultValue,
                  const QString& configurationName) const;

  const PropertySchema& schema_;
  Roles roles_;
  // Stand-ins for role declarations missing from the schema, so lookups never see null.
  std::vector<std::unique_ptr<PropertyDeclaration>> undeclared_;
};
