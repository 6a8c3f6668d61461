#include "readers/iar/iar_compile.h"

#include "readers/common/command_line_words.h"
#include "readers/iar/iar_paths.h"

namespace {

using Id = IarOptionId;

/// The options of one tool that give its lists.
struct ToolIds {
  Id defines;
  Id includePaths;
  Id extraOptionsUsed;
  Id extraOptions;
  Id preInclude;
};

const ToolIds compilerIds{Id::Defines, Id::IncludePaths, Id::ExtraOptionsUsed, Id::ExtraOptions, Id::PreInclude};
const ToolIds assemblerIds{Id::AssemblerDefines, Id::AssemblerIncludePaths, Id::AssemblerExtraOptionsUsed,
                           Id::AssemblerExtraOptions, Id::AssemblerPreInclude};

/// A choice of the compiler: as the GNU compiler's option where it has one
/// (carried), else as IAR's command line writes it (reported).
struct OptionChoice {
  Id id;
  const char* state;
  const char* option;
  bool carried;
};

// "No data reads in code memory" keeps constants out of the code, as GCC's
// -mpure-code does (the same vendor's GCC project of FMC_XOM_Lib sets it on
// the same files). "Language" 1 compiles every file as C++, whatever its name.
const OptionChoice optionChoices[] = {
    {Id::NoLiteralPool, "1", "-mpure-code", true},
    {Id::WarningsAreErrors, "1", "-Werror", true},
    {Id::NoSizeConstraints, "1", "--no_size_constraints", false},
    {Id::LanguageConformance, "2", "--strict", false},
    {Id::Language, "1", "--c++", false},
};

/// A diagnostics list and the compiler option that takes it.
struct DiagnosticsOption {
  Id id;
  const char* option;
};

const DiagnosticsOption diagnosticsOptions[] = {
    {Id::DiagnosticsSuppressed, "--diag_suppress="},
    {Id::DiagnosticsRemarks, "--diag_remark="},
    {Id::DiagnosticsWarnings, "--diag_warning="},
    {Id::DiagnosticsErrors, "--diag_error="},
};

/// An optimisation level (and strategy, which only "High" has) as GCC's option.
struct Optimization {
  const char* level;
  const char* strategy;
  const char* option;
};

// Low keeps variables live through their scope, as -Og does; Medium is -O1's
// set; High balanced, for size and for speed are -O2, -Os and -O3.
const Optimization optimizations[] = {{"0", nullptr, "-O0"}, {"1", nullptr, "-Og"}, {"2", nullptr, "-O1"},
                                      {"3", "0", "-O2"},     {"3", "1", "-Os"},     {"3", "2", "-O3"}};

/// The C and C++ that a generation of the ARM compiler compiles (from the
/// compiler block's data version on): "Standard C" is C99 in Embedded
/// Workbench 7 (version 31), C11 in 8 (34, 36) and C18 in 9 (37 in 9.30, 40 in
/// 9.70); its C++ is C++14 in 8 and C++17 in 9. Version 7 chose among C++
/// dialects of its own.
struct LanguageGeneration {
  int firstVersion;
  /// The years of its C and C++ ("17"); no C++ for version 7.
  const char* cYear;
  const char* cppYear;
};

const LanguageGeneration armGenerations[] = {{37, "17", "17"}, {32, "11", "14"}, {-1, "99", nullptr}};

const LanguageGeneration* armGeneration(const IarCompiler& compiler) {
  if (compiler.name != QLatin1String("ICCARM")) return nullptr;
  for (const LanguageGeneration& generation : armGenerations)
    if (compiler.version >= generation.firstVersion) return &generation;
  return nullptr;
}

void addDirectories(QStringList& to, const QStringList& paths, IarPathConverter& converter) {
  for (const QString& path : paths)
    if (const std::optional<QString> directory = converter.macroBased(path)) to.append(*directory);
}

// "-D NAME", "-DNAME", "-I dir" and "-Idir" of extra options are the tool's
// lists; the rest of each entry is reported as written.
void readExtraOptions(const QStringList& entries, ToolOptions& tool, IarPathConverter& paths, const QString& kind,
                      QList<NotCarried>& notCarried) {
  for (const QString& entry : entries) {
    const QStringList words = commandLineWords(entry);
    QStringList rest;
    for (qsizetype i = 0; i < words.size(); ++i) {
      const QString& word = words[i];
      const bool definition = word.startsWith(QLatin1String("-D"));
      if (!definition && !word.startsWith(QLatin1String("-I"))) {
        rest.append(word);
        continue;
      }
      const QString value = word.size() > 2 ? word.mid(2) : (i + 1 < words.size() ? words[++i] : QString());
      if (definition)
        tool.definitions.append(value);
      else
        addDirectories(tool.includeDirectories, {value}, paths);
    }
    if (!rest.isEmpty()) notCarried.append({kind, rest.join(QLatin1Char(' ')), {}});
  }
}

// A pre-included file is GCC's -include, written joined to its path so that
// the option stays one entry.
ToolOptions readTool(const IarOptions& options, const ToolIds& ids, IarPathConverter& paths, const QString& kind,
                     QList<NotCarried>& notCarried) {
  ToolOptions tool;
  tool.definitions = options.list(ids.defines);
  addDirectories(tool.includeDirectories, options.list(ids.includePaths), paths);
  if (options.text(ids.extraOptionsUsed) == QLatin1String("1"))
    readExtraOptions(options.list(ids.extraOptions), tool, paths, kind, notCarried);
  const QString preInclude = options.text(ids.preInclude);
  if (!preInclude.isEmpty()) {
    if (const std::optional<QString> file = paths.macroBased(preInclude))
      tool.additionalOptions.append(QStringLiteral("-include") + *file);
  }
  return tool;
}

void readCompilerChoices(const IarOptions& options, ToolOptions& compiler, QList<NotCarried>& notCarried) {
  const QString kind = QStringLiteral("IAR compiler option");
  for (const OptionChoice& choice : optionChoices) {
    if (options.text(choice.id) != QLatin1String(choice.state)) continue;
    if (choice.carried)
      compiler.additionalOptions.append(QLatin1String(choice.option));
    else
      notCarried.append({kind, QLatin1String(choice.option), {}});
  }
  for (const DiagnosticsOption& diagnostics : diagnosticsOptions) {
    const QStringList numbers = options.list(diagnostics.id);
    if (!numbers.isEmpty())
      notCarried.append({kind, QLatin1String(diagnostics.option) + numbers.join(QLatin1Char(',')), {}});
  }
  // The language choice of Embedded Workbench 5 and 6; 0 is C.
  const QString oldLanguage = options.text(Id::OldLanguage);
  if (!oldLanguage.isEmpty() && oldLanguage != QLatin1String("0"))
    notCarried.append({kind, QStringLiteral("CCLangSelect=") + oldLanguage, {}});
}

// A High level without a strategy written is balanced, the one the dialog
// starts with.
QString optimization(const IarOptions& options) {
  const QString level = options.text(Id::OptimizationLevel);
  if (level.isEmpty()) return QString();
  QString strategy = options.text(Id::OptimizationStrategy);
  if (strategy.isEmpty()) strategy = QStringLiteral("0");
  for (const Optimization& row : optimizations)
    if (level == QLatin1String(row.level) && (!row.strategy || strategy == QLatin1String(row.strategy)))
      return QLatin1String(row.option);
  return QStringLiteral("IAR optimization level %1 strategy %2").arg(level, strategy);
}

QString debugLevel(const IarOptions& options) {
  const QString debug = options.text(Id::DebugInfo);
  if (debug.isEmpty()) return QString();
  return debug == QLatin1String("1") ? QStringLiteral("-g") : QStringLiteral("-g0");
}

// "Language conformance" 0, the default, is the standard with IAR's extensions
// (asm, anonymous structs and unions, ...), which GCC accepts in its GNU
// dialects; "Standard" (1) and "Strict" (2) are the ISO dialect.
QString dialectPrefix(const IarOptions& options, const char* gnu, const char* iso) {
  const QString conformance = options.text(Id::LanguageConformance);
  return QLatin1String(conformance.isEmpty() || conformance == QLatin1String("0") ? gnu : iso);
}

QString cStandard(const IarOptions& options, const IarCompiler& compiler) {
  const QString dialect = options.text(Id::CDialect);
  if (dialect.isEmpty()) return QString();
  if (dialect == QLatin1String("0")) return dialectPrefix(options, "gnu", "c") + QStringLiteral("89");
  const LanguageGeneration* generation = armGeneration(compiler);
  if (dialect == QLatin1String("1") && generation)
    return dialectPrefix(options, "gnu", "c") + QLatin1String(generation->cYear);
  return QStringLiteral("IAR C dialect %1 of %2 version %3").arg(dialect, compiler.name).arg(compiler.version);
}

// Only where C++ is compiled: "Language" 1 (all files) or 2 (by file name).
QString cppStandard(const IarOptions& options, const IarCompiler& compiler) {
  const QString language = options.text(Id::Language);
  if (language != QLatin1String("1") && language != QLatin1String("2")) return QString();
  const LanguageGeneration* generation = armGeneration(compiler);
  if (generation && generation->cppYear)
    return dialectPrefix(options, "gnu++", "c++") + QLatin1String(generation->cppYear);
  return QStringLiteral("IAR C++ dialect %1 of %2 version %3")
      .arg(options.text(Id::CppDialect), compiler.name)
      .arg(compiler.version);
}

}  // namespace

CompileSettings readIarCompileSettings(const IarOptions& options, const IarCompiler& compiler, IarPathConverter& paths,
                                       QList<NotCarried>& notCarried) {
  CompileSettings settings;
  settings.compiler = readTool(options, compilerIds, paths, QStringLiteral("IAR compiler option"), notCarried);
  readCompilerChoices(options, settings.compiler, notCarried);
  settings.assembler = readTool(options, assemblerIds, paths, QStringLiteral("IAR assembler option"), notCarried);
  settings.codeGeneration.optimization = optimization(options);
  settings.codeGeneration.debugLevel = debugLevel(options);
  settings.codeGeneration.cStandard = cStandard(options, compiler);
  settings.codeGeneration.cppStandard = cppStandard(options, compiler);
  return settings;
}
