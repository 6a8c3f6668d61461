// The options of CDT configurations read into the record's terms: which option
// says what whatever plug-in wrote it, the GNU tools' words for its values,
// build variables, and what a set of options gives a configuration.

#include "readers/eclipse/cdt_options.h"

#include <gtest/gtest.h>

#include "foreign/foreign_document.h"
#include "foreign/foreign_files.h"
#include "helpers/test_support.h"
#include "readers/eclipse/cdt_build_variables.h"
#include "readers/eclipse/cdt_option_table.h"
#include "readers/eclipse/cdt_tool_settings.h"

namespace {

ForeignDocument parsed(const QByteArray& text) { return ForeignDocument::parse(text); }

// The settings that the options below the document element give, paths as written.
CdtToolSettings settingsOf(const QByteArray& options, bool cpp = false, const QByteArray& macros = {},
                           const QString& toolChain = {}) {
  const ForeignDocument document = parsed("<cconfiguration><macros>" + macros + "</macros><configuration>" + options +
                                          "</configuration></cconfiguration>");
  const ForeignElement storage = childNamed(document, "cconfiguration");
  WorkBudget added(1 << 20);
  const CdtBuildVariables variables(storage, added);
  const CdtReading reading{cpp, [](const QString&, const QString& value) { return std::optional<QString>(value); }};
  const CdtOptions read = CdtOptions::read(childNamed(storage, "configuration"), variables);
  return readCdtToolSettings(read.withDefaults(cdtToolChainDefaults(toolChain)), reading);
}

QByteArray option(const QByteArray& superClass, const QByteArray& value) {
  return "<option superClass=\"" + superClass + "\" value=\"" + value + "\"/>";
}

QByteArray typedOption(const QByteArray& superClass, const QByteArray& valueType, const QByteArray& value) {
  return "<option superClass=\"" + superClass + "\" valueType=\"" + valueType + "\" value=\"" + value + "\"/>";
}

QByteArray listOption(const QByteArray& superClass, const QList<QByteArray>& values) {
  QByteArray text = "<option superClass=\"" + superClass + "\" valueType=\"stringList\">";
  for (const QByteArray& value : values) text += "<listOptionValue builtIn=\"false\" value=\"" + value + "\"/>";
  return text + "</option>";
}

}  // namespace

// The same option written by another plug-in generation, copied per
// configuration by CDT, or derived by a folder from its parent's instance.
TEST(CdtOptionTable, OptionsAreKnownByTheEndOfTheirIds) {
  const struct {
    const char* superClass;
    CdtTool tool;
    CdtMeaning meaning;
  } cases[] = {
      {"ilg.gnuarmeclipse.managedbuild.cross.option.optimization.level", CdtTool::Target, CdtMeaning::Optimization},
      {"ilg.gnumcueclipse.managedbuild.cross.riscv.option.optimization.level", CdtTool::Target,
       CdtMeaning::Optimization},
      {"ilg.gnuarmeclipse.managedbuild.cross.option.optimization.level.13681793", CdtTool::Target,
       CdtMeaning::Optimization},
      {"com.st.stm32cube.ide.mcu.gnu.managedbuild.tool.c.compiler.option.optimization.level", CdtTool::CCompiler,
       CdtMeaning::Optimization},
      {"gnu.cpp.compiler.option.optimization.level", CdtTool::CppCompiler, CdtMeaning::Optimization},
      {"gnu.c.compiler.exe.release.option.debugging.level", CdtTool::CCompiler, CdtMeaning::DebugLevel},
      {"com.st.stm32cube.ide.mcu.gnu.managedbuild.tool.assembler.option.definedsymbols", CdtTool::Assembler,
       CdtMeaning::Definitions},
      {"ilg.gnumcueclipse.managedbuild.cross.riscv.option.assembler.include.paths", CdtTool::Assembler,
       CdtMeaning::IncludeDirectories},
      {"gnu.both.asm.option.include.paths", CdtTool::Assembler, CdtMeaning::IncludeDirectories},
      {"com.st.stm32cube.ide.mcu.gnu.managedbuild.option.target_mcu", CdtTool::Target, CdtMeaning::Device},
      {"ilg.gnuarmeclipse.managedbuild.cross.option.cpp.linker.scriptfile", CdtTool::CppLinker,
       CdtMeaning::LinkerScripts},
      // The older ARM GCC cross plug-in where CDT's own ids end alike but mean otherwise.
      {"org.eclipse.cdt.cross.arm.gnu.c.link.option.ldflags", CdtTool::CLinker, CdtMeaning::LinkerFlags},
      {"gnu.c.link.option.ldflags", CdtTool::CLinker, CdtMeaning::LinkerCommandLine},
      {"org.eclipse.cdt.cross.arm.gnu.assembler.option.warnings.allwarn", CdtTool::Assembler, CdtMeaning::Flag},
      {"org.eclipse.cdt.cross.arm.gnu.c.compiler.option.warnings.allwarn", CdtTool::CCompiler, CdtMeaning::AllWarnings},
      {"org.eclipse.cdt.cross.arm.gnu.c.compiler.option.misc.std", CdtTool::CCompiler, CdtMeaning::CStandard},
      {"com.ifx.xmc4000.appCppLinker.option.scriptfile", CdtTool::CppLinker, CdtMeaning::LinkerScripts},
      {"com.ifx.xmc4000.cppcompiler.option.misc.mfloat.1595186451", CdtTool::Target, CdtMeaning::FloatAbi},
  };
  for (const auto& c : cases) {
    const CdtOptionKind* kind = cdtOptionKind(c.superClass);
    ASSERT_NE(kind, nullptr) << c.superClass;
    EXPECT_EQ(kind->tool, c.tool) << c.superClass;
    EXPECT_EQ(kind->meaning, c.meaning) << c.superClass;
  }
  EXPECT_EQ(cdtOptionKind("ilg.gnuarmeclipse.managedbuild.cross.option.addtools.createflash"), nullptr);
  // A vendor's list options are read by their value type and the tool holding them.
  EXPECT_EQ(
      cdtListOptionByValueType("includePath", "com.ti.ccstudio.buildDefinitions.TMS470_20.2.exe.compilerDebug")->tool,
      CdtTool::CCompiler);
  EXPECT_EQ(cdtListOptionByValueType("definedSymbols", "x.tool.assembler.1")->tool, CdtTool::Assembler);
  EXPECT_EQ(cdtListOptionByValueType("libs", "x.tool.c.linker"), nullptr);
}

TEST(CdtOptionTable, EnumeratedValuesAreTheGnuToolsWords) {
  const struct {
    CdtMeaning meaning;
    const char* valueId;
    const char* word;
  } cases[] = {
      {CdtMeaning::Optimization, "ilg.gnuarmeclipse.managedbuild.cross.option.optimization.level.size", "-Os"},
      {CdtMeaning::Optimization,
       "com.st.stm32cube.ide.mcu.gnu.managedbuild.tool.c.compiler.option.optimization.level.value.og", "-Og"},
      {CdtMeaning::Optimization, "x.optimization.level.aggressive", "aggressive"},
      {CdtMeaning::DebugLevel, "gnu.c.debugging.level.default", "-g"},
      {CdtMeaning::Fpu, "ilg.gnuarmeclipse.managedbuild.cross.option.arm.target.fpu.unit.fpv5spd16", "fpv5-sp-d16"},
      {CdtMeaning::Fpu, "com.st.stm32cube.ide.mcu.gnu.managedbuild.option.fpu.value.fpv5-d16", "fpv5-d16"},
      {CdtMeaning::Fpu, "x.fpu.unit.default", ""},
      {CdtMeaning::Core, "x.arm.target.mcpu.cortex-m0plus-small-multiply", "cortex-m0plus.small-multiply"},
      {CdtMeaning::CStandard, "x.c.compiler.std.ansi", "c90"},
      {CdtMeaning::CStandard, "x.languagestandard.value.isoc11", "c11"},
      {CdtMeaning::CStandard, "x.languagestandard.value.gccdefault", ""},
      {CdtMeaning::CppStandard, "x.cpp.compiler.std.gnucpp14", "gnu++14"},
      {CdtMeaning::CppStandard, "gnu.cpp.compiler.dialect.c++1y", "c++1y"},
  };
  for (const auto& c : cases) EXPECT_EQ(cdtValueWord(c.meaning, c.valueId), QString(c.word)) << c.valueId;
}

TEST(CdtBuildVariables, ExpandThroughOneAnotherAndListsAsTheirItems) {
  const ForeignDocument document = parsed(
      "<cconfiguration><storageModule><macros>"
      "<stringMacro name=\"ROOT\" type=\"VALUE_PATH_DIR\" value=\"../${SDK}\"/>"
      "<stringMacro name=\"SDK\" type=\"VALUE_TEXT\" value=\"sdk_2.9\"/>"
      "<stringMacro name=\"LOOP\" type=\"VALUE_TEXT\" value=\"${LOOP}x\"/>"
      "<stringListMacro name=\"LIBS\" type=\"VALUE_TEXT_LIST\"><value name=\"a\"/><value name=\"b\"/></stringListMacro>"
      "</macros></storageModule></cconfiguration>");
  WorkBudget added(1 << 20);
  const CdtBuildVariables variables(childNamed(document, "cconfiguration"), added);
  EXPECT_EQ(variables.expand("${ROOT}/inc:${IDE_ONLY}"), "../sdk_2.9/inc:${IDE_ONLY}");
  EXPECT_EQ(variables.expand("-l${LIBS}"), "-la b");
  EXPECT_EQ(variables.expandEntry("${LIBS}"), QStringList({"a", "b"}));
  EXPECT_EQ(variables.expand("${LOOP}"), "${LOOP}");
  EXPECT_EQ(variables.problems(),
            QStringList({"build variable LOOP is defined through itself; ${LOOP} is left as written"}));
}

// Issue 34, case 2: "A = ${A}${A}", two variables defined through each other
// and a list holding itself are cycles; a chain of doubling variables costs
// what it adds, once per variable and at most 65536 characters more than
// written each, so four times the chain costs about four times as much; a
// spent budget leaves the rest as written. Each is reported.
TEST(CdtBuildVariables, CyclesAndGrowthAreLeftAsWrittenAndReported) {
  const auto expanded = [](int chain, WorkBudget& added, const QString& text) {
    QByteArray macros =
        "<stringMacro name=\"V0\" value=\"x\"/><stringMacro name=\"A\" value=\"${A}${A}\"/>"
        "<stringMacro name=\"B\" value=\"${C}\"/><stringMacro name=\"C\" value=\"-${B}\"/>"
        "<stringListMacro name=\"L\"><value name=\"${L}\"/><value name=\"y\"/></stringListMacro>";
    for (int i = 1; i <= chain; ++i)
      macros += QString("<stringMacro name=\"V%1\" value=\"${V%2}${V%2}\"/>").arg(i).arg(i - 1).toUtf8();
    const CdtBuildVariables variables(childNamed(parsed("<c><macros>" + macros + "</macros></c>"), "c"), added);
    EXPECT_LE(variables.expand(text).size(), text.size() + maximumExpansionGrowth);
    return variables.problems();
  };
  WorkBudget once(qsizetype(1) << 30), fourTimes(qsizetype(1) << 30), small(100000);
  const QString left = "; ${%1} is left as written";
  const QString tooLong = "build variable %1 would grow by more than 65536 characters" + left;
  EXPECT_EQ(expanded(32, once, "${V32}"), QStringList({tooLong.arg("V17"), tooLong.arg("V31")}));
  expanded(128, fourTimes, "${V128}");
  EXPECT_LE(fourTimes.spent(), 5 * once.spent());
  EXPECT_EQ(expanded(32, small, "${V32}").first(),
            "build variable V16 would add more than the 100000 characters build "
            "variables may add to the workspace's files" +
                left.arg("V16"));
  QStringList cycles;
  for (const char* name : {"A", "C", "B", "L"})
    cycles.append(QString("build variable %1 is defined through itself").arg(name) + left.arg(name));
  EXPECT_EQ(expanded(0, once, "${A}|${B}|${L}"), cycles);
}

// Target words in "other flags" set the target; the rest are the tool's
// options. A soft-float ABI uses no FPU.
TEST(CdtToolSettings, OtherFlagsNameTheTargetAndTheRestAreOptions) {
  const CdtToolSettings settings = settingsOf(
      "<tool superClass=\"cdt.managedbuild.tool.gnu.cross.c.compiler\">" +
      option("gnu.c.compiler.option.misc.other",
             "-c -mcpu=cortex-m33 -mthumb -mfpu=fpv5-sp-d16 -mfloat-abi=soft -mcmse -DX=&quot;a b&quot; -O2") +
      "</tool>");
  EXPECT_EQ(settings.device.core, "cortex-m33");
  EXPECT_EQ(settings.device.fpu, "none");
  EXPECT_EQ(settings.device.floatAbi, "soft");
  EXPECT_EQ(settings.device.secureCode, true);
  // The make file hands the flags to a shell: the compiler gets the word without its quotes.
  EXPECT_EQ(settings.compile.compiler.additionalOptions, QStringList({"-DX=a b", "-O2"}));
}

// C lists come from the C compiler, or from the C++ compiler first in a C++
// project; the assembler keeps its own; nothing appears twice.
TEST(CdtToolSettings, EachToolKeepsItsOwnLists) {
  const QByteArray options =
      listOption("com.st.stm32cube.ide.mcu.gnu.managedbuild.tool.c.compiler.option.definedsymbols",
                 {"DEBUG", "C", "DEBUG"}) +
      listOption("com.st.stm32cube.ide.mcu.gnu.managedbuild.tool.cpp.compiler.option.definedsymbols", {"CXX", "C"}) +
      listOption("com.st.stm32cube.ide.mcu.gnu.managedbuild.tool.assembler.option.definedsymbols", {"DEBUG"}) +
      "<tool superClass=\"x.tool.assembler.1\"><option superClass=\"vendor.INCLUDE\" valueType=\"includePath\">"
      "<listOptionValue builtIn=\"false\" value=\"Startup\"/></option></tool>";
  const CdtToolSettings c = settingsOf(options);
  EXPECT_EQ(c.compile.compiler.definitions, QStringList({"DEBUG", "C"}));
  EXPECT_EQ(c.compile.assembler.definitions, QStringList({"DEBUG"}));
  EXPECT_EQ(c.compile.assembler.includeDirectories, QStringList({"Startup"}));
  EXPECT_TRUE(c.compile.compiler.includeDirectories.isEmpty());
  EXPECT_EQ(settingsOf(options, true).compile.compiler.definitions, QStringList({"CXX", "C", "DEBUG"}));
}

// Scripts of a string option, a list option and -T in linker flags; further
// scripts go to the options; libraries and build variables per entry.
TEST(CdtToolSettings, LinkerScriptsLibrariesAndVariables) {
  const CdtToolSettings settings =
      settingsOf(option("gnu.c.link.option.ldflags", "-T first.ld -Wl,-Map=x.map -Tsecond.ld") +
                     listOption("ilg.gnuarmeclipse.managedbuild.cross.option.c.linker.libs", {"${LIBS}"}) +
                     listOption("ilg.gnuarmeclipse.managedbuild.cross.option.c.linker.usenewlibnano", {}) +
                     option("ilg.gnuarmeclipse.managedbuild.cross.option.c.linker.useprintffloat", "true"),
                 false, "<stringListMacro name=\"LIBS\"><value name=\"m\"/><value name=\"c\"/></stringListMacro>");
  EXPECT_EQ(settings.linker.script.path, "first.ld");
  EXPECT_EQ(settings.linker.additionalOptions, QStringList({"-Wl,-Map=x.map", "-lm", "-lc", "-Tsecond.ld"}));
  EXPECT_EQ(settings.notCarried, QList<NotCarried>({{"runtime library option", "-u _printf_float", {}}}));
}

// What an option the table does not know says is reported as it stands; one
// that says nothing more (no value, a switch off, the plug-in's default), the
// device by its name, and what the solution implies are not. An implied option
// holding another value is.
TEST(CdtToolSettings, OptionsThatSayMoreThanTheSolutionAreCarriedOrReported) {
  const QByteArray prefix = "ilg.gnuarmeclipse.managedbuild.cross.option.";
  const CdtToolSettings settings = settingsOf(
      option(prefix + "addtools.createflash", "true") + option(prefix + "addtools.createlisting", "") +
      option(prefix + "debugging.prof.spill", "false") +
      typedOption(prefix + "arm.target.unalignedaccess", "enumerated", prefix + "arm.target.unalignedaccess.default") +
      typedOption(prefix + "aarch64.target.cmodel.13", "enumerated", prefix + "aarch64.target.cmodel.large") +
      listOption("com.freescale.coldfire.sharedoption.symbolfiles", {"a.sym", "b.sym"}) +
      option(prefix + "command.prefix", "arm-none-eabi-") + option(prefix + "assembler.usepreprocessor", "false") +
      option("com.st.stm32cube.ide.mcu.gnu.managedbuild.option.target_coreid", "0") +
      "<option name=\"Microcontroller\" superClass=\"cdt.managedbuild.option.gnu.cross.mcu\" value=\"LPC1768\"/>");
  EXPECT_EQ(settings.notCarried, QList<NotCarried>({{"Eclipse option", "assembler.usepreprocessor=false", {}},
                                                    {"Eclipse option", "addtools.createflash=true", {}},
                                                    {"Eclipse option", "aarch64.target.cmodel=large", {}},
                                                    {"Eclipse option", "sharedoption.symbolfiles=a.sym, b.sym", {}}}));
}

// DAVE 4 for an XMC1000 part: its processor, no FPU in DAVE's words, a debug
// level it sets; the script, sections, warnings and library its tool chain
// gives what the project leaves unset.
TEST(CdtToolSettings, DaveOptionsAndTheDefaultsOfItsToolChain) {
  const CdtToolSettings settings =
      settingsOf(option("com.ifx.xmc4000.option.targetName.24313005", "XMC1404-Q064x0200") +
                     option("com.ifx.xmc4000.option.target.processor",
                            "org.eclipse.cdt.cross.arm.gnu.base.option.mcpu.cortex-m0") +
                     option("com.ifx.xmc4000.option.target.fpu", "No floating point hardware available") +
                     option("com.ifx.xmc4000.option.debugging.level",
                            "org.eclipse.cdt.cross.arm.gnu.base.option.debugging.level.none") +
                     option("com.ifx.xmc4000.appLinker.option.newlib",
                            "org.eclipse.cdt.cross.arm.gnu.c.link.option.newlib.standard"),
                 false, {}, "com.ifx.xmc4000.appRelease.toolChain");
  EXPECT_EQ(settings.device.name, "XMC1404-Q064x0200");
  EXPECT_TRUE(settings.device.coreFromDevice);
  EXPECT_EQ(std::tuple(settings.device.core, settings.device.fpu), std::tuple("cortex-m0", "none"));
  EXPECT_EQ(settings.compile.codeGeneration.debugLevel, "-g0");
  EXPECT_EQ(settings.compile.codeGeneration.allWarnings, true);
  EXPECT_EQ(settings.compile.compiler.additionalOptions, QStringList({"-ffunction-sections", "-fdata-sections"}));
  EXPECT_EQ(settings.linker.script.path, "../linker_script.ld");
  EXPECT_EQ(settings.linker.additionalOptions, QStringList({"-Wl,--gc-sections"}));
  EXPECT_EQ(settings.notCarried,
            QList<NotCarried>({{"debug format", "dwarf2", {}}, {"runtime library option", "-nostartfiles", {}}}));
}

// The options of a folder's or file's tools (also in the older
// "resourceConfiguration") are theirs, not the configuration's; a folder's or
// file's own options replace those of the tools they derive from, unless they
// hold nothing.
TEST(CdtOptions, OptionsOfFoldersAndFilesAreTheirOwn) {
  const QByteArray definitions = "gnu.c.compiler.option.preprocessor.def.symbols";
  const ForeignDocument document = parsed(
      "<configuration><folderInfo resourcePath=\"\">" + listOption(definitions, {"ALL"}) +
      option("gnu.c.compiler.option.misc.other", "-Wshadow") +
      "</folderInfo>"
      "<folderInfo resourcePath=\"src\">" +
      listOption(definitions + ".1473111459", {"SRC"}) + option("gnu.c.compiler.option.misc.other.2008719214", "") +
      "</folderInfo>"
      "<fileInfo resourcePath=\"a.c\">" +
      listOption(definitions, {"A"}) +
      "</fileInfo>"
      "<resourceConfiguration resourcePath=\"b.c\">" +
      listOption(definitions, {"B"}) +
      "</resourceConfiguration>"
      "</configuration>");
  const ForeignElement configuration = childNamed(document, "configuration");
  const CdtBuildVariables variables;
  const CdtOptions options = CdtOptions::read(configuration, variables);
  ASSERT_EQ(options.values().size(), 2u);
  EXPECT_EQ(options.values()[0].entries, QStringList({"ALL"}));
  const CdtOptions folder =
      options.overriddenBy(CdtOptions::read(childrenNamed(configuration, "folderInfo")[1], variables));
  ASSERT_EQ(folder.values().size(), 2u);
  EXPECT_EQ(folder.values()[0].entries, QStringList({"SRC"}));
  EXPECT_EQ(folder.values()[1].value, "-Wshadow");
}
