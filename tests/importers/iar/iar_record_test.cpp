// An IAR workspace's project files read into records, without the solution
// model: every configuration in file order, groups as nested folders, and the
// libraries other projects build as dependencies, the settings of files and
// groups.

#include <gtest/gtest.h>

#include "e2e/iar_fixtures.h"
#include "importers/common/conversion_context.h"
#include "importers/iar/iar_libraries.h"
#include "importers/iar/iar_project_record.h"
#include "importers/iar/iar_workspace.h"
#include "support/test_support.h"

using namespace iar_fixtures;
using testing_support::writeFile;

TEST(IarRecord, ConfigurationsFoldersAndDependencies) {
  writeFile("ws/ws.eww", workspace({"$WS_DIR$\\app\\app.ewp", "$WS_DIR$\\lib.ewp"}));
  writeFile("ws/app/app.ewp",
            project({{.name = "Release", .executablePath = "Release\\Exe", .chip = "STM32F407VG\tST STM32F407VG",
                      .defines = {"NDEBUG"}, .includePaths = {"$PROJ_DIR$\\..\\inc", "$TOOLKIT_DIR$\\inc"},
                      .libraries = {"$PROJ_DIR$\\..\\Release\\lib.a", "$PROJ_DIR$\\m.a"}},
                     {.name = "Debug", .objectPath = "Debug\\Obj", .defines = {"DEBUG"}}},
                    group("Drivers", group("HAL", file("$PROJ_DIR$\\hal.c")) + file("$PROJ_DIR$\\drv.c", {"Debug"}),
                          {"Release"}) +
                        file("$PROJ_DIR$\\main.c") + file("$PROJ_DIR$\\..\\Debug\\Exe\\lib.a")));
  writeFile("ws/lib.ewp", project({{.outputBinary = "1"}}, ""));
  const ImportSettings settings;
  Diagnostics diagnostics;
  ConversionContext context(settings, {}, diagnostics);
  const IarWorkspace workspace(context, "ws/ws.eww");
  const IarLibraryBuilders builders(workspace);
  const std::optional<ProjectRecord> app = readProjectRecord(context, workspace, builders, workspace.projects[0]);
  ASSERT_TRUE(app);
  EXPECT_EQ(describeRecord(*app), QString("project: app\n"
                                          "  kind: executable\n"
                                          "  directory: ws/app\n"
                                          "  from: ws/app/app.ewp\n"
                                          "  dependencies: lib\n"
                                          "  configuration: Release\n"
                                          "    device: STM32F407VG\n"
                                          "    definitions: NDEBUG\n"
                                          "    include directories: $(ProjectDir)/../inc\n"
                                          "    linker files: $(ProjectDir)/m.a\n"
                                          "    output directory: Release/Exe\n"
                                          "  configuration: Debug\n"
                                          "    definitions: DEBUG\n"
                                          "    intermediate directory: Debug/Obj\n"
                                          "  sources: Source Files\n"
                                          "    folder: Drivers\n"
                                          "      excluded from: Release\n"
                                          "      folder: HAL\n"
                                          "        file: hal.c\n"
                                          "      file: drv.c\n"
                                          "        excluded from: Debug\n"
                                          "    file: main.c\n"));
  EXPECT_EQ(diagnostics.pendingWarnings(),
            QStringList({"ws/app/app.ewp: paths in the IAR installation left out: $TOOLKIT_DIR$\\inc"}));
}

// A project without any configuration has nothing to build: no record.
TEST(IarRecord, ProjectWithoutConfigurationsIsLeftOut) {
  writeFile("ws.eww", workspace({"$WS_DIR$\\empty.ewp"}));
  writeFile("empty.ewp", project({}, file("$PROJ_DIR$\\main.c")));
  const ImportSettings settings;
  Diagnostics diagnostics;
  ConversionContext context(settings, {}, diagnostics);
  const IarWorkspace workspace(context, "ws.eww");
  EXPECT_FALSE(readProjectRecord(context, workspace, IarLibraryBuilders(workspace), workspace.projects[0]));
  EXPECT_EQ(diagnostics.pendingWarnings(),
            QStringList({"empty.ewp: project empty left out: Debug and Release configuration not specified"}));
}

// A file or group's own settings are its whole compile settings per
// configuration it names, over its project's (a configuration the project
// lacks is ignored, as Embedded Workbench does). What they add that cannot be
// carried, and the project's entries they drop, are reported with the item.
TEST(IarRecord, OwnSettingsOfFilesAndGroups) {
  writeFile("ws.eww", workspace({"$WS_DIR$\\app.ewp"}));
  const QByteArray startup = settings("ICCARM", option("CCDefines", {"NDEBUG", "FAST"}));
  const QByteArray main = settings("ICCARM", option("CCDefines", {""}) + option("CCOptLevel", {"3"}) +
                                                 option("CCOptStrategy", {"1"}) + option("CCDiagSuppress", {"Pe177"}));
  writeFile("app.ewp",
            project({{.name = "Debug", .defines = {"DEBUG"}}, {.name = "Release", .defines = {"NDEBUG"}}},
                    group("Startup", file("$PROJ_DIR$\\startup.s"), {}, ownSettings("Release", startup)) +
                        file("$PROJ_DIR$\\main.c", {}, ownSettings("Debug", main) + ownSettings("Flash", main))));
  const ImportSettings importSettings;
  Diagnostics diagnostics;
  ConversionContext context(importSettings, {}, diagnostics);
  const IarWorkspace workspace(context, "ws.eww");
  const std::optional<ProjectRecord> app =
      readProjectRecord(context, workspace, IarLibraryBuilders(workspace), workspace.projects[0]);
  ASSERT_TRUE(app);
  EXPECT_EQ(describeRecord(*app).section("  sources: ", 1), QString("Source Files\n"
                                                                     "    folder: Startup\n"
                                                                     "      settings of: Release\n"
                                                                     "        definitions: NDEBUG | FAST\n"
                                                                     "      file: startup.s\n"
                                                                     "    file: main.c\n"
                                                                     "      settings of: Debug\n"
                                                                     "        optimization: -Os\n"
                                                                     "  not carried: IAR compiler option "
                                                                     "--diag_suppress=Pe177 on main.c (Debug)\n"
                                                                     "  not carried: definition DEBUG left out by "
                                                                     "main.c (Debug)\n"));
}

// Embedded Workbench for RISC-V (its own option names for the device and the
// assembler): the architecture is named, nothing of ARM's is read, not even
// the memory of its ICF; files, definitions and include directories are.
TEST(IarRecord, OtherArchitectureKeepsFilesDefinitionsAndIncludeDirectories) {
  const QByteArray configuration =
      "  <configuration>\r\n    <name>Debug</name>\r\n    <toolchain>\r\n      <name>RISCV</name>\r\n"
      "    </toolchain>\r\n    <debug>1</debug>\r\n" +
      settings("General", option("GDeviceSelect", {"N300\tNuclei N300"}) + option("GCoreDevice", {"RV32IMAFDC"})) +
      settings("ICCRISCV", option("CCDefines", {"DOWNLOAD_MODE=DOWNLOAD_MODE_ILM"}) +
                               option("CCIncludePath2", {"$PROJ_DIR$\\..\\NMSIS\\Core\\Include"})) +
      settings("IASMRISCV", option("AsmIncludePath", {"$PROJ_DIR$\\..\\NMSIS\\Core\\Include"}) +
                                option("AsmDefines", {"ASM_ONLY"})) +
      settings("ILINK", option("IlinkIcfOverride", {"1"}) + option("IlinkIcfFile", {"$PROJ_DIR$\\ilm.icf"})) +
      "  </configuration>\r\n";
  writeFile("ws.eww", workspace({"$WS_DIR$\\hello.ewp"}));
  writeFile("hello.ewp",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<project>\r\n  <fileVersion>4</fileVersion>\r\n" +
                configuration + file("$PROJ_DIR$\\main.c") + "</project>\r\n");
  writeFile("ilm.icf", "define symbol __ICFEDIT_region_IROM1_start__ = 0x80000000;\n"
                       "define symbol __ICFEDIT_region_IROM1_end__ = 0x8000FFFF;\n");
  const ImportSettings importSettings;
  Diagnostics diagnostics;
  ConversionContext context(importSettings, {}, diagnostics);
  const IarWorkspace workspace(context, "ws.eww");
  const std::optional<ProjectRecord> hello =
      readProjectRecord(context, workspace, IarLibraryBuilders(workspace), workspace.projects[0]);
  ASSERT_TRUE(hello);
  EXPECT_EQ(describeRecord(*hello).section("  configuration: ", 1),
            QString("Debug\n"
                    "    device: N300\n"
                    "    other architecture: RISC-V\n"
                    "    definitions: DOWNLOAD_MODE=DOWNLOAD_MODE_ILM\n"
                    "    include directories: $(ProjectDir)/../NMSIS/Core/Include\n"
                    "    assembler definitions: ASM_ONLY\n"
                    "    assembler include directories: $(ProjectDir)/../NMSIS/Core/Include\n"
                    "    linker script: ilm.icf (ICF file)\n"
                    "  sources: Source Files\n"
                    "    file: main.c\n"));
}
