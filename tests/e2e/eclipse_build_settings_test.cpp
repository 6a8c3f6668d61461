// eclipse2hzp on the build settings of each Eclipse flavour, written as the
// published projects write them (issues 23, 24 cause 5): the target,
// optimisation, language, warnings, other flags, linker script, libraries and
// build steps per configuration; each tool's own lists.

#include <gtest/gtest.h>

#include "e2e/eclipse_fixtures.h"
#include "e2e/eclipse_vendor_fixtures.h"
#include "support/test_support.h"

using testing_support::expectSuccess;
using testing_support::expectedSolution;
using testing_support::readFile;
using testing_support::writeFile;
using namespace vendor_fixtures;

namespace {

const QByteArray gnuArm = "ilg.gnuarmeclipse.managedbuild.cross.option.";
const QByteArray cube = "com.st.stm32cube.ide.mcu.gnu.managedbuild.";

void writeProject(const QString& directory, const QByteArray& name, const QByteArray& settings,
                  const QByteArray& more = {},
                  const QByteArray& natures = "\t\t<nature>org.eclipse.cdt.core.cnature</nature>\n") {
  writeFile(directory + "/.project", projectDescription(name, more, natures));
  writeFile(directory + "/.cproject", settings);
}

// The Artery template's two configurations: Debug for a Cortex-M4 with a
// hard-float FPU, Release left at Cortex-M3 without FPU or script.
QByteArray arteryTemplate() {
  const QByteArray includes = listOption(
      gnuArm + "c.compiler.include.paths", "Include paths (-I)", "includePath",
      {"&quot;${workspace_project_locations}/../../../../../libraries/drivers/inc&quot;"});
  const QByteArray debug = toolChain(
      "ilg.gnuarmeclipse.managedbuild.cross.toolchain.base", "ARM Cross GCC",
      option(gnuArm + "arm.target.family", "ARM family", gnuArm + "arm.target.mcpu.cortex-m4", "enumerated") +
          option(gnuArm + "arm.target.instructionset", "Instruction set", gnuArm + "arm.target.instructionset.thumb",
                 "enumerated") +
          option(gnuArm + "arm.target.fpu.abi", "Float ABI", gnuArm + "arm.target.fpu.abi.hard", "enumerated") +
          option(gnuArm + "arm.target.fpu.unit", "FPU Type", gnuArm + "arm.target.fpu.unit.fpv4spd16", "enumerated") +
          option(gnuArm + "optimization.level", "Optimization Level", gnuArm + "optimization.level.none", "enumerated") +
          option(gnuArm + "optimization.functionsections", "Function sections (-ffunction-sections)", "true", "boolean") +
          option(gnuArm + "warnings.allwarn", "Enable all common warnings (-Wall)", "true", "boolean") +
          option(gnuArm + "debugging.level", "Debug level", gnuArm + "debugging.level.max", "enumerated") +
          tool("ilg.gnuarmeclipse.managedbuild.cross.tool.c.compiler", "GNU ARM Cross C Compiler",
               includes +
                   listOption(gnuArm + "c.compiler.defs", "Defined symbols (-D)", "definedSymbols",
                              {"USE_STDPERIPH_DRIVER", "AT32F403AVGT7", "AT_START_F403A_V1"}) +
                   option(gnuArm + "c.compiler.std", "Language standard", gnuArm + "c.compiler.std.c99", "enumerated")) +
          tool("ilg.gnuarmeclipse.managedbuild.cross.tool.c.linker", "GNU ARM Cross C Linker",
               option(gnuArm + "c.linker.gcsections", "Remove unused sections (-Xlinker --gc-sections)", "true", "boolean") +
                   listOption(gnuArm + "c.linker.scriptfile", "Script files (-T)", "stringList",
                              {"&quot;${workspace_project_locations}/../../../../../libraries/cmsis/cm4/device_support/"
                               "startup/gcc/linker/AT32F403AxG_FLASH.ld&quot;"}) +
                   option(gnuArm + "c.linker.usenewlibnano", "Use newlib-nano (--specs=nano.specs)", "true", "boolean")));
  const QByteArray release = toolChain(
      "ilg.gnuarmeclipse.managedbuild.cross.toolchain.elf.release", "ARM Cross GCC",
      option(gnuArm + "optimization.level", "Optimization Level", gnuArm + "optimization.level.size", "enumerated") +
          option(gnuArm + "optimization.messagelength", "Message length (-fmessage-length=0)", "true", "boolean") +
          option(gnuArm + "arm.target.family", "ARM family", gnuArm + "arm.target.mcpu.cortex-m3", "enumerated") +
          tool("ilg.gnuarmeclipse.managedbuild.cross.tool.c.compiler", "GNU ARM Cross C Compiler",
               listOption(gnuArm + "c.compiler.include.paths", "Include paths (-I)", "includePath",
                          {"&quot;${workspace_loc}\\..\\inc&quot;"})));
  return cdtSettings(cconfiguration({"ilg.gnuarmeclipse.managedbuild.cross.config.elf.debug.487201708", "Debug",
                                     gnuArmExecutable("debug"), debug}) +
                         cconfiguration({"ilg.gnuarmeclipse.managedbuild.cross.config.elf.release.1345553749", "Release",
                                         gnuArmExecutable("release"), release}),
                     gnuArmProjectElement());
}

// STM32CubeIDE's configurations of the STM324xG_EVAL template: the MCU, FPU
// and ABI on the tool chain, the assembler's definitions of its own.
QByteArray cubeConfiguration(const QByteArray& name, const QByteArray& mcu, const QByteArray& debugLevel,
                             const QByteArray& optimization, const QList<QByteArray>& definitions) {
  const QByteArray assemblerDefinitions =
      definitions.first() == "DEBUG"
          ? listOption(cube + "tool.assembler.option.definedsymbols", "Define symbols (-D)", "definedSymbols", {"DEBUG"})
          : QByteArray();
  const QByteArray content =
      option(cube + "option.target_mcu", "MCU", mcu, "string") +
      option(cube + "option.fpu", "Floating-point unit", cube + "option.fpu.value.fpv4-sp-d16", "enumerated") +
      option(cube + "option.floatabi", "Floating-point ABI", cube + "option.floatabi.value.hard", "enumerated") +
      tool(cube + "tool.assembler", "MCU GCC Assembler",
           option(cube + "tool.assembler.option.debuglevel", "Debug level",
                  cube + "tool.assembler.option.debuglevel.value." + debugLevel, "enumerated") +
               assemblerDefinitions) +
      tool(cube + "tool.c.compiler", "MCU GCC Compiler",
           option(cube + "tool.c.compiler.option.debuglevel", "Debug level",
                  cube + "tool.c.compiler.option.debuglevel.value." + debugLevel, "enumerated") +
               (optimization.isEmpty() ? QByteArray()
                                       : option(cube + "tool.c.compiler.option.optimization.level", "Optimization level",
                                                cube + "tool.c.compiler.option.optimization.level.value." + optimization,
                                                "enumerated")) +
               listOption(cube + "tool.c.compiler.option.definedsymbols", "Define symbols (-D)", "definedSymbols",
                          definitions) +
               listOption(cube + "tool.c.compiler.option.includepaths", "Include paths (-I)", "includePath",
                          {"../../Inc", "../../../../../Drivers/CMSIS/Include"})) +
      tool(cube + "tool.c.linker", "MCU GCC Linker",
           option(cube + "tool.c.linker.option.script", "Linker Script (-T)",
                  "${workspace_loc:/${ProjName}/STM32F407IGHX_FLASH.ld}", "string"));
  return cconfiguration({cube + "config.exe." + name.toLower(), name,
                         "artifactExtension=\"elf\" artifactName=\"${ProjName}\" buildArtefactType=\"org.eclipse.cdt.build."
                         "core.buildArtefactType.exe\" cleanCommand=\"rm -rf\" parent=\"" + cube + "config.exe.debug\"",
                         toolChain(cube + "toolchain.exe.debug", "MCU ARM GCC", content)});
}

}  // namespace

// Issue 23: GNU ARM Eclipse (Nuvoton, Artery): family, FPU unit and ABI,
// optimisation, debug level, C standard, warnings, flags, the linker script
// per configuration; a script through an IDE variable is reported.
TEST(EclipseBuildSettings, GnuMcuSettingsReachTheSolution) {
  writeProject("ws/template", "template", arteryTemplate());
  writeProject("ws/SampleCode/StdDriver/FMC_XOM_LibDemo/GCC/FMC_XOM_Lib", "FMC_XOM_Lib",
               cdtSettings(cconfiguration({"ilg.gnuarmeclipse.managedbuild.cross.config.elf.release.1162487163",
                                           "Release", gnuArmExecutable("release"), nuvotonToolChain()}),
                           gnuArmProjectElement()));
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/template/.cproject: include directory ${workspace_project_locations}/../../../../../"
                "libraries/drivers/inc left out: it holds a variable that cannot be resolved\n"
                "warning: ws/template/.cproject: linker script ${workspace_project_locations}/../../../../../libraries/"
                "cmsis/cm4/device_support/startup/gcc/linker/AT32F403AxG_FLASH.ld left out: it holds a variable that "
                "cannot be resolved\n"
                "warning: ws/template/.cproject: not carried: runtime library option --specs=nano.specs "
                "(configuration Debug)\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_gnu_mcu_settings.hzp"));
}

// Issues 23 and 24 (cause 5): STM32CubeIDE's MCU becomes the device of each
// configuration; the assembler's "DEBUG" goes to the assembler alone; a C++
// project takes the C++ compiler's lists and linker.
TEST(EclipseBuildSettings, Stm32CubeIdeSettingsAndEachToolsOwnLists) {
  writeProject("ws/Templates", "Templates",
               cdtSettings(cubeConfiguration("STM3240G-EVAL_Debug", "STM32F407IGHx", "g3", {},
                                             {"DEBUG", "USE_STM324xG_EVAL", "STM32F407xx", "USE_HAL_DRIVER"}) +
                               cubeConfiguration("STM3240G-EVAL_Release", "STM32F407IGHx", "g0", "os",
                                                 {"USE_STM324xG_EVAL", "STM32F407xx", "USE_HAL_DRIVER"}),
                           "<project id=\"Templates.null.781109488\" name=\"Templates\"/>"));
  const QByteArray cpp = toolChain(
      "ilg.gnuarmeclipse.managedbuild.cross.toolchain.elf.release", "Cross ARM GCC",
      option(gnuArm + "arm.target.family", "ARM family", gnuArm + "arm.target.mcpu.cortex-m7", "enumerated") +
          option(gnuArm + "arm.target.fpu.abi", "Float ABI", gnuArm + "arm.target.fpu.abi.soft", "enumerated") +
          option(gnuArm + "arm.target.fpu.unit", "FPU Type", gnuArm + "arm.target.fpu.unit.fpv5d16", "enumerated") +
          tool("ilg.gnuarmeclipse.managedbuild.cross.tool.c.compiler", "Cross ARM GNU C Compiler",
               listOption(gnuArm + "c.compiler.defs", "Defined symbols (-D)", "definedSymbols", {"BOARD", "C_ONLY"}) +
                   option(gnuArm + "c.compiler.std", "Language standard", gnuArm + "c.compiler.std.gnu11", "enumerated")) +
          tool("ilg.gnuarmeclipse.managedbuild.cross.tool.cpp.compiler", "Cross ARM GNU C++ Compiler",
               listOption(gnuArm + "cpp.compiler.defs", "Defined symbols (-D)", "definedSymbols", {"BOARD", "CXX_ONLY"}) +
                   option(gnuArm + "cpp.compiler.std", "Language standard", gnuArm + "cpp.compiler.std.gnucpp11",
                          "enumerated")) +
          tool("ilg.gnuarmeclipse.managedbuild.cross.tool.assembler", "Cross ARM GNU Assembler",
               listOption(gnuArm + "assembler.defs", "Defined symbols (-D)", "definedSymbols", {"BOARD"}) +
                   listOption(gnuArm + "assembler.include.paths", "Include paths (-I)", "includePath", {"../startup"})) +
          tool("ilg.gnuarmeclipse.managedbuild.cross.tool.c.linker", "Cross ARM GNU C Linker",
               listOption(gnuArm + "c.linker.scriptfile", "Script files (-T)", "stringList", {"../c.ld"})) +
          tool("ilg.gnuarmeclipse.managedbuild.cross.tool.cpp.linker", "Cross ARM GNU C++ Linker",
               listOption(gnuArm + "cpp.linker.scriptfile", "Script files (-T)", "stringList", {"../mem.ld", "../sections.ld"}) +
                   listOption(gnuArm + "cpp.linker.libs", "Libraries (-l)", "libs", {"stdc++"})));
  writeProject("ws/player", "player",
               cdtSettings(cconfiguration({"ilg.gnuarmeclipse.managedbuild.cross.config.elf.release.1", "Release",
                                           gnuArmExecutable("release"), cpp}),
                           gnuArmProjectElement()),
               {},
               "\t\t<nature>org.eclipse.cdt.core.cnature</nature>\n\t\t<nature>org.eclipse.cdt.core.ccnature</nature>\n");
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/Templates/.cproject: configuration 'STM3240G-EVAL_Debug' is read as Debug\n"
                "warning: ws/Templates/.cproject: configuration 'STM3240G-EVAL_Release' is read as Release\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_cube_settings.hzp"));
}

// Issue 23: CDT's own GNU tools say the target in "other flags" and the script
// with -T in the linker flags; the build steps run in the build directory,
// with CDT's variables as the solution's macros, and a step with a variable
// only the IDE knows is reported.
TEST(EclipseBuildSettings, CdtGnuToolSettingsAndBuildStepsReachTheSolution) {
  const auto configuration = [](const QByteArray& name, const QByteArray& optimization, const QByteArray& steps) {
    const QByteArray kind = name.toLower();
    return cconfiguration(
        {"cdt.managedbuild.config.gnu.cross.exe." + kind + ".1180213402", name,
         "artifactExtension=\"elf\" artifactName=\"${ProjName}\" buildArtefactType=\"org.eclipse.cdt.build.core."
         "buildArtefactType.exe\" cleanCommand=\"rm -rf\" " + steps +
             " parent=\"cdt.managedbuild.config.gnu.cross.exe." + kind + "\"",
         toolChain(
             "cdt.managedbuild.toolchain.gnu.cross.exe." + kind, "Cross ARM GCC",
             tool("cdt.managedbuild.tool.gnu.cross.c.compiler", "Cross GCC Compiler",
                  "\t\t\t\t\t\t\t\t<option defaultValue=\"gnu.c.optimization.level." + optimization +
                      "\" id=\"gnu.c.compiler.option.optimization.level.1352287264\" name=\"Optimization Level\" "
                      "superClass=\"gnu.c.compiler.option.optimization.level\" useByScannerDiscovery=\"false\" "
                      "valueType=\"enumerated\"/>\n" +
                      option("gnu.c.compiler.exe." + kind + ".option.debugging.level",
                             "Debug Level", "gnu.c.debugging.level.max", "enumerated") +
                      option("gnu.c.compiler.option.warnings.allwarn", "All warnings (-Wall)", "true", "boolean") +
                      option("gnu.c.compiler.option.dialect.std", "Language standard", "gnu.c.compiler.dialect.c99",
                             "enumerated") +
                      option("gnu.c.compiler.option.misc.other", "Other flags",
                             "-c -fmessage-length=0 -mcpu=cortex-m0plus -mthumb -mfloat-abi=soft", "string")) +
                 tool("cdt.managedbuild.tool.gnu.cross.c.linker", "Cross GCC Linker",
                      option("gnu.c.link.option.ldflags", "Linker flags", "-T ../app.ld -Wl,-Map=app.map", "string") +
                          listOption("gnu.c.link.option.libs", "Libraries (-l)", "libs", {"m"}) +
                          listOption("gnu.c.link.option.paths", "Library search path (-L)", "libPaths",
                                     {"&quot;${workspace_loc:/app/lib}&quot;"}) +
                          listOption("gnu.c.link.option.userobjs", "Other objects", "userObjs", {"../obj/vectors.o"}) +
                          listOption("gnu.c.link.option.other", "Other options (-Xlinker [option])", "stringList",
                                     {"--print-memory-usage"})))});
  };
  writeProject("ws/app", "app",
               cdtSettings(configuration("Debug", "none",
                                         "postbuildStep=\"arm-none-eabi-objcopy -O binary ${BuildArtifactFileName} "
                                         "${BuildArtifactFileBaseName}.bin\" prebuildStep=\"make -C ${ProjDirPath}/gen "
                                         "CONFIG=${ConfigName}\"") +
                               configuration("Release", "size",
                                             "postbuildStep=\"${eclipse_home}/tools/sign ${ProjName}.elf\" prebuildStep=\"\""),
                           "<project id=\"app.cdt.managedbuild.target.gnu.cross.exe.1428349305\" name=\"Executable\" "
                           "projectType=\"cdt.managedbuild.target.gnu.cross.exe\"/>"));
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/app/.cproject: not carried: post-build step ${eclipse_home}/tools/sign ${ProjName}.elf "
                "(configuration Release)\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_cdt_gnu_settings.hzp"));
}
