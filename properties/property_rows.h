#pragma once
// The row form in which the five property sets are written as tables, and the
// one place where a row becomes a PropertyDeclaration.

#include <QtGlobal>
#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "properties/property_declaration.h"

/// Where a property is shown: its group (top-level page) and its category (section).
struct PropertyPlace {
  const char* group;
  const char* category;
};

/// A description, marked when the property's value is macro-expanded where it is used.
struct PropertyDescription {
  constexpr PropertyDescription(const char* description, bool expanded = false)  // NOLINT: rows pass plain text
      : text(description), macroExpanded(expanded) {}
  const char* text;
  bool macroExpanded;
};

/// A description to which the macro expansion sentence is appended.
constexpr PropertyDescription expanded(const char* text) { return PropertyDescription(text, true); }

/// The four declaration forms, plus the documentation of a built-in macro.
enum class DeclarationForm { Plain, Enumeration, Boolean, Integer, Macro };

/// One declaration of a set table; written with the helpers below.
struct PropertyRow {
  DeclarationForm form = DeclarationForm::Plain;
  const char* name = "";
  int32_t type = property_types::String;
  PropertyPlace place{"", ""};
  const char* displayName = "";
  PropertyDescription description{""};
  uint32_t itemKinds = AnyItem;
  const char* defaultText = "";  // Plain and Enumeration
  const char* choices = "";      // Enumeration: the choices in order, separated by ";"
  bool defaultTruth = false;     // Boolean
  qint64 defaultNumber = 0;      // Integer
  qint64 minimum = 0;            // Integer
  qint64 maximum = 0;            // Integer; for IntegerHex the number of hexadecimal digits of the default
};

/// Plain form: any type with its default as text.
constexpr PropertyRow plain(const char* name, int32_t type, PropertyPlace place, const char* displayName,
                            const char* defaultText, uint32_t itemKinds, PropertyDescription description) {
  PropertyRow row;
  row.name = name;
  row.type = type;
  row.place = place;
  row.displayName = displayName;
  row.defaultText = defaultText;
  row.itemKinds = itemKinds;
  row.description = description;
  return row;
}

/// Enumeration form: choices separated by ";", the default being one of them.
constexpr PropertyRow enumeration(const char* name, PropertyPlace place, const char* displayName,
                                  const char* defaultText, const char* choices, uint32_t itemKinds,
                                  PropertyDescription description) {
  PropertyRow row = plain(name, property_types::Enumeration, place, displayName, defaultText, itemKinds, description);
  row.form = DeclarationForm::Enumeration;
  row.choices = choices;
  return row;
}

/// Boolean form: the default is stored as "Yes" or "No".
constexpr PropertyRow boolean(const char* name, PropertyPlace place, const char* displayName, bool defaultTruth,
                              uint32_t itemKinds, PropertyDescription description) {
  PropertyRow row = plain(name, property_types::Boolean, place, displayName, "", itemKinds, description);
  row.form = DeclarationForm::Boolean;
  row.defaultTruth = defaultTruth;
  return row;
}

/// Integer form (Integer, IntegerHex or IntegerRange) with its two bounds.
constexpr PropertyRow integer(const char* name, int32_t type, qint64 minimum, qint64 maximum, PropertyPlace place,
                              const char* displayName, qint64 defaultNumber, uint32_t itemKinds,
                              PropertyDescription description) {
  PropertyRow row = plain(name, type, place, displayName, "", itemKinds, description);
  row.form = DeclarationForm::Integer;
  row.minimum = minimum;
  row.maximum = maximum;
  row.defaultNumber = defaultNumber;
  return row;
}

/// Macro entry: documents a built-in macro.
constexpr PropertyRow macro(const char* name, const char* description) {
  PropertyRow row;
  row.form = DeclarationForm::Macro;
  row.name = name;
  row.description = description;
  return row;
}

/// The PropertyDeclaration a row declares.
std::unique_ptr<PropertyDeclaration> makeDeclaration(const PropertyRow& row);

/// The set tables, one file each, in the order buildPropertySchema registers them.
std::span<const PropertyRow> itemPropertyRows();
std::span<const PropertyRow> buildPropertyRows();
std::span<const PropertyRow> gccPropertyRows();
std::span<const PropertyRow> toolchainPropertyRows();
/// The ARM target set: the instruction set, the variant's architecture, core and
/// FPU (cortexM: the Cortex-M variant), then the target rows.
std::array<std::span<const PropertyRow>, 3> armPropertyRows(bool cortexM);

/// The places and item-kind sets the set tables share.
namespace property_places {

inline constexpr PropertyPlace information{"Properties", "(Information)"};
inline constexpr PropertyPlace generalOptions{"General", "General Options"};
inline constexpr PropertyPlace buildOptions{"General", "Build Options"};
inline constexpr PropertyPlace fileOptions{"General", "File Options"};
inline constexpr PropertyPlace folderOptions{"General", "Folder Options"};
inline constexpr PropertyPlace libraryOptions{"General", "Library Options"};
inline constexpr PropertyPlace stagingOptions{"General", "Staging Options"};
inline constexpr PropertyPlace combiningOptions{"General", "Combining Options"};
inline constexpr PropertyPlace userBuildStepOptions{"General", "User Build Step Options"};
inline constexpr PropertyPlace externalBuildOptions{"General", "External Build Options"};
inline constexpr PropertyPlace preprocessorOptions{"C/C++", "Preprocessor Options"};
inline constexpr PropertyPlace compilerOptions{"C/C++", "Compiler Options"};
inline constexpr PropertyPlace codeGenerationOptions{"C/C++", "Code Generation Options"};
inline constexpr PropertyPlace assemblerOptions{"C/C++", "Assembler Options"};
inline constexpr PropertyPlace sectionOptions{"C/C++", "Section Options"};
inline constexpr PropertyPlace linkerOptions{"Linker", "Linker Options"};
inline constexpr PropertyPlace runtimeLibraryOptions{"Linker", "Runtime Library Options"};
inline constexpr PropertyPlace printfScanfOptions{"Linker", "Printf/Scanf Options"};
inline constexpr PropertyPlace runtimeMemoryAreaOptions{"Linker", "Runtime Memory Area Options"};
inline constexpr PropertyPlace vectorHandlerOptions{"Linker", "Vector Handler Options"};
inline constexpr PropertyPlace debuggerOptions{"Debugging", "Debugger Options"};
inline constexpr PropertyPlace loaderOptions{"Debugging", "Loader Options"};
inline constexpr PropertyPlace targetTraceOptions{"Debugging", "Target Trace Options"};

// Which items a property may be set on. A setting may be stored in a
// configuration of any item it is meant for; properties of the element itself
// (its name, its file path, a dynamic folder's directory) leave out ConfigurationItem.
inline constexpr uint32_t anyProject = ProjectItem | ExecutableProjectItem | LibraryProjectItem;
/// Settings of whole solutions and projects.
inline constexpr uint32_t projectSettings = SolutionItem | anyProject | ConfigurationItem;
/// Build settings that folders and single files may refine.
inline constexpr uint32_t buildSettings = projectSettings | FolderItem | DynamicFolderItem | FileItem;
/// Settings that only a linked program uses.
inline constexpr uint32_t executableSettings = SolutionItem | ExecutableProjectItem | ConfigurationItem;
/// Settings that only an archived library uses.
inline constexpr uint32_t librarySettings = SolutionItem | LibraryProjectItem | ConfigurationItem;
/// Settings of a single file.
inline constexpr uint32_t fileSettings = FileItem | ConfigurationItem;

}  // namespace property_places
