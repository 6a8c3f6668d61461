// What an IAR configuration tells the compiler and the assembler, in the
// record's words, and what is reported.

#include "readers/iar/iar_compile.h"

#include <gtest/gtest.h>

#include "foreign/foreign_path.h"
#include "helpers/test_support.h"
#include "readers/iar/iar_option_blocks.h"
#include "readers/iar/iar_paths.h"

using namespace iar_option_blocks;

namespace {

struct Compiled {
  CompileSettings settings;
  QList<NotCarried> notCarried;
};

Compiled compile(const QByteArray& blocks) {
  const IarConfiguration configuration = configurationOf(blocks);
  ForeignPathResolver resolver;
  IarPathConverter paths(resolver, "app", ".");
  Compiled result;
  result.settings = readIarCompileSettings(configuration.options, configuration.compiler, paths, result.notCarried);
  return result;
}

CodeGeneration codeOf(const QByteArray& compiler, int version, const QByteArray& options) {
  return compile(settings(compiler, version, options)).settings.codeGeneration;
}

}  // namespace

// Optimisation levels Low and Medium and the strategies of High have GCC
// twins (balanced where none is written); "Standard C" and C++ are what the
// compiler generation (its block's data version) compiles, in GCC's GNU
// dialect with IAR's extensions (conformance 0, the default) and the ISO one
// without; another target's compiler keeps its own words.
TEST(IarCompileSettings, OptimizationDebugInformationAndStandardsByCompilerVersion) {
  const auto level = [](const char* optimization, const char* strategy) {
    return option("CCOptLevel", optimization) + option("CCOptStrategy", 0, {strategy});
  };
  const struct {
    QByteArray options;
    QString optimization;
  } levels[] = {{level("0", "0"), "-O0"},           {level("1", "0"), "-Og"},
                {level("2", "1"), "-O1"},           {level("3", "0"), "-O2"},
                {level("3", "1"), "-Os"},           {level("3", "2"), "-O3"},
                {option("CCOptLevel", "3"), "-O2"}, {level("4", "0"), "IAR optimization level 4 strategy 0"}};
  for (const auto& c : levels) EXPECT_EQ(codeOf("ICCARM", 36, c.options).optimization, c.optimization);
  EXPECT_EQ(codeOf("ICCARM", 22, option("CCDebugInfo", "1")).debugLevel, "-g");
  EXPECT_EQ(codeOf("ICCARM", 22, option("CCDebugInfo", "0")).debugLevel, "-g0");

  const QByteArray c = option("IccLang", "0") + option("IccCDialect", "1");
  const QByteArray cpp = option("IccLang", "2") + option("IccCDialect", "1") + option("IccCppDialect", "1");
  const struct {
    QByteArray compiler;
    int version;
    QByteArray options;
    QString cStandard;
    QString cppStandard;
  } standards[] = {
      {"ICCARM", 22, option("CCLangSelect", "0"), "", ""},
      {"ICCARM", 31, cpp, "gnu99", "IAR C++ dialect 1 of ICCARM version 31"},
      {"ICCARM", 36, c + option("CCLangConformance", "0"), "gnu11", ""},
      {"ICCARM", 36, cpp + option("CCLangConformance", "1"), "c11", "c++14"},
      {"ICCARM", 40, cpp, "gnu17", "gnu++17"},
      {"ICCARM", 40, c + option("CCLangConformance", "2"), "c17", ""},
      {"ICCARM", 40, option("IccCDialect", "0"), "gnu89", ""},
      {"ICCRISCV", 9, c, "IAR C dialect 1 of ICCRISCV version 9", ""},
  };
  for (const auto& s : standards) {
    const CodeGeneration code = codeOf(s.compiler, s.version, s.options);
    EXPECT_EQ(code.cStandard, s.cStandard) << s.compiler.toStdString() << ' ' << s.version;
    EXPECT_EQ(code.cppStandard, s.cppStandard) << s.compiler.toStdString() << ' ' << s.version;
  }
}

// Definitions and include directories of the compiler and the assembler stay
// apart; extra options (when used) give their -D and -I to the lists and are
// otherwise reported; a pre-included file is -include; choices with a GCC
// option are carried, diagnostics and the others reported in IAR's words.
TEST(IarCompileSettings, ListsExtraOptionsAndReportedChoices) {
  const QByteArray compiler =
      option("CCDefines", -1, {"USE_HAL_DRIVER", "", "BANNER=\"a b\""}) +
      option("CCIncludePath2", -1, {"$PROJ_DIR$\\..\\inc", "$TOOLKIT_DIR$\\inc"}) + option("IExtraOptionsCheck", "1") +
      option("IExtraOptions", -1, {"-D EXTRA -I\"$PROJ_DIR$\\x y\"", "--no_unroll -DZ=1"}) +
      option("PreInclude", "$PROJ_DIR$\\cfg.h") + option("CCNoLiteralPool", "1") + option("CCDiagWarnAreErr", "1") +
      option("CCDiagSuppress", "Pa082,Pe550") + option("CCDiagError", "Pe223") + option("CCLangConformance", "2") +
      option("CCOptimizationNoSizeConstraints", "1") + option("IccLang", "1");
  const QByteArray assembler = option("ADefines", -1, {"MACH_TYPE=9999"}) +
                               option("AUserIncludes", -1, {"$PROJ_DIR$\\..\\..\\include"}) +
                               option("AExtraOptionsCheckV2", "1") + option("AExtraOptionsV2", -1, {"-s+ -DASM"});
  const QByteArray unused = option("AExtraOptionsCheck", "0") + option("AExtraOptions", "-r");
  const Compiled result = compile(settings("ICCARM", 36, compiler) + settings("AARM", 10, assembler) +
                                  settings("AARM", 10, option("ADefines", "SECOND_ASSEMBLER") + unused));
  const ToolOptions& c = result.settings.compiler;
  EXPECT_EQ(c.definitions, QStringList({"USE_HAL_DRIVER", "BANNER=\"a b\"", "EXTRA", "Z=1"}));
  EXPECT_EQ(c.includeDirectories, QStringList({"$(ProjectDir)/../inc", "$(ProjectDir)/x y"}));
  EXPECT_EQ(c.additionalOptions, QStringList({"-include$(ProjectDir)/cfg.h", "-mpure-code", "-Werror"}));
  const ToolOptions& a = result.settings.assembler;
  EXPECT_EQ(a.definitions, QStringList({"MACH_TYPE=9999", "ASM"}));
  EXPECT_EQ(a.includeDirectories, QStringList({"$(ProjectDir)/../../include"}));
  EXPECT_TRUE(a.additionalOptions.isEmpty());
  const QString compilerOption = "IAR compiler option";
  EXPECT_EQ(result.notCarried, QList<NotCarried>({{compilerOption, "--no_unroll", {}},
                                                  {compilerOption, "--no_size_constraints", {}},
                                                  {compilerOption, "--strict", {}},
                                                  {compilerOption, "--c++", {}},
                                                  {compilerOption, "--diag_suppress=Pa082,Pe550", {}},
                                                  {compilerOption, "--diag_error=Pe223", {}},
                                                  {"IAR assembler option", "-s+", {}}}));
}
