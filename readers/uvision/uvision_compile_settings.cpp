#include "readers/uvision/uvision_compile_settings.h"

#include <QPair>

#include "foreign/foreign_files.h"
#include "readers/common/conversion_context.h"
#include "readers/common/gnu_target_options.h"
#include "readers/uvision/uvision_command_line.h"
#include "readers/uvision/uvision_model.h"

namespace {

/// A setting read that the solution cannot carry: its kind and value.
using Report = QPair<QString, QString>;

// "Optim" as each tool set's dialog lists it, as the GNU compiler's option. ARM
// Compiler 5 without a level ("<default>") optimises as -O2; ARM Compiler 6
// without one gets the compiler's own default, which is not written. The GNU
// tool set's codes other than 0 are not known and are kept as written.
const char* const armCompiler5Levels[] = {"-O2", "-O0", "-O1", "-O2", "-O3"};
const char* const armCompiler6Levels[] = {"", "-O0", "-O1", "-O2", "-O3", "-Ofast", "-Os", "-Oz"};
const char* const gnuLevels[] = {""};

// "v6Lang" and "v6LangP" of ARM Compiler 6. 0 is the compiler's default: gnu11
// for C (gnu17 in later releases, which only corrects it); the C++ default
// changed between releases and is not written.
const char* const cStandards[] = {"gnu11", "c90", "gnu90", "c99", "gnu99", "c11", "gnu11"};
const char* const cppStandards[] = {"",      "c++98", "gnu++98", "c++11", "gnu++11",
                                    "c++03", "c++14", "gnu++14", "c++17", "gnu++17"};

/// A check box of the compiler's dialog and what it means when ticked ("1").
struct CompilerFlag {
  const char* element;
  UVisionToolset toolset;
  /// The GNU compiler's option for it; null when it has none (reported).
  const char* gnuOption;
  const char* meaning;
};

const CompilerFlag compilerFlags[] = {
    {"v6Lto", UVisionToolset::ArmCompiler6, "-flto", nullptr},
    {"v6WtE", UVisionToolset::ArmCompiler6, "-Werror", nullptr},
    {"vShortEn", UVisionToolset::ArmCompiler6, "-fshort-enums", nullptr},
    {"vShortWch", UVisionToolset::ArmCompiler6, "-fshort-wchar", nullptr},
    {"EnumInt", UVisionToolset::ArmCompiler5, "-fno-short-enums", nullptr},
    {"PlainCh", UVisionToolset::ArmCompiler5, "-fsigned-char", nullptr},
    {"oTime", UVisionToolset::ArmCompiler5, nullptr, "optimize for time (-Otime)"},
    {"Ropi", UVisionToolset::ArmCompiler5, nullptr, "read-only position independence"},
    {"Ropi", UVisionToolset::ArmCompiler6, nullptr, "read-only position independence"},
    {"Rwpi", UVisionToolset::ArmCompiler5, nullptr, "read-write position independence"},
    {"Rwpi", UVisionToolset::ArmCompiler6, nullptr, "read-write position independence"},
    {"useXO", UVisionToolset::ArmCompiler5, nullptr, "execute-only code"},
    {"useXO", UVisionToolset::ArmCompiler6, nullptr, "execute-only code"},
    {"Strict", UVisionToolset::ArmCompiler5, nullptr, "strict ANSI C"},
};

// Options ARM Compiler 6 takes that the GNU compiler rejects.
bool onlyArmCompiler6Takes(const QString& option) {
  return option == QLatin1String("-Weverything") || option.startsWith(QLatin1String("--target="));
}

template <size_t size>
QString tableValue(const char* const (&table)[size], const QString& code, const char* element) {
  if (code.isEmpty()) return QString();
  bool ok = false;
  const uint index = code.toUInt(&ok);
  if (ok && index < size) return QLatin1String(table[index]);
  return QLatin1String(element) + QLatin1Char(' ') + code;
}

/// An option block read against its target's: a value an item leaves to
/// inherit ("2" for a check box, "0" for a list) is the target's.
class OptionBlock {
 public:
  OptionBlock(ForeignElement own, ForeignElement target, bool item) : own_(own), target_(target), item_(item) {}

  QString value(const char* element, const char* inherit = "2") const {
    const QString own = childText(own_, QLatin1String(element));
    if (!item_ || (!own.isEmpty() && own != QLatin1String(inherit))) return own;
    return childText(target_, QLatin1String(element));
  }
  /// A text of the block's own VariousControls.
  QString control(const char* element) const {
    return childText(childNamed(own_, QStringLiteral("VariousControls")), QLatin1String(element));
  }

 private:
  ForeignElement own_;
  ForeignElement target_;
  bool item_;
};

QString CodeGeneration::*const codeGenerationTexts[] = {&CodeGeneration::optimization, &CodeGeneration::debugLevel,
                                                        &CodeGeneration::cStandard, &CodeGeneration::cppStandard};

/// What the options of MiscControls set overrides what the dialog sets.
void applyOptions(CodeGeneration& code, const CodeGeneration& options) {
  for (const auto field : codeGenerationTexts)
    if (!(options.*field).isEmpty()) code.*field = options.*field;
}

/// What one compiler block says.
struct CompilerBlock {
  /// Its lists; additionalOptions holds those of MiscControls.
  ToolOptions tool;
  /// The GNU compiler's options for its ticked check boxes.
  QStringList flagOptions;
  /// What its dialog sets.
  CodeGeneration codeGeneration;
  /// What its MiscControls set of the target (-mcpu, -mfpu, -mfloat-abi, byte
  /// order) and of code generation, which overrides the dialog's.
  CompilerCommandLine options;
  QList<Report> reports;
};

QString optimization(UVisionToolset toolset, const QString& code) {
  switch (toolset) {
    case UVisionToolset::ArmCompiler5:
      return tableValue(armCompiler5Levels, code, "Optim");
    case UVisionToolset::ArmCompiler6:
      return tableValue(armCompiler6Levels, code, "Optim");
    case UVisionToolset::Gnu:
      break;
  }
  return tableValue(gnuLevels, code, "Optim");
}

// ARM Compiler 5 reads C90 unless "C99 mode" is ticked. In either mode it
// takes // comments, inline and further extensions, as GCC's GNU dialects do
// (its "GNU extensions" box adds more of them); only "Strict ANSI C" holds it
// to ISO C.
QString armCompiler5Standard(const OptionBlock& block, bool c99) {
  return QLatin1String(block.value("Strict") == QLatin1String("1") ? "c" : "gnu") + QLatin1String(c99 ? "99" : "90");
}

void readStandards(const OptionBlock& block, UVisionToolset toolset, CodeGeneration& code) {
  if (toolset == UVisionToolset::ArmCompiler6) {
    code.cStandard = tableValue(cStandards, block.value("v6Lang", "0"), "v6Lang");
    code.cppStandard = tableValue(cppStandards, block.value("v6LangP", "0"), "v6LangP");
  } else if (toolset == UVisionToolset::ArmCompiler5) {
    const QString c99 = block.value("uC99");
    if (!c99.isEmpty()) code.cStandard = armCompiler5Standard(block, c99 == QLatin1String("1"));
  }
}

// ARM Compiler 5's own mode options, which it takes in either case ("--C99"):
// they choose the dialect's year as "C99 mode" does.
bool takeArmCompiler5Mode(const OptionBlock& block, const QString& option, CodeGeneration& code) {
  for (const bool c99 : {false, true}) {
    if (option.compare(QLatin1String(c99 ? "--c99" : "--c90"), Qt::CaseInsensitive) == 0) {
      code.cStandard = armCompiler5Standard(block, c99);
      return true;
    }
  }
  return false;
}

// "wLevel": 2 is all warnings for every tool set; 3 is ARM Compiler 6's
// "AC5-like warnings", close to the compiler's default.
void readWarnings(const OptionBlock& block, UVisionToolset toolset, CompilerBlock& read) {
  const QString level = block.value("wLevel", "0");
  if (level.isEmpty() || level == QLatin1String("0")) return;
  if (level == QLatin1String("2")) {
    read.codeGeneration.allWarnings = true;
  } else if (level == QLatin1String("1")) {
    read.reports.append({QStringLiteral("warning level"), QStringLiteral("no warnings")});
  } else if (level == QLatin1String("4") && toolset == UVisionToolset::ArmCompiler6) {
    read.reports.append({QStringLiteral("warning level"), QStringLiteral("MISRA compatible")});
  } else if (level != QLatin1String("3") || toolset != UVisionToolset::ArmCompiler6) {
    read.reports.append({QStringLiteral("warning level"), QStringLiteral("wLevel ") + level});
  }
}

void readFlags(const OptionBlock& block, UVisionToolset toolset, CompilerBlock& read) {
  for (const CompilerFlag& flag : compilerFlags) {
    if (flag.toolset != toolset || block.value(flag.element) != QLatin1String("1")) continue;
    if (flag.gnuOption)
      read.flagOptions.append(QLatin1String(flag.gnuOption));
    else
      read.reports.append({QStringLiteral("compiler option"), QLatin1String(flag.meaning)});
  }
}

// The ARM compilers take -D, -U, -I, -O<level>, -g and -std as the GNU compiler
// does; ARM Compiler 5's other options are its own, ARM Compiler 6's mostly the
// GNU compiler's.
void readMiscControls(const UVisionTargetReading& reading, const OptionBlock& block, CompilerBlock& read) {
  CompilerCommandLine options = sortCompilerOptions(commandLineWords(block.control("MiscControls")));
  read.tool.definitions += options.tool.definitions;
  read.tool.undefinitions += options.tool.undefinitions;
  for (const QString& directory : options.tool.includeDirectories)
    read.tool.includeDirectories.append(reading.directoryPath(directory));
  for (const QString& option : options.tool.additionalOptions) {
    if (reading.toolset == UVisionToolset::ArmCompiler5 && takeArmCompiler5Mode(block, option, options.codeGeneration))
      continue;
    if (reading.toolset == UVisionToolset::ArmCompiler5 || onlyArmCompiler6Takes(option))
      read.reports.append({QStringLiteral("compiler option"), option});
    else
      read.tool.additionalOptions.append(option);
  }
  read.options = options;
}

CompilerBlock readCompiler(const UVisionTargetReading& reading, const OptionBlock& block) {
  CompilerBlock read;
  read.tool.definitions = definitionItems(block.control("Define"));
  read.tool.undefinitions = definitionItems(block.control("Undefine"));
  read.tool.includeDirectories =
      projectRelativePathList(reading.context.paths(), block.control("IncludePath"), reading.directory);
  read.codeGeneration.optimization = optimization(reading.toolset, block.value("Optim", "0"));
  readStandards(block, reading.toolset, read.codeGeneration);
  readWarnings(block, reading.toolset, read);
  readFlags(block, reading.toolset, read);
  readMiscControls(reading, block, read);
  return read;
}

// The assembler's lists are its own; its other options are the GNU assembler's
// for the GNU tool set and armasm's (or armclang's) otherwise.
ToolOptions readAssembler(const UVisionTargetReading& reading, const OptionBlock& block, QList<Report>& reports) {
  ToolOptions tool;
  tool.definitions = definitionItems(block.control("Define"));
  tool.undefinitions = definitionItems(block.control("Undefine"));
  tool.includeDirectories =
      projectRelativePathList(reading.context.paths(), block.control("IncludePath"), reading.directory);
  const QString options = block.control("MiscControls").trimmed();
  if (reading.toolset == UVisionToolset::Gnu)
    tool.additionalOptions = commandLineWords(options);
  else if (!options.isEmpty())
    reports.append({QStringLiteral("assembler option"), options});
  return tool;
}

const char* compilerElement(UVisionToolset toolset) { return toolset == UVisionToolset::Gnu ? "Carm" : "Cads"; }
const char* assemblerElement(UVisionToolset toolset) { return toolset == UVisionToolset::Gnu ? "Aarm" : "Aads"; }

void overrideDevice(const CompilerCommandLine& options, TargetDevice& device) {
  for (QString TargetDevice::*field :
       {&TargetDevice::core, &TargetDevice::fpu, &TargetDevice::floatAbi, &TargetDevice::byteOrder})
    if (!(options.device.*field).isEmpty()) device.*field = options.device.*field;
  if (options.device.secureCode) device.secureCode = options.device.secureCode;
}

}  // namespace

CompileSettings readTargetCompileSettings(const UVisionTargetReading& reading, const ForeignElement& toolOptions,
                                          TargetDevice& device) {
  const ForeignElement compiler = childNamed(toolOptions, QLatin1String(compilerElement(reading.toolset)));
  const ForeignElement assembler = childNamed(toolOptions, QLatin1String(assemblerElement(reading.toolset)));
  CompilerBlock read = readCompiler(reading, OptionBlock(compiler, ForeignElement(), false));
  read.tool.additionalOptions = read.flagOptions + read.tool.additionalOptions;
  applyOptions(read.codeGeneration, read.options.codeGeneration);
  QList<Report> reports = read.reports;
  CompileSettings settings{read.tool, readAssembler(reading, OptionBlock(assembler, ForeignElement(), false), reports),
                           read.codeGeneration};
  overrideDevice(read.options, device);
  for (const Report& report : reports) reading.report(report.first, report.second);
  return settings;
}

namespace {

// A value the item's dialog reads differently from its target's is its own,
// as is what its own options say; the others are its project's.
void ownCodeGeneration(const CompilerBlock& own, const CompilerBlock& inherited, CodeGeneration& item) {
  for (const auto field : codeGenerationTexts) {
    if (own.codeGeneration.*field != inherited.codeGeneration.*field) item.*field = own.codeGeneration.*field;
  }
  if (own.codeGeneration.allWarnings != inherited.codeGeneration.allWarnings)
    item.allWarnings = own.codeGeneration.allWarnings;
  applyOptions(item, own.options.codeGeneration);
}

void appendLists(ToolOptions& to, const ToolOptions& from) {
  to.definitions += from.definitions;
  to.undefinitions += from.undefinitions;
  to.includeDirectories += from.includeDirectories;
  to.additionalOptions += from.additionalOptions;
}

}  // namespace

std::optional<CompileSettings> readItemCompileSettings(const UVisionTargetReading& reading,
                                                       const ForeignElement& itemOptions,
                                                       const ForeignElement& toolOptions,
                                                       const CompileSettings& project, const QString& itemName) {
  const QLatin1String compilerName(compilerElement(reading.toolset));
  const QLatin1String assemblerName(assemblerElement(reading.toolset));
  const ForeignElement ownCompiler = childNamed(itemOptions, compilerName);
  const ForeignElement ownAssembler = childNamed(itemOptions, assemblerName);
  if (ownCompiler.isNull() && ownAssembler.isNull()) return std::nullopt;
  const ForeignElement targetCompiler = childNamed(toolOptions, compilerName);
  const CompilerBlock own = readCompiler(reading, OptionBlock(ownCompiler, targetCompiler, true));
  const CompilerBlock inherited = readCompiler(reading, OptionBlock(targetCompiler, ForeignElement(), false));
  QList<Report> reports = own.reports;
  CompileSettings item = project;
  // The check boxes' options are the item's own choice; its lists add to the project's.
  for (const QString& option : inherited.flagOptions) item.compiler.additionalOptions.removeOne(option);
  item.compiler.additionalOptions = own.flagOptions + item.compiler.additionalOptions;
  appendLists(item.compiler, own.tool);
  ownCodeGeneration(own, inherited, item.codeGeneration);
  for (const QString& option : targetOptions(own.options.device))
    reports.append({QStringLiteral("compiler option"), option});
  if (!ownAssembler.isNull()) {
    const ForeignElement targetAssembler = childNamed(toolOptions, assemblerName);
    appendLists(item.assembler, readAssembler(reading, OptionBlock(ownAssembler, targetAssembler, true), reports));
  }
  for (const Report& report : reports)
    if (!inherited.reports.contains(report))
      reading.report(report.first, report.second + QStringLiteral(" for ") + itemName);
  if (item == project) return std::nullopt;
  return item;
}
