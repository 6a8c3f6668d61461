#include "readers/iar/iar_options.h"

#include <QRegularExpression>

#include "foreign/foreign_files.h"

namespace {

using Id = IarOptionId;

/// An option name as a block of a kind writes it, and the setting it holds.
struct OptionName {
  // The name's length is taken once: every option of every configuration is looked up here.
  constexpr OptionName(IarBlock optionBlock, const char* optionName, IarOptionId optionId)
      : block(optionBlock), name(optionName), id(optionId) {}

  IarBlock block;
  QLatin1StringView name;
  IarOptionId id;
};

const OptionName optionNames[] = {
    {IarBlock::General, "GOutputBinary", Id::OutputBinary},
    {IarBlock::General, "ExePath", Id::ExecutablePath},
    {IarBlock::General, "ObjPath", Id::ObjectPath},
    {IarBlock::General, "OGChipSelectEditMenu", Id::Device},
    {IarBlock::General, "GDeviceSelect", Id::Device},  // RISC-V
    {IarBlock::General, "OGCoreOrChip", Id::CoreOrDevice},
    {IarBlock::General, "GCoreDevice", Id::CoreDevice},  // RISC-V
    {IarBlock::General, "CoreVariant", Id::CoreVariant},
    {IarBlock::General, "GBECoreSlave", Id::CoreSlave},
    {IarBlock::General, "GFPUCoreSlave2", Id::FpuCoreSlave},
    {IarBlock::General, "Variant", Id::OldCoreVariant},
    {IarBlock::General, "FPU2", Id::Fpu},
    {IarBlock::General, "FPU", Id::OldFpu},
    {IarBlock::General, "NrRegs", Id::FpuRegisters},
    {IarBlock::General, "NEON", Id::Neon},
    {IarBlock::General, "GEndianMode", Id::EndianMode},
    {IarBlock::General, "GEndianModeBE", Id::BigEndianMode},
    {IarBlock::General, "DSPExtension", Id::DspExtension},
    {IarBlock::General, "TrustZone", Id::TrustZone},
    {IarBlock::General, "TrustZoneModes", Id::TrustZoneMode},
    {IarBlock::Compiler, "CCDefines", Id::Defines},
    {IarBlock::Compiler, "CCIncludePath2", Id::IncludePaths},
    // The MSP430, AVR and 8051 compilers keep their include paths under this name.
    {IarBlock::Compiler, "newCCIncludePaths", Id::IncludePaths},
    {IarBlock::Compiler, "CCOptLevel", Id::OptimizationLevel},
    {IarBlock::Compiler, "CCOptStrategy", Id::OptimizationStrategy},
    {IarBlock::Compiler, "CCLangSelect", Id::OldLanguage},
    {IarBlock::Compiler, "IccLang", Id::Language},
    {IarBlock::Compiler, "IccCDialect", Id::CDialect},
    {IarBlock::Compiler, "IccCppDialect", Id::CppDialect},
    {IarBlock::Compiler, "CCDiagSuppress", Id::DiagnosticsSuppressed},
    {IarBlock::Compiler, "CCDiagRemark", Id::DiagnosticsRemarks},
    {IarBlock::Compiler, "CCDiagWarning", Id::DiagnosticsWarnings},
    {IarBlock::Compiler, "CCDiagError", Id::DiagnosticsErrors},
    {IarBlock::Compiler, "CCDiagWarnAreErr", Id::WarningsAreErrors},
    {IarBlock::Compiler, "CCDebugInfo", Id::DebugInfo},
    {IarBlock::Compiler, "IExtraOptionsCheck", Id::ExtraOptionsUsed},
    {IarBlock::Compiler, "IExtraOptions", Id::ExtraOptions},
    {IarBlock::Compiler, "CCExtraOptionsCheck", Id::ExtraOptionsUsed},  // RISC-V
    {IarBlock::Compiler, "CCExtraOptions", Id::ExtraOptions},
    {IarBlock::Compiler, "PreInclude", Id::PreInclude},
    {IarBlock::Compiler, "CCNoLiteralPool", Id::NoLiteralPool},
    {IarBlock::Compiler, "CCOptimizationNoSizeConstraints", Id::NoSizeConstraints},
    {IarBlock::Compiler, "CCLangConformance", Id::LanguageConformance},
    {IarBlock::Assembler, "ADefines", Id::AssemblerDefines},
    {IarBlock::Assembler, "AsmDefines", Id::AssemblerDefines},  // RISC-V
    {IarBlock::Assembler, "AUserIncludes", Id::AssemblerIncludePaths},
    {IarBlock::Assembler, "AsmIncludePath", Id::AssemblerIncludePaths},
    {IarBlock::Assembler, "AExtraOptionsCheckV2", Id::AssemblerExtraOptionsUsed},
    {IarBlock::Assembler, "AExtraOptionsV2", Id::AssemblerExtraOptions},
    {IarBlock::Assembler, "AExtraOptionsCheck", Id::AssemblerExtraOptionsUsed},  // before version 2
    {IarBlock::Assembler, "AExtraOptions", Id::AssemblerExtraOptions},
    {IarBlock::Assembler, "AsmUseExtraOptions", Id::AssemblerExtraOptionsUsed},
    {IarBlock::Assembler, "AsmExtraOptions", Id::AssemblerExtraOptions},
    {IarBlock::Assembler, "PreInclude", Id::AssemblerPreInclude},
    {IarBlock::Linker, "IlinkOutputFile", Id::OutputFile},
    {IarBlock::Linker, "IlinkIcfOverride", Id::IcfOverride},
    {IarBlock::Linker, "IlinkIcfFile", Id::IcfFile},
    {IarBlock::Linker, "IlinkAdditionalLibs", Id::AdditionalLibraries},
    {IarBlock::Linker, "IlinkOverrideProgramEntryLabel", Id::EntryLabelOverride},
    {IarBlock::Linker, "IlinkProgramEntryLabel", Id::EntryLabel},
    {IarBlock::Linker, "IlinkUseExtraOptions", Id::LinkerExtraOptionsUsed},
    {IarBlock::Linker, "IlinkExtraOptions", Id::LinkerExtraOptions},
    {IarBlock::Linker, "IlinkKeepSymbols", Id::KeepSymbols},
    {IarBlock::Linker, "IlinkDefines", Id::LinkerSymbols},
    {IarBlock::Linker, "IlinkConfigDefines", Id::IcfSymbols},
    {IarBlock::Linker, "IlinkTrustzoneImportLibraryOut", Id::CmseImportLibrary},
    {IarBlock::Archiver, "IarchiveOverride", Id::ArchiveOverride},
    {IarBlock::Archiver, "IarchiveOutput", Id::ArchiveOutput},
    {IarBlock::Converter, "OOCObjCopyEnable", Id::ConverterEnabled},
    {IarBlock::Converter, "OOCOutputFile", Id::ConverterOutput},
};

const QString nameTag = QStringLiteral("name");
const QString stateTag = QStringLiteral("state");

}  // namespace

IarBlock iarBlockOf(const QString& settingsName) {
  if (settingsName == QLatin1String("General")) return IarBlock::General;
  if (settingsName.startsWith(QLatin1String("ICC"))) return IarBlock::Compiler;
  if (settingsName.startsWith(QLatin1String("IASM")) || settingsName.startsWith(QLatin1Char('A')))
    return IarBlock::Assembler;
  if (settingsName == QLatin1String("ILINK")) return IarBlock::Linker;
  if (settingsName == QLatin1String("IARCHIVE")) return IarBlock::Archiver;
  if (settingsName == QLatin1String("OBJCOPY")) return IarBlock::Converter;
  if (settingsName == QLatin1String("BUILDACTION")) return IarBlock::BuildActions;
  return IarBlock::Other;
}

QString IarOptions::text(IarOptionId id) const {
  const Value& option = value(id);
  return option.states.isEmpty() ? QString() : option.states.first().trimmed();
}

QStringList IarOptions::list(IarOptionId id) const {
  static const QRegularExpression lineBreak(QStringLiteral("[\r\n]"));
  QStringList entries;
  for (const QString& state : value(id).states) {
    for (const QString& line : state.split(lineBreak)) {
      const QString entry = line.trimmed();
      if (!entry.isEmpty()) entries.append(entry);
    }
  }
  return entries;
}

void IarOptions::read(IarBlock block, const ForeignElement& option) {
  const QString name = childText(option, nameTag);
  for (const OptionName& row : optionNames) {
    if (row.block != block || name != row.name) continue;
    Value& target = values_[size_t(row.id)];
    target.present = true;
    bool valid = false;
    const int version = childText(option, QStringLiteral("version")).trimmed().toInt(&valid);
    if (valid) target.version = version;
    for (const ForeignElement& state : childrenNamed(option, stateTag)) target.states.append(state.firstChildText());
    return;
  }
}

void IarOptions::overlay(const IarOptions& other) {
  for (size_t i = 0; i < values_.size(); ++i)
    if (other.values_[i].present) values_[i] = other.values_[i];
}

void IarOptions::add(IarOptionId id, const QStringList& states) {
  if (states.isEmpty()) return;
  Value& target = values_[size_t(id)];
  target.present = true;
  target.states += states;
}

void IarOptions::set(IarOptionId id, const QStringList& states) {
  Value& target = values_[size_t(id)];
  target.present = true;
  target.states = states;
}
