#pragma once
// The executable file types the IDE can load, by key. The converter registers
// them as the IDE does but never consults them.

#include <QString>
#include <map>
#include <memory>

/// Describes one loadable executable file type: its file name patterns and label.
class ElfDwarfLoadFileFactory {
 public:
  ElfDwarfLoadFileFactory(const QString& patterns, const QString& label) : patterns_(patterns), label_(label) {}

  /// Space-separated wildcard patterns, e.g. "*.elf *.axf".
  const QString& patterns() const { return patterns_; }
  const QString& label() const { return label_; }

 private:
  QString patterns_;
  QString label_;
};

/// A registry of executable file types.
class ElfDwarfFiles {
 public:
  virtual ~ElfDwarfFiles() = default;

  /// Registers factory under key, replacing an earlier one.
  void registerFactory(const QString& key, std::unique_ptr<ElfDwarfLoadFileFactory> factory);
  /// The factory registered under key, or null.
  const ElfDwarfLoadFileFactory* factory(const QString& key) const;

 private:
  std::map<QString, std::unique_ptr<ElfDwarfLoadFileFactory>> factories_;
};

/// The ARM product's file types: "elf" for "*.elf *.exe *.axf".
class ARMElfDwarfFiles : public ElfDwarfFiles {
 public:
  ARMElfDwarfFiles();
};

/// The process-wide file type list; null until start-up installs one.
const ElfDwarfFiles* elfDwarfFiles();
/// Makes files the process-wide list for the rest of the process.
void setElfDwarfFiles(std::unique_ptr<ElfDwarfFiles> files);
