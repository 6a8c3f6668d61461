#include "mapping/setting_properties.h"

#include <QStringList>
#include <tuple>

#include "mapping/mapping_options.h"
#include "readers/common/device_table.h"

namespace {

/// A source value (as the GNU tools name it) and the property choice it becomes.
struct Choice {
  const char* value;
  const char* choice;
};

/// The Cortex-M cores the schema knows, with the architecture each implements.
struct CoreRow {
  const char* core;
  const char* coreType;
  const char* architecture;
  bool smallMultiplier;
};

const CoreRow cores[] = {
    {"cortex-m0", "Cortex-M0", "v6M", false},
    {"cortex-m0.small-multiply", "Cortex-M0", "v6M", true},
    {"cortex-m0plus", "Cortex-M0+", "v6M", false},
    {"cortex-m0plus.small-multiply", "Cortex-M0+", "v6M", true},
    {"cortex-m1", "Cortex-M1", "v6M", false},
    {"cortex-m3", "Cortex-M3", "v7M", false},
    {"cortex-m4", "Cortex-M4", "v7EM", false},
    {"cortex-m7", "Cortex-M7", "v7EM", false},
    {"cortex-m23", "Cortex-M23", "v8M_Baseline", false},
    {"cortex-m33", "Cortex-M33", "v8M_Mainline", false},
};

const Choice fpus[] = {
    {"fpv4-sp-d16", "FPv4-SP-D16"}, {"fpv5-sp-d16", "FPv5-SP-D16"}, {"fpv5-d16", "FPv5-D16"}, {"none", "None"}};

const Choice floatAbis[] = {{"soft", "Soft"}, {"softfp", "SoftFP"}, {"hard", "Hard"}};

// Cortex-M processors are big-endian only in the byte-invariant form (BE-8).
const Choice byteOrders[] = {{"little", "Little"}, {"big", "BE-8"}};

/// An optimisation level and the schema's level for it; a level the schema has
/// no name for is its nearest with the option that makes up the difference.
struct Optimization {
  const char* value;
  const char* level;
  const char* option;
};

// -Oz (smallest code) is an option of GCC from version 12 and of clang;
// -Ofast is -O3 with -ffast-math.
const Optimization optimizations[] = {{"-O0", "None", nullptr},
                                      {"-Og", "Debug", nullptr},
                                      {"-O1", "Level 1", nullptr},
                                      {"-O", "Level 1", nullptr},
                                      {"-O2", "Level 2", nullptr},
                                      {"-O3", "Level 3", nullptr},
                                      {"-Os", "Optimize For Size", nullptr},
                                      {"-Oz", "Optimize For Size", "-Oz"},
                                      {"-Ofast", "Level 3", "-ffast-math"}};

const Optimization* findOptimization(const QString& value) {
  for (const Optimization& row : optimizations)
    if (value == QLatin1String(row.value)) return &row;
  return nullptr;
}

const Choice debugLevels[] = {
    {"-g0", "None"}, {"-g1", "Level 1"}, {"-g", "Level 2"}, {"-g2", "Level 2"}, {"-g3", "Level 3"}};

// C17 (C18) only corrects C11; "c9x" and "c1x" are the draft names of C99 and C11.
const Choice cStandards[] = {{"c89", "c89"},          {"c90", "c90"},     {"iso9899:1990", "c90"},
                             {"c99", "c99"},          {"c9x", "c99"},     {"iso9899:1999", "c99"},
                             {"c11", "c11"},          {"c1x", "c11"},     {"iso9899:2011", "c11"},
                             {"c17", "c11"},          {"c18", "c11"},     {"iso9899:2017", "c11"},
                             {"iso9899:2018", "c11"}, {"gnu89", "gnu89"}, {"gnu90", "gnu90"},
                             {"gnu99", "gnu99"},      {"gnu9x", "gnu99"}, {"gnu11", "gnu11"},
                             {"gnu1x", "gnu11"},      {"gnu17", "gnu11"}, {"gnu18", "gnu11"}};

// C++03 only corrects C++98, and "c++0x" is the draft name of C++11.
const Choice cppStandards[] = {{"c++98", "c++98"},     {"c++03", "c++98"},     {"gnu++98", "gnu++98"},
                               {"gnu++03", "gnu++98"}, {"c++11", "c++11"},     {"c++0x", "c++11"},
                               {"gnu++11", "gnu++11"}, {"gnu++0x", "gnu++11"}, {"c++14", "c++14"},
                               {"gnu++14", "gnu++14"}, {"c++1y", "c++1y"},     {"gnu++1y", "gnu++1y"}};

/// Collects the values and what cannot be carried.
class PropertyWriter {
 public:
  explicit PropertyWriter(ConfigurationProperties& result, const QString& configuration)
      : result_(result), configuration_(configuration) {}

  void value(QAnyStringView property, const QString& value) {
    if (!value.isEmpty()) result_.values.append({property.toString(), value});
  }
  // One value is shared rather than joined into a copy: it may be as long as its file.
  void list(const char* property, const QStringList& values) {
    value(property, values.size() == 1 ? values.front() : values.join(QLatin1Char(';')));
  }
  void flag(const char* property, const std::optional<bool>& value) {
    if (value) this->value(property, *value ? QStringLiteral("Yes") : QStringLiteral("No"));
  }
  template <size_t size>
  void choice(const char* property, const char* kind, const QString& value, const Choice (&choices)[size]) {
    if (value.isEmpty()) return;
    for (const Choice& row : choices) {
      if (value == QLatin1String(row.value)) {
        this->value(property, QLatin1String(row.choice));
        return;
      }
    }
    notCarried(kind, value, QLatin1String(property) + QStringLiteral(" has no choice for it"));
  }
  void notCarried(const QString& kind, const QString& value, const QString& reason) {
    result_.notCarried.append(
        {kind, value, configuration_.isEmpty() ? QStringList() : QStringList{configuration_}, {}, reason});
  }

 private:
  ConfigurationProperties& result_;
  QString configuration_;
};

const CoreRow* findCore(const QString& core) {
  for (const CoreRow& row : cores)
    if (core == QLatin1String(row.core)) return &row;
  return nullptr;
}

QString hexValue(quint64 value) {
  return QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(8, QLatin1Char('0'));
}

// The memory-map macros of the first two ROM and RAM regions (FLASH_START,
// FLASH_SIZE, FLASH2_START, ..., RAM_START, ..., RAM2_SIZE): what a memory map
// or placement file of the solution refers to.
void writeMemory(PropertyWriter& writer, const QList<MemoryRegion>& memory) {
  QStringList macros;
  int roms = 0;
  int rams = 0;
  for (const MemoryRegion& region : memory) {
    const bool rom = region.kind == MemoryRegion::Kind::Rom;
    int& count = rom ? roms : rams;
    if (++count > 2) {
      writer.notCarried(
          QStringLiteral("memory region"),
          region.name + QLatin1Char(' ') + hexValue(region.start) + QStringLiteral(" size ") + hexValue(region.size),
          QStringLiteral("the memory map macros name two ROM and two RAM regions"));
      continue;
    }
    const QString prefix = QLatin1String(rom ? "FLASH" : "RAM") + (count == 2 ? QStringLiteral("2") : QString());
    macros << prefix + QStringLiteral("_START=") + hexValue(region.start)
           << prefix + QStringLiteral("_SIZE=") + hexValue(region.size);
  }
  writer.list("linker_memory_map_macros", macros);
}

// An ARM target that the schema's Cortex-M vocabulary can hold, as the IDE
// builds it for its device.
void writeDevice(PropertyWriter& writer, const TargetDevice& source, bool linked) {
  writer.value("Target", source.name);
  if (!source.otherArchitecture.isEmpty()) return;  // the mapper reports it, once per project
  QList<NotCarried> replaced;
  const TargetDevice device = deviceAsBuilt(source, replaced);
  for (const NotCarried& setting : replaced) writer.notCarried(setting.kind, setting.value, setting.reason);
  const CoreRow* core = findCore(device.core);
  if (!core && !device.core.isEmpty()) {
    // The floating-point and byte-order choices are those of Cortex-M cores: for
    // another core they would say something else, so they go with its report.
    QStringList facts{device.core};
    if (!device.fpu.isEmpty()) facts.append(QStringLiteral("FPU ") + device.fpu);
    if (!device.floatAbi.isEmpty()) facts.append(QStringLiteral("float ABI ") + device.floatAbi);
    if (!device.byteOrder.isEmpty()) facts.append(QStringLiteral("byte order ") + device.byteOrder);
    writer.notCarried(QStringLiteral("core"), facts.join(QStringLiteral(", ")),
                      QStringLiteral("arm_core_type has no choice for it"));
    if (linked) writeMemory(writer, device.memory);
    return;
  }
  if (core) {
    writer.value("arm_core_type", QLatin1String(core->coreType));
    writer.value("arm_architecture", QLatin1String(core->architecture));
    if (core->smallMultiplier) writer.value("arm_cm0_has_small_multiplier", QStringLiteral("Yes"));
  }
  writer.choice("arm_fpu_type", "FPU", device.fpu, fpus);
  writer.choice("arm_fp_abi", "floating-point ABI", device.floatAbi, floatAbis);
  writer.choice("arm_endian", "byte order", device.byteOrder, byteOrders);
  const bool armv8m = core && QLatin1String(core->architecture).startsWith(QLatin1String("v8M"));
  if (core && QLatin1String(core->architecture) == QLatin1String("v8M_Mainline"))
    writer.flag("arm_v8M_has_dsp", device.dsp);
  if (armv8m) writer.flag("arm_v8M_has_cmse", device.secureCode);
  if (linked) writeMemory(writer, device.memory);
}

// The assembler has no lists of its own in the solution: its definitions and
// include directories are options of its command line.
QStringList assemblerOptions(const ToolOptions& assembler) {
  QStringList options;
  for (const QString& definition : assembler.definitions) options.append(QStringLiteral("-D") + definition);
  for (const QString& name : assembler.undefinitions) options.append(QStringLiteral("-U") + name);
  for (const QString& directory : assembler.includeDirectories) options.append(QStringLiteral("-I") + directory);
  return options + assembler.additionalOptions;
}

void writeCompile(PropertyWriter& writer, const CompileSettings& settings, const MappingOptions* commandLine) {
  QStringList definitions;
  QStringList includeDirectories = settings.compiler.includeDirectories;
  if (commandLine) {
    for (const QString& definition : settings.compiler.definitions)
      if (commandLine->keepsDefinition(definition)) definitions.append(definition);
    definitions += commandLine->definitions;
    includeDirectories += commandLine->includePaths;
  } else {
    definitions = settings.compiler.definitions;
  }
  writer.list("c_preprocessor_definitions", definitions);
  writer.list("c_preprocessor_undefinitions", settings.compiler.undefinitions);
  writer.list("c_user_include_directories", includeDirectories);
  const CodeGeneration& code = settings.codeGeneration;
  QStringList additionalOptions = settings.compiler.additionalOptions;
  const Optimization* optimization = findOptimization(code.optimization);
  if (optimization && optimization->option && !additionalOptions.contains(QLatin1String(optimization->option)))
    additionalOptions.append(QLatin1String(optimization->option));
  writer.list("c_additional_options", additionalOptions);
  writer.list("asm_additional_options", assemblerOptions(settings.assembler));
  if (optimization)
    writer.value("gcc_optimization_level", QLatin1String(optimization->level));
  else if (!code.optimization.isEmpty())
    writer.notCarried(QStringLiteral("optimization"), code.optimization,
                      QStringLiteral("gcc_optimization_level has no level for it"));
  writer.choice("gcc_debugging_level", "debug level", code.debugLevel, debugLevels);
  writer.choice("gcc_c_language_standard", "C standard", code.cStandard, cStandards);
  writer.choice("gcc_cplusplus_language_standard", "C++ standard", code.cppStandard, cppStandards);
  writer.flag("gcc_enable_all_warnings", code.allWarnings);
}

// Stack and heap sizes are properties of the ARM target; another processor's
// are reported.
void writeLinker(PropertyWriter& writer, const LinkerOptions& linker, bool arm) {
  const QString gnuLdOnly = QStringLiteral("the solution links with GNU ld scripts");
  if (linker.script.kind == LinkerScript::Kind::Scatter)
    writer.notCarried(QStringLiteral("scatter file"), linker.script.path, gnuLdOnly);
  else if (linker.script.kind == LinkerScript::Kind::Icf)
    writer.notCarried(QStringLiteral("ICF file"), linker.script.path, gnuLdOnly);
  writer.list("linker_additional_files", linker.additionalFiles);
  writer.list("linker_additional_options", linker.additionalOptions);
  writer.value("gcc_entry_point", linker.entryPoint);
  for (const auto& [property, kind, size] : {std::tuple{"arm_linker_stack_size", "stack size", linker.stackSize},
                                             std::tuple{"arm_linker_heap_size", "heap size", linker.heapSize}}) {
    if (!size) continue;
    if (arm)
      writer.value(property, QString::number(*size));
    else
      writer.notCarried(QLatin1String(kind), QString::number(*size),
                        QLatin1String(property) + QStringLiteral(" is for ARM targets"));
  }
}

// A step holds one command line: several commands run one after the other, in
// the directory of the first.
void writeStep(PropertyWriter& writer, const char* property, const QList<BuildCommand>& commands) {
  if (commands.isEmpty()) return;
  QStringList lines;
  for (const BuildCommand& command : commands) {
    lines.append(command.command);
    if (command.workingDirectory != commands.first().workingDirectory)
      writer.notCarried(QStringLiteral("working directory"),
                        command.workingDirectory + QStringLiteral(" of ") + command.command,
                        QStringLiteral("a build step runs its commands in one directory"));
  }
  writer.value(property, lines.join(QStringLiteral(" && ")));
  writer.value(QLatin1String(property) + QStringLiteral("_wd"), commands.first().workingDirectory);
}

void writeSteps(PropertyWriter& writer, const BuildSteps& steps, bool linked) {
  writeStep(writer, "pre_build_command", steps.beforeBuild);
  writeStep(writer, "compile_pre_build_command", steps.beforeCompile);
  writeStep(writer, linked ? "linker_post_build_command" : "archive_post_build_command", steps.afterLink);
  writeStep(writer, "post_build_command", steps.afterBuild);
}

void writeOutput(PropertyWriter& writer, const SourceConfiguration& configuration, bool linked) {
  writer.value("build_output_directory", configuration.outputDirectory);
  writer.value("build_intermediate_directory", configuration.intermediateDirectory);
  if (!configuration.outputName.isEmpty()) {
    writer.value("build_output_file_name",
                 QStringLiteral("$(OutDir)/") + configuration.outputName + QLatin1String(linked ? "$(EXE)" : "$(LIB)"));
  }
}

template <typename T>
QList<T> missingFrom(const QList<T>& list, const QList<T>& from) {
  QList<T> missing;
  for (const T& entry : from)
    if (!list.contains(entry)) missing.append(entry);
  return missing;
}

// The entries of item the project lacks; an entry the project has and item
// leaves out is reported.
QStringList addedEntries(const QStringList& item, const QStringList& project, const QString& kind,
                         const QString& itemName, QList<NotCarried>& notCarried) {
  if (item.isEmpty()) return {};
  for (const QString& entry : missingFrom(item, project))
    notCarried.append({kind,
                       entry + QStringLiteral(" left out by ") + itemName,
                       {},
                       {},
                       QStringLiteral("an item's lists add to its project's and cannot take an entry away")});
  return missingFrom(project, item);
}

ToolOptions toolDifference(const ToolOptions& item, const ToolOptions& project, const QString& tool,
                           const QString& itemName, QList<NotCarried>& notCarried) {
  ToolOptions difference;
  difference.definitions =
      addedEntries(item.definitions, project.definitions, tool + QStringLiteral("definition"), itemName, notCarried);
  difference.undefinitions = addedEntries(item.undefinitions, project.undefinitions,
                                          tool + QStringLiteral("undefinition"), itemName, notCarried);
  difference.includeDirectories = addedEntries(item.includeDirectories, project.includeDirectories,
                                               tool + QStringLiteral("include directory"), itemName, notCarried);
  difference.additionalOptions = addedEntries(item.additionalOptions, project.additionalOptions,
                                              tool + QStringLiteral("option"), itemName, notCarried);
  return difference;
}

QString differing(const QString& item, const QString& project) { return item == project ? QString() : item; }

// The option a project's level adds ("-Oz", "-ffast-math") reaches its files
// and folders through the accumulating option list: an item with a level of
// its own also gets, after it, what undoes it (its own level's option,
// -fno-fast-math).
QStringList undoingOptions(const QString& itemLevel, const QString& projectLevel) {
  const Optimization* project = findOptimization(projectLevel);
  const Optimization* item = findOptimization(itemLevel);
  if (itemLevel == projectLevel || !project || !project->option || !item) return {};
  const QString option = QLatin1String(project->option);
  if (option.startsWith(QLatin1String("-O"))) return {itemLevel};
  return {QStringLiteral("-fno-") + option.mid(2)};
}

}  // namespace

ConfigurationProperties configurationProperties(const SourceConfiguration& configuration, ProjectKind kind,
                                                const MappingOptions* commandLine) {
  ConfigurationProperties result;
  PropertyWriter writer(result, configuration.name);
  const bool linked = kind != ProjectKind::StaticLibrary;
  writeDevice(writer, configuration.device, linked);
  writeCompile(writer, configuration.compile, commandLine);
  if (linked) writeLinker(writer, configuration.linker, configuration.device.otherArchitecture.isEmpty());
  writeOutput(writer, configuration, linked);
  writeSteps(writer, configuration.steps, linked);
  return result;
}

ConfigurationProperties compileProperties(const CompileSettings& settings) {
  ConfigurationProperties result;
  PropertyWriter writer(result, QString());
  writeCompile(writer, settings, nullptr);
  return result;
}

CompileSettings itemDifference(const CompileSettings& item, const CompileSettings& project, const QString& itemName,
                               QList<NotCarried>& notCarried) {
  CompileSettings difference;
  difference.compiler = toolDifference(item.compiler, project.compiler, QString(), itemName, notCarried);
  difference.assembler =
      toolDifference(item.assembler, project.assembler, QStringLiteral("assembler "), itemName, notCarried);
  const CodeGeneration& own = item.codeGeneration;
  const CodeGeneration& inherited = project.codeGeneration;
  difference.compiler.additionalOptions += undoingOptions(own.optimization, inherited.optimization);
  difference.codeGeneration = {
      differing(own.optimization, inherited.optimization), differing(own.debugLevel, inherited.debugLevel),
      differing(own.cStandard, inherited.cStandard), differing(own.cppStandard, inherited.cppStandard),
      own.allWarnings == inherited.allWarnings ? std::nullopt : own.allWarnings};
  return difference;
}

QString gnuLinkerScript(const SourceConfiguration& configuration, ProjectKind kind) {
  const LinkerScript& script = configuration.linker.script;
  if (kind == ProjectKind::StaticLibrary || script.kind != LinkerScript::Kind::GnuLd) return QString();
  return script.path;
}
