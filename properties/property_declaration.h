#pragma once
// The declaration of one property: what a solution, project, folder, file or
// configuration may carry, with its type, presentation, default and choices.

#include <QString>
#include <QStringList>
#include <cstdint>

/// Value type codes of a property declaration. The names stay in their own
/// namespace, so common words such as String and Command name nothing elsewhere.
namespace property_types {
enum PropertyType : int32_t {
  Boolean = 0,
  Integer = 1,
  IntegerHex = 2,
  IntegerRange = 3,
  String = 4,
  FileName = 5,
  ProjFileName = 6,
  StringList = 7,
  DirPath = 8,
  DirPathList = 9,
  Enumeration = 10,
  Color = 11,
  Font = 12,
  FixedPitchFont = 13,
  Custom = 14,
  JavaScript = 15,
  Command = 16,  // build and user commands; reported as "Unknown"
};
}  // namespace property_types
using property_types::PropertyType;

/// The name reported for a type code: "Boolean" .. "JavaScript", "Unknown" otherwise.
QString propertyTypeName(int32_t code);

/// Kinds of item a declaration is meant for (a bit set). It tells apart two
/// declarations of one name, such as a folder's "filter" and a dynamic folder's.
enum ItemKind : uint32_t {
  SolutionItem = 1u << 0,
  ProjectItem = 1u << 1,  // any project
  ExecutableProjectItem = 1u << 2,
  LibraryProjectItem = 1u << 3,
  FolderItem = 1u << 4,
  DynamicFolderItem = 1u << 5,
  FileItem = 1u << 6,
  ConfigurationItem = 1u << 7,
  AnyItem = 0xffu,
};

/// One property declaration (or, with isMacro, the documentation of a built-in macro).
class PropertyDeclaration {
 public:
  virtual ~PropertyDeclaration() = default;

  QString name;
  int32_t type = property_types::String;
  /// What documents the property, as the tables write it (UTF-8 with static
  /// storage): made into text only when asked for, which a conversion never does,
  /// so that start-up does not decode hundreds of descriptions.
  const char* group = "";
  const char* category = "";
  const char* displayName = "";
  const char* description = "";
  /// The description ends with the sentence saying that the value is macro-expanded.
  bool descriptionExpanded = false;
  QString defaultValue;
  /// An enumeration's choices in order, separated by ";" (UTF-8 with static
  /// storage, made into a list when asked for, as the documentation is).
  const char* choiceText = "";
  qint64 minimum = 0;  // integer types
  qint64 maximum = 0;  // integer types; for IntegerHex also the default's width
  uint32_t itemKinds = AnyItem;
  uint32_t flags = 0;
  bool isMacro = false;  // a macro entry, displayed as "$(" + name + ")"

  /// "$(" + name + ")" for a macro entry, else the display name.
  QString label() const;
  QString descriptionText() const;
  /// An enumeration's choices; empty for other types.
  QStringList choices() const;
  QString typeName() const { return propertyTypeName(type); }
};

/// A macro entry: documents a built-in macro by name and description.
class MacroDeclaration : public PropertyDeclaration {
 public:
  MacroDeclaration(const QString& macroName, const char* macroDescription, bool expanded = false);
};
