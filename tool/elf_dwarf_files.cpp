#include "tool/elf_dwarf_files.h"

namespace {

std::unique_ptr<ElfDwarfFiles>& installedFiles() {
  static std::unique_ptr<ElfDwarfFiles> files;
  return files;
}

}  // namespace

void ElfDwarfFiles::registerFactory(const QString& key, std::unique_ptr<ElfDwarfLoadFileFactory> factory) {
  factories_[key] = std::move(factory);
}

const ElfDwarfLoadFileFactory* ElfDwarfFiles::factory(const QString& key) const {
  const auto found = factories_.find(key);
  return found == factories_.end() ? nullptr : found->second.get();
}

ARMElfDwarfFiles::ARMElfDwarfFiles() {
  registerFactory(QStringLiteral("elf"),
                  std::make_unique<ElfDwarfLoadFileFactory>(QStringLiteral("*.elf *.exe *.axf"), QStringLiteral("Elf")));
}

const ElfDwarfFiles* elfDwarfFiles() { return installedFiles().get(); }

void setElfDwarfFiles(std::unique_ptr<ElfDwarfFiles> files) { installedFiles() = std::move(files); }
