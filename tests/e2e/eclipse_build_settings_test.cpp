// eclipse2hzp on the build settings of each Eclipse flavour, written as the
// published projects write them (issues 23, 24 cause 5, 26): the target,
// optimisation, language, warnings, other flags, linker script, libraries and
// build steps per configuration; each tool's own lists; the kinds of TI's and
// NXP's projects; build variables; tool chains for other processors.

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

// Issue 26, point 2: TI Code Composer Studio records the kind in the output's
// extension and the tool chain's id; NXP CodeWarrior for MCU ARM in its own
// artefact types.
TEST(EclipseBuildSettings, CodeComposerAndCodeWarriorProjectsHaveTheirKinds) {
  const auto ccs = [](const QByteArray& kind, const QByteArray& extension) {
    const QByteArray family = "com.ti.ccstudio.buildDefinitions.TMS470";
    return cdtSettings(
        cconfiguration({family + ".Debug.1580311049", "Debug",
                        "artifactExtension=\"" + extension + "\" artifactName=\"${ProjName}\" buildProperties=\"\" "
                        "cleanCommand=\"${CG_CLEAN_CMD}\" parent=\"" + family + ".Debug\"",
                        toolChain(family + "_20.2." + kind + ".DebugToolchain", "TI Build Tools",
                                  tool(family + "_20.2." + kind + ".compilerDebug", "Arm Compiler",
                                       listOption(family + "_20.2.compilerID.DEFINE", "Pre-define NAME (--define, -D)",
                                                  "definedSymbols", {"ccs"}) +
                                           listOption(family + "_20.2.compilerID.INCLUDE_PATH",
                                                      "Add dir to #include search path (--include_path, -I)",
                                                      "includePath", {"${workspace_loc:/${ProjName}/inc}"})))}),
        "<project id=\"app." + family + ".ProjectType.599460471\" name=\"TMS470\" projectType=\"" + family +
            ".ProjectType\"/>");
  };
  writeProject("ws/ccs_app", "ccs_app", ccs("exe", "out"));
  writeProject("ws/ccs_lib", "ccs_lib", ccs("library", "lib"));
  const auto codeWarrior = [](const QByteArray& artefact, const QByteArray& typeName) {
    return cdtSettings(
        cconfiguration({"org.eclipse.cdt.cross.arm.gnu.sourcery.windows.elf.debug.1", "Debug",
                        "artifactName=\"${ProjName}\" buildArtefactType=\"org.eclipse.cdt.cross.arm.gnu.buildArtefactType." +
                            artefact + "\" cleanCommand=\"rm -rf\" parent=\"org.eclipse.cdt.cross.arm.gnu.sourcery.windows.elf.debug\"",
                        toolChain("org.eclipse.cdt.cross.arm.gnu.sourcery.windows.elf.debug", "ARM Windows GCC (Sourcery G++ Lite)",
                                  {})}),
        "<project id=\"app.org.eclipse.cdt.cross.arm.gnu.sourcery.windows.elf.1\" name=\"" + typeName + "\"/>");
  };
  writeProject("ws/cw_app", "cw_app", codeWarrior("application", "ARM Cross Target Application"));
  writeProject("ws/cw_lib", "cw_lib", codeWarrior("staticLib", "ARM Project"));
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "-library-template", "L", "ws"});
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_ccs_codewarrior_kinds.hzp"));
}

// Issue 26, point 3: the build variables a configuration defines
// ("stringMacro", "stringListMacro") are expanded before the path rules, per
// configuration; one defined nowhere is reported.
TEST(EclipseBuildSettings, BuildVariablesOfAConfigurationAreExpanded) {
  const auto configuration = [](const QByteArray& name, const QByteArray& sdk) {
    return cconfiguration(
        {"com.crt.advproject.config.exe." + name.toLower() + ".1", name,
         "artifactExtension=\"axf\" artifactName=\"${ProjName}\" buildArtefactType=\"org.eclipse.cdt.build.core."
         "buildArtefactType.exe\" cleanCommand=\"rm -rf\" parent=\"com.crt.advproject.config.exe." + name.toLower() + "\"",
         toolChain("com.crt.advproject.toolchain.exe." + name.toLower(), "NXP MCU Tools",
                   tool("com.crt.advproject.gcc.exe." + name.toLower(), "MCU C Compiler",
                        listOption("gnu.c.compiler.option.include.paths", "Include paths (-I)", "includePath",
                                   {"${MCULIB}/src", "&quot;${workspace_loc:/${ProjName}/${BOARD_DIR}}&quot;",
                                    "${KSDK_PATH}/devices"}) +
                            listOption("gnu.c.compiler.option.preprocessor.def.symbols", "Defined symbols (-D)",
                                       "definedSymbols", {"${BOARD_DEFINES}", "SDK_VERSION=${SDK}"})) +
                       tool("com.crt.advproject.link.exe." + name.toLower(), "MCU Linker",
                            listOption("gnu.c.link.option.libs", "Libraries (-l)", "libs", {"${LIBS}"}))),
         {},
         "\t\t\t\t\t<stringMacro name=\"MCULIB\" type=\"VALUE_PATH_DIR\" value=\"../../../../McuLib\"/>\n"
         "\t\t\t\t\t<stringMacro name=\"BOARD_DIR\" type=\"VALUE_TEXT\" value=\"board/${BOARD}\"/>\n"
         "\t\t\t\t\t<stringMacro name=\"BOARD\" type=\"VALUE_TEXT\" value=\"frdmk64f\"/>\n"
         "\t\t\t\t\t<stringMacro name=\"SDK\" type=\"VALUE_TEXT\" value=\"" + sdk + "\"/>\n"
         "\t\t\t\t\t<stringListMacro name=\"BOARD_DEFINES\" type=\"VALUE_TEXT_LIST\">\n"
         "\t\t\t\t\t\t<value name=\"CPU_MK64FN1M0VLL12\"/>\n\t\t\t\t\t\t<value name=\"FRDM_K64F\"/>\n"
         "\t\t\t\t\t</stringListMacro>\n"
         "\t\t\t\t\t<stringListMacro name=\"LIBS\" type=\"VALUE_TEXT_LIST\">\n"
         "\t\t\t\t\t\t<value name=\"fsl_k64\"/>\n\t\t\t\t\t\t<value name=\"m\"/>\n\t\t\t\t\t</stringListMacro>\n"});
  };
  writeProject("ws/frdm/led_blinky", "led_blinky",
               cdtSettings(configuration("Debug", "2.9") + configuration("Release", "2.10"),
                           "<project id=\"led_blinky.com.crt.advproject.projecttype.exe.1\" name=\"Executable\" "
                           "projectType=\"com.crt.advproject.projecttype.exe\"/>"));
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/frdm/led_blinky/.cproject: include directory ${KSDK_PATH}/devices left out: it holds a "
                "variable that cannot be resolved\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_build_variables.hzp"));
}

// Issue 26, point 5: tool chains for processors other than ARM Cortex-M (the
// WCH RISC-V one, GNU MCU's AArch64, TI's MSP430) convert files, definitions
// and include directories, write no ARM target settings, and are named once
// per workspace.
TEST(EclipseBuildSettings, TargetsThatAreNotArmConvertWithoutArmSettings) {
  writeFile("ws/EVT/EXAM/GPIO/GPIO_Toggle/.project", wchGpioToggleProject());
  writeFile("ws/EVT/EXAM/GPIO/GPIO_Toggle/.cproject", wchGpioToggleSettings());
  for (const char* file : {"Core/core_riscv.c", "Debug/debug.c", "Ld/Link.ld", "Peripheral/src/ch32v30x_gpio.c",
                           "Startup/startup_ch32v30x_D8C.S"})
    writeFile(QString("ws/EVT/EXAM/SRC/") + file, "");
  const QByteArray aarch64 = toolChain(
      "ilg.gnuarmeclipse.managedbuild.cross.toolchain.elf.release", "Cross ARM GCC",
      option(gnuArm + "architecture", "Architecture", gnuArm + "architecture.aarch64", "enumerated") +
          option(gnuArm + "optimization.level", "Optimization Level", gnuArm + "optimization.level.more", "enumerated") +
          tool("ilg.gnuarmeclipse.managedbuild.cross.tool.c.compiler", "Cross ARM GNU C Compiler",
               listOption(gnuArm + "c.compiler.defs", "Defined symbols (-D)", "definedSymbols", {"RZ_A2M"})));
  writeProject("ws/rza", "rza",
               cdtSettings(cconfiguration({"ilg.gnuarmeclipse.managedbuild.cross.config.elf.release.1", "Release",
                                           gnuArmExecutable("release"), aarch64}),
                           gnuArmProjectElement()));
  const QByteArray msp430 = "com.ti.ccstudio.buildDefinitions.MSP430";
  writeProject("ws/fr5994", "fr5994",
               cdtSettings(cconfiguration({msp430 + ".Debug.1580311049", "Debug",
                                           "artifactExtension=\"out\" artifactName=\"${ProjName}\" buildProperties=\"\" "
                                           "cleanCommand=\"${CG_CLEAN_CMD}\" parent=\"" + msp430 + ".Debug\"",
                                           toolChain(msp430 + "_GNU_8.2.exe.DebugToolchain", "TI Build Tools",
                                                     tool(msp430 + "_GNU_8.2.exe.compilerDebug", "GNU Compiler",
                                                          listOption(msp430 + "_GNU_8.2.compilerID.DEFINE",
                                                                     "Define symbols (-D)", "definedSymbols",
                                                                     {"TF_LITE_STATIC_MEMORY"})))}),
                           "<project id=\"fr5994." + msp430 + ".ProjectType.1\" name=\"MSP430\" projectType=\"" + msp430 +
                               ".ProjectType\"/>"));
  expectSuccess({"eclipse2hzp", "-executable-template", "E", "ws"},
                "warning: ws/EVT/EXAM/GPIO/GPIO_Toggle/.cproject: no configuration is named Debug or Release; 'obj' is "
                "read as both\n"
                "warning: ws: RISC-V target: files, definitions and include directories converted, no ARM target "
                "settings written\n"
                "warning: ws: MSP430 target: files, definitions and include directories converted, no ARM target "
                "settings written\n"
                "warning: ws: AArch64 target: files, definitions and include directories converted, no ARM target "
                "settings written\n"
                "warning: ws/EVT/EXAM/GPIO/GPIO_Toggle/.cproject: not carried: runtime library option -nostartfiles; "
                "--specs=nano.specs (configuration obj)\n"
                "warning: ws/EVT/EXAM/GPIO/GPIO_Toggle/.cproject: not carried: RISC-V option -march=rv32imacxw; "
                "-mabi=ilp32 (configuration obj)\n");
  EXPECT_EQ(readFile("ws/ws.hzp"), expectedSolution("eclipse_other_architectures.hzp"));
}
