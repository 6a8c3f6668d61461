#pragma once
// The options of an IAR project's "settings" blocks that the conversion reads.
// Embedded Workbench names one setting differently across its versions and
// targets ("OGChipSelectEditMenu" or "GDeviceSelect", "IExtraOptions" or
// "CCExtraOptions"): each such name is read into one IarOptionId.

#include <QString>
#include <QStringList>
#include <array>

#include "foreign/foreign_document.h"

/// The kinds of "settings" block whose options are read.
enum class IarBlock { General, Compiler, Assembler, Linker, Archiver, Converter, BuildActions, Other };

/// The block a "settings" element of that name is: the compiler is ICCARM,
/// ICC430, ICCRISCV, ...; the assembler AARM, A430, IASMRISCV, ...
IarBlock iarBlockOf(const QString& settingsName);

/// Each setting read, whatever name the file gives it.
enum class IarOptionId {
  // General
  OutputBinary,
  ExecutablePath,
  ObjectPath,
  Device,
  CoreOrDevice,
  CoreDevice,
  CoreVariant,
  CoreSlave,
  FpuCoreSlave,
  OldCoreVariant,
  Fpu,
  OldFpu,
  FpuRegisters,
  Neon,
  EndianMode,
  BigEndianMode,
  DspExtension,
  TrustZone,
  TrustZoneMode,
  // Compiler
  Defines,
  IncludePaths,
  OptimizationLevel,
  OptimizationStrategy,
  OldLanguage,
  Language,
  CDialect,
  CppDialect,
  DiagnosticsSuppressed,
  DiagnosticsRemarks,
  DiagnosticsWarnings,
  DiagnosticsErrors,
  WarningsAreErrors,
  DebugInfo,
  ExtraOptionsUsed,
  ExtraOptions,
  PreInclude,
  NoLiteralPool,
  NoSizeConstraints,
  LanguageConformance,
  // Assembler
  AssemblerDefines,
  AssemblerIncludePaths,
  AssemblerExtraOptionsUsed,
  AssemblerExtraOptions,
  AssemblerPreInclude,
  // Linker
  OutputFile,
  IcfOverride,
  IcfFile,
  AdditionalLibraries,
  EntryLabelOverride,
  EntryLabel,
  LinkerExtraOptionsUsed,
  LinkerExtraOptions,
  KeepSymbols,
  LinkerSymbols,
  IcfSymbols,
  CmseImportLibrary,
  // Archiver
  ArchiveOverride,
  ArchiveOutput,
  // Converter (OBJCOPY)
  ConverterEnabled,
  ConverterOutput,
  Count
};

/// The options of one configuration (or of a file's or group's own settings) that were read.
class IarOptions {
 public:
  /// Whether the file writes the option at all.
  bool has(IarOptionId id) const { return value(id).present; }
  /// The first state, trimmed; empty when absent.
  QString text(IarOptionId id) const;
  /// One entry per state, or per line of a state as older files write them;
  /// trimmed, blank entries dropped.
  QStringList list(IarOptionId id) const;
  /// The option's own "version" (the version of its list of values); -1 when none is written.
  int version(IarOptionId id) const { return value(id).version; }

  /// Reads an "option" element of a block of kind block, when it is one that
  /// the conversion uses. Another name for an option already read adds its states.
  void read(IarBlock block, const ForeignElement& option);
  /// The options other holds replace these.
  void overlay(const IarOptions& other);
  /// Adds states to the option, as more entries of its list.
  void add(IarOptionId id, const QStringList& states);
  /// Makes states the option's states.
  void set(IarOptionId id, const QStringList& states);

 private:
  struct Value {
    bool present = false;
    int version = -1;
    QStringList states;
  };
  const Value& value(IarOptionId id) const { return values_[size_t(id)]; }

  std::array<Value, size_t(IarOptionId::Count)> values_;
};
