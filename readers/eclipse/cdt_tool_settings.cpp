#include "readers/eclipse/cdt_tool_settings.h"

#include "readers/common/command_line_words.h"
#include "readers/common/gnu_target_options.h"
#include "readers/eclipse/cdt_option_table.h"
#include "readers/eclipse/cdt_options.h"

namespace {

/// What one compiling tool (or the options shared by all of them) is told.
struct ToolReading {
  ToolOptions options;
  CodeGeneration code;
};

/// What one linker is told; its scripts in order.
struct LinkerReading {
  LinkerOptions options;
  QStringList scripts;
};

/// The RISC-V target as its options compose -march and -mabi.
struct RiscvTarget {
  bool present = false;
  QString base;
  QString extensions;
  QString floatingPoint;
  QString integerAbi;
  QString floatAbi;
};

QString unquoted(const QString& value) {
  if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
    return value.mid(1, value.size() - 2);
  return value;
}

bool isTrue(const CdtOptionValue& option) { return option.value == QLatin1String("true"); }

void appendMissing(QStringList& list, const QStringList& entries) {
  for (const QString& entry : entries)
    if (!list.contains(entry)) list.append(entry);
}

// The words of "-mcpu=cortex-m4 -mfpu=... -mfloat-abi=... -mthumb" in other
// flags say what the target options say; the rest are options of the tool.
// -march names the architecture, which the solution derives from the core; the
// build compiles each file with -c itself.
bool takeTargetOption(const QString& option, TargetDevice& device, QString& armArchitecture) {
  if (option.startsWith(QLatin1String("-march="))) {
    armArchitecture = option.mid(7);
    return true;
  }
  return option == QLatin1String("-c") || takeTargetOption(option, device);
}

/// Reads options one by one into the tools they belong to.
class ToolSettingsReader {
 public:
  explicit ToolSettingsReader(const CdtReading& reading) : reading_(reading) {}

  void read(const CdtOptionValue& option) {
    const CdtOptionKind& kind = *option.kind;
    if (kind.tool == (reading_.cpp ? CdtTool::CLinker : CdtTool::CppLinker)) return;  // CDT never runs it
    if (kind.meaning == CdtMeaning::Implied)
      readImplied(option);
    else if (kind.tool == CdtTool::CLinker || kind.tool == CdtTool::CppLinker)
      readLinker(option);
    else if (isTarget(kind.meaning))
      readTarget(option);
    else
      readTool(option, tool(kind.tool));
  }

  // An option the table does not know, reported where it holds a value.
  void readOther(const CdtOtherOption& option) {
    const QString setting = option.reported();
    if (!setting.isEmpty()) notCarried(QStringLiteral("Eclipse option"), setting);
  }

  CdtToolSettings result() {
    CdtToolSettings settings;
    settings.device = device_;
    if (settings.device.floatAbi == QLatin1String("soft") && !settings.device.fpu.isEmpty())
      settings.device.fpu = QStringLiteral("none");  // soft-float code uses no FPU
    if (!armArchitecture_.isEmpty() && settings.device.core.isEmpty())
      notCarried(QStringLiteral("architecture"), armArchitecture_);
    reportRiscv(settings.device);
    settings.compile = compileSettings();
    settings.linker = linkerOptions();
    settings.notCarried = notCarried_;
    return settings;
  }

 private:
  static bool isTarget(CdtMeaning meaning) {
    switch (meaning) {
      case CdtMeaning::Device:
      case CdtMeaning::Core:
      case CdtMeaning::Architecture:
      case CdtMeaning::ArmArchitecture:
      case CdtMeaning::InstructionSet:
      case CdtMeaning::ByteOrder:
      case CdtMeaning::FloatAbi:
      case CdtMeaning::Fpu:
      case CdtMeaning::SecureCode:
      case CdtMeaning::RiscvBase:
      case CdtMeaning::RiscvExtension:
      case CdtMeaning::RiscvFloat:
      case CdtMeaning::RiscvIntegerAbi:
      case CdtMeaning::RiscvFloatAbi:
        return true;
      default:
        return false;
    }
  }

  ToolReading& tool(CdtTool tool) {
    switch (tool) {
      case CdtTool::CCompiler:
        return c_;
      case CdtTool::CppCompiler:
        return cpp_;
      case CdtTool::Assembler:
        return assembler_;
      default:
        return shared_;
    }
  }

  // An option that restates what the solution implies is reported only where
  // it holds another value than the one it restates.
  void readImplied(const CdtOptionValue& option) {
    const QString word = cdtValueWord(CdtMeaning::Implied, option.value);
    if (option.kind->text && !word.isEmpty() && word != QLatin1String(option.kind->text))
      notCarried(QStringLiteral("Eclipse option"), cdtOptionIdSuffix(option.id) + QLatin1Char('=') + word);
  }

  void readTarget(const CdtOptionValue& option) {
    const QString word = cdtValueWord(option.kind->meaning, option.value);
    switch (option.kind->meaning) {
      case CdtMeaning::Device:  // STM32CubeIDE and DAVE derive -mcpu from the device
        device_.name = option.value;
        device_.coreFromDevice = true;
        break;
      case CdtMeaning::Core:
        device_.core = word;
        break;
      case CdtMeaning::Architecture:
        if (word == QLatin1String("aarch64")) device_.otherArchitecture = QStringLiteral("AArch64");
        break;
      case CdtMeaning::ArmArchitecture:
        if (word != QLatin1String("none")) armArchitecture_ = word;
        break;
      case CdtMeaning::InstructionSet:
        if (word == QLatin1String("arm")) notCarried(QStringLiteral("instruction set"), word);
        break;
      case CdtMeaning::ByteOrder:
        device_.byteOrder = word;
        break;
      case CdtMeaning::FloatAbi:
        device_.floatAbi = word;
        break;
      case CdtMeaning::Fpu:
        device_.fpu = word;
        break;
      case CdtMeaning::SecureCode:
        device_.secureCode = isTrue(option);
        break;
      default:
        readRiscv(option, word);
    }
  }

  void readRiscv(const CdtOptionValue& option, const QString& word) {
    riscv_.present = true;
    switch (option.kind->meaning) {
      case CdtMeaning::RiscvBase:
        riscv_.base = word;
        break;
      case CdtMeaning::RiscvExtension:
        if (isTrue(option)) riscv_.extensions += QLatin1String(option.kind->text);
        break;
      case CdtMeaning::RiscvFloat:
        riscv_.floatingPoint = word;
        break;
      case CdtMeaning::RiscvIntegerAbi:
        riscv_.integerAbi = word;
        break;
      default:
        riscv_.floatAbi = word;
    }
  }

  // GNU MCU composes -march from the base and the extensions in the order
  // RISC-V names them (i, m, a, f, d, c, then vendor extensions), and -mabi from
  // the integer and floating-point ABIs.
  void reportRiscv(TargetDevice& device) {
    if (!riscv_.present) return;
    device.otherArchitecture = QStringLiteral("RISC-V");
    QString march = riscv_.base;
    for (const char* letter : {"m", "a"})
      if (riscv_.extensions.contains(QLatin1String(letter))) march += QLatin1String(letter);
    if (riscv_.floatingPoint == QLatin1String("single")) march += QLatin1Char('f');
    if (riscv_.floatingPoint == QLatin1String("double")) march += QStringLiteral("fd");
    if (riscv_.extensions.contains(QLatin1Char('c'))) march += QLatin1Char('c');
    if (riscv_.extensions.contains(QLatin1String("xw"))) march += QStringLiteral("xw");
    QString mabi = riscv_.integerAbi;
    if (riscv_.floatAbi == QLatin1String("single")) mabi += QLatin1Char('f');
    if (riscv_.floatAbi == QLatin1String("double")) mabi += QLatin1Char('d');
    if (!riscv_.base.isEmpty()) notCarried(QStringLiteral("RISC-V option"), QStringLiteral("-march=") + march);
    if (!mabi.isEmpty()) notCarried(QStringLiteral("RISC-V option"), QStringLiteral("-mabi=") + mabi);
  }

  void readTool(const CdtOptionValue& option, ToolReading& tool) {
    const CdtMeaning meaning = option.kind->meaning;
    const QString word = cdtValueWord(meaning, option.value);
    switch (meaning) {
      case CdtMeaning::Optimization:
        tool.code.optimization = word;
        break;
      case CdtMeaning::DebugLevel:
        tool.code.debugLevel = word;
        break;
      case CdtMeaning::CStandard:
        tool.code.cStandard = word;
        break;
      case CdtMeaning::CppStandard:
        tool.code.cppStandard = word;
        break;
      case CdtMeaning::AllWarnings:
        if (!option.value.isEmpty()) tool.code.allWarnings = isTrue(option);
        break;
      case CdtMeaning::Flag:
        if (isTrue(option)) tool.options.additionalOptions.append(QLatin1String(option.kind->text));
        break;
      case CdtMeaning::Reported:
        if (!word.isEmpty()) notCarried(QLatin1String(option.kind->text), word);
        break;
      default:
        readToolList(option, tool);
    }
  }

  void readToolList(const CdtOptionValue& option, ToolReading& tool) {
    switch (option.kind->meaning) {
      case CdtMeaning::OtherFlags:
        readOtherFlags(option, tool);
        break;
      case CdtMeaning::Definitions:
        tool.options.definitions += option.entries;
        break;
      case CdtMeaning::Undefinitions:
        tool.options.undefinitions += option.entries;
        break;
      case CdtMeaning::IncludeDirectories:
        tool.options.includeDirectories += paths(QStringLiteral("include directory"), option.entries);
        break;
      case CdtMeaning::IncludeFiles:
        for (const QString& file : paths(QStringLiteral("include file"), option.entries))
          tool.options.additionalOptions << QStringLiteral("-include") << file;
        break;
      default:  // SystemIncludeDirectories
        for (const QString& directory : paths(QStringLiteral("include directory"), option.entries))
          tool.options.additionalOptions << QStringLiteral("-isystem") << directory;
    }
  }

  void readOtherFlags(const CdtOptionValue& option, ToolReading& tool) {
    const bool compiler = option.kind->tool != CdtTool::Assembler;
    for (const QString& text : QStringList{option.value} + option.entries) {
      for (const QString& flag : commandLineWords(text))
        if (!compiler || !takeTargetOption(flag, device_, armArchitecture_))
          tool.options.additionalOptions.append(flag);
    }
  }

  void readLinker(const CdtOptionValue& option) {
    const QStringList entries = option.value.isEmpty() ? option.entries : QStringList{option.value} + option.entries;
    switch (option.kind->meaning) {
      case CdtMeaning::LinkerScripts:
        linker_.scripts += paths(QStringLiteral("linker script"), entries);
        break;
      case CdtMeaning::Libraries:
        for (const QString& library : option.entries)
          linker_.options.additionalOptions.append(QStringLiteral("-l") + unquoted(library));
        break;
      case CdtMeaning::LibraryDirectories:
        for (const QString& directory : paths(QStringLiteral("library directory"), option.entries))
          linker_.options.additionalOptions.append(QStringLiteral("-L") + directory);
        break;
      case CdtMeaning::ObjectFiles:
        linker_.options.additionalFiles += paths(QStringLiteral("object file"), option.entries);
        break;
      case CdtMeaning::LinkerFlags:
        for (const QString& flag : option.entries)
          linker_.options.additionalOptions << QStringLiteral("-Xlinker") << flag;
        break;
      case CdtMeaning::LinkerCommandLine:
        readLinkerCommandLine(entries);
        break;
      case CdtMeaning::LinkerFlag:
        if (isTrue(option)) linker_.options.additionalOptions.append(QLatin1String(option.kind->text));
        break;
      case CdtMeaning::NewlibVariant:
        readNewlibVariant(cdtValueWord(CdtMeaning::NewlibVariant, option.value));
        break;
      default:  // RuntimeLibrary
        if (isTrue(option)) notCarried(QStringLiteral("runtime library option"), QLatin1String(option.kind->text));
    }
  }

  // The standard C library is what the GNU tools link by default.
  void readNewlibVariant(const QString& word) {
    if (word == QLatin1String("nano"))
      notCarried(QStringLiteral("runtime library option"), QStringLiteral("--specs=nano.specs"));
    else if (!word.isEmpty() && word != QLatin1String("standard"))
      notCarried(QStringLiteral("runtime library"), word);
  }

  // "-T script" and "-Tscript" name a linker script; the rest are options.
  void readLinkerCommandLine(const QStringList& texts) {
    for (const QString& text : texts) {
      const QStringList flags = commandLineWords(text);
      for (qsizetype i = 0; i < flags.size(); ++i) {
        QString script;
        if (flags[i] == QLatin1String("-T") && i + 1 < flags.size())
          script = flags[++i];
        else if (flags[i].startsWith(QLatin1String("-T")))
          script = flags[i].mid(2);
        if (script.isEmpty())
          linker_.options.additionalOptions.append(flags[i]);
        else
          linker_.scripts += paths(QStringLiteral("linker script"), {script});
      }
    }
  }

  QStringList paths(const QString& kind, const QStringList& values) const {
    QStringList resolved;
    for (const QString& value : values)
      if (const std::optional<QString> path = reading_.path(kind, unquoted(value)); path && !path->isEmpty())
        resolved.append(*path);
    return resolved;
  }

  // A C++ project's C files are compiled with the C compiler's settings: its
  // lists join the C++ compiler's, and a code setting of its own that differs
  // is reported.
  CompileSettings compileSettings() {
    const ToolReading& language = reading_.cpp ? cpp_ : c_;
    CompileSettings settings;
    settings.compiler = language.options;
    settings.compiler.additionalOptions = shared_.options.additionalOptions + language.options.additionalOptions;
    if (reading_.cpp) {
      appendMissing(settings.compiler.definitions, c_.options.definitions);
      appendMissing(settings.compiler.undefinitions, c_.options.undefinitions);
      appendMissing(settings.compiler.includeDirectories, c_.options.includeDirectories);
      appendMissing(settings.compiler.additionalOptions, c_.options.additionalOptions);
    }
    for (QStringList* list :
         {&settings.compiler.definitions, &settings.compiler.undefinitions, &settings.compiler.includeDirectories})
      list->removeDuplicates();
    settings.assembler = assembler_.options;
    for (QStringList* list :
         {&settings.assembler.definitions, &settings.assembler.undefinitions, &settings.assembler.includeDirectories})
      list->removeDuplicates();
    settings.codeGeneration = codeGeneration(language.code);
    return settings;
  }

  CodeGeneration codeGeneration(const CodeGeneration& language) {
    CodeGeneration code;
    code.optimization = chosen(language.optimization, &CodeGeneration::optimization, "optimization");
    code.debugLevel = chosen(language.debugLevel, &CodeGeneration::debugLevel, "debug level");
    // The solution's debug level is that of every file it builds, assembly included.
    const QString& assembly = assembler_.code.debugLevel;
    if (!assembly.isEmpty() && assembly != code.debugLevel)
      notCarried(QStringLiteral("debug level of the assembler"), assembly);
    code.cStandard = c_.code.cStandard;
    code.cppStandard = reading_.cpp ? cpp_.code.cppStandard : QString();
    code.allWarnings = language.allWarnings ? language.allWarnings : shared_.code.allWarnings;
    if (reading_.cpp && !code.allWarnings) code.allWarnings = c_.code.allWarnings;
    return code;
  }

  QString chosen(const QString& language, QString CodeGeneration::*field, const char* kind) {
    const QString value = language.isEmpty() ? shared_.code.*field : language;
    if (!reading_.cpp) return value;
    const QString ofC = c_.code.*field;
    if (value.isEmpty()) return ofC;
    if (!ofC.isEmpty() && ofC != value) notCarried(QLatin1String(kind) + QStringLiteral(" of the C files"), ofC);
    return value;
  }

  LinkerOptions linkerOptions() const {
    LinkerOptions options = linker_.options;
    if (!linker_.scripts.isEmpty()) options.script = {LinkerScript::Kind::GnuLd, linker_.scripts.first()};
    for (qsizetype i = 1; i < linker_.scripts.size(); ++i)
      options.additionalOptions.append(QStringLiteral("-T") + linker_.scripts[i]);
    return options;
  }

  void notCarried(const QString& kind, const QString& value) {
    const NotCarried setting{kind, value, {}};
    if (!notCarried_.contains(setting)) notCarried_.append(setting);
  }

  const CdtReading& reading_;
  TargetDevice device_;
  QString armArchitecture_;
  RiscvTarget riscv_;
  ToolReading shared_;
  ToolReading c_;
  ToolReading cpp_;
  ToolReading assembler_;
  /// The project's linker: the C++ linker in a C++ project, else the C linker.
  LinkerReading linker_;
  QList<NotCarried> notCarried_;
};

}  // namespace

CdtToolSettings readCdtToolSettings(const CdtOptions& options, const CdtReading& reading) {
  ToolSettingsReader reader(reading);
  for (const CdtOptionValue& option : options.values()) reader.read(option);
  for (const CdtOtherOption& option : options.others()) reader.readOther(option);
  return reader.result();
}
