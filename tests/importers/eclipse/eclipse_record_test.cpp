// Eclipse CDT projects read into records, without the solution model: every
// named configuration in document order, the project directory mirrored with
// its links after it, and the device a project names or the one before it named;
// each tool's settings, exclusions and the settings of files of their own.

#include <gtest/gtest.h>

#include "e2e/eclipse_fixtures.h"
#include "e2e/eclipse_vendor_fixtures.h"
#include "importers/common/conversion_context.h"
#include "importers/eclipse/eclipse_project_reader.h"
#include "importers/eclipse/eclipse_workspace.h"
#include "support/test_support.h"

using namespace eclipse_fixtures;
using testing_support::writeFile;

namespace {

/// The records of the workspace's projects, in search order, and the warnings.
struct WorkspaceRecords {
  std::vector<ProjectRecord> records;
  QStringList warnings;
};

WorkspaceRecords readWorkspace(const QString& directory, qsizetype listedItems = maximumListedItems) {
  const ImportSettings settings;
  Diagnostics diagnostics;
  ConversionContext context(settings, {}, diagnostics);
  context.setWorkspaceDirectory(directory);
  const EclipseWorkspace workspace(context, directory);
  EclipseWorkspaceReading reading;
  reading.budget = ListingBudget(listedItems);
  WorkspaceRecords result;
  for (const EclipseProjectFile& file : workspace.projectFiles)
    if (std::optional<ProjectRecord> record = readEclipseProject(context, workspace, file, reading))
      result.records.push_back(std::move(*record));
  result.warnings = diagnostics.pendingWarnings();
  return result;
}

}  // namespace

TEST(EclipseRecord, ConfigurationsSourcesAndLinks) {
  writeProject("ws/a", "a",
               cproject({{"Release", listOption("definedSymbols", {"NDEBUG"}) + microcontroller("STM32F4")},
                         {"Debug", listOption("includePath", {"../inc", "${NOWHERE}/x"})}}),
               "\t<linkedResources>\n" + link("shared.c", "1", "<locationURI>PARENT-1-PROJECT_LOC/common/shared.c</locationURI>") +
                   link("lib/drv", "2", "<locationURI>PARENT-1-PROJECT_LOC/drivers</locationURI>") +
                   "\t</linkedResources>\n");
  writeFile("ws/a/main.c", "");
  writeFile("ws/a/src/util.c", "");
  writeFile("ws/a/README", "");
  writeFile("ws/common/shared.c", "");
  writeFile("ws/drivers/uart.c", "");
  writeProject("ws/b", "b", cproject({{"Debug", {}}}, "Static Library"));

  const WorkspaceRecords read = readWorkspace("ws");
  ASSERT_EQ(read.records.size(), 2u);
  EXPECT_EQ(describeRecord(read.records[0]), QString("project: a\n"
                                                     "  kind: executable\n"
                                                     "  directory: ws/a\n"
                                                     "  from: ws/a/.cproject\n"
                                                     "  configuration: Release\n"
                                                     "    device: STM32F4\n"
                                                     "    definitions: NDEBUG\n"
                                                     "  configuration: Debug\n"
                                                     "    device: STM32F4\n"
                                                     "    include directories: inc\n"
                                                     "  sources: Source Files\n"
                                                     "    file: ./main.c\n"
                                                     "    folder: src\n"
                                                     "      file: ./src/util.c\n"
                                                     "    file: ../common/shared.c\n"
                                                     "    folder: lib\n"
                                                     "      folder: drv\n"
                                                     "        file: ../drivers/uart.c\n"));
  // The device of the project read before counts where a project names none.
  EXPECT_EQ(read.records[1].kind, ProjectKind::StaticLibrary);
  EXPECT_EQ(read.records[1].configurations[0].device.name, "STM32F4");
  EXPECT_EQ(read.warnings,
            QStringList({"ws/a/.cproject: include directory ${NOWHERE}/x left out: it holds a variable that cannot be resolved"}));
}

// The target, code generation and linker of a configuration; the C compiler's
// and the assembler's lists apart; a file its configuration leaves out, and a
// file with options of its own (its whole lists: the mapper takes the difference).
TEST(EclipseRecord, ToolSettingsExclusionsAndFileSettings) {
  using namespace vendor_fixtures;
  const QByteArray p = "ilg.gnuarmeclipse.managedbuild.cross.option.";
  const QByteArray tools =
      toolChain("ilg.gnuarmeclipse.managedbuild.cross.toolchain.elf.release", "Cross ARM GCC",
                option(p + "arm.target.family", "ARM family", p + "arm.target.mcpu.cortex-m4", "enumerated") +
                    option(p + "optimization.level", "Optimization Level", p + "optimization.level.size", "enumerated") +
                    tool("ilg.gnuarmeclipse.managedbuild.cross.tool.assembler", "Cross ARM GNU Assembler",
                         listOption(p + "assembler.defs", "Defined symbols (-D)", "definedSymbols", {"DEBUG"})) +
                    tool("ilg.gnuarmeclipse.managedbuild.cross.tool.c.compiler", "Cross ARM GNU C Compiler",
                         listOption(p + "c.compiler.defs", "Defined symbols (-D)", "definedSymbols", {"DEBUG", "X"})) +
                    tool("ilg.gnuarmeclipse.managedbuild.cross.tool.c.linker", "Cross ARM GNU C Linker",
                         listOption(p + "c.linker.scriptfile", "Script files (-T)", "stringList", {"../mem.ld"})));
  writeFile("ws/a/.project", projectDescription("a", {}));
  writeFile("ws/a/.cproject",
            cdtSettings(cconfiguration({"ilg.gnuarmeclipse.managedbuild.cross.config.elf.release.1", "Release",
                                        gnuArmExecutable("release"), tools,
                                        nuvotonFileInfo("xom.c", "src/xom.c", "-mpure-code") +
                                            sourceEntries(sourceEntry("", "src/old.c"))}),
                        gnuArmProjectElement()));
  writeFile("ws/a/src/xom.c", "");
  writeFile("ws/a/src/old.c", "");
  const WorkspaceRecords read = readWorkspace("ws");
  ASSERT_EQ(read.records.size(), 1u);
  EXPECT_EQ(describeRecord(read.records[0]), QString("project: a\n"
                                                     "  kind: executable\n"
                                                     "  directory: ws/a\n"
                                                     "  from: ws/a/.cproject\n"
                                                     "  configuration: Release\n"
                                                     "    core: cortex-m4\n"
                                                     "    definitions: DEBUG | X\n"
                                                     "    assembler definitions: DEBUG\n"
                                                     "    optimization: -Os\n"
                                                     "    linker script: mem.ld (GNU ld script)\n"
                                                     "  sources: Source Files\n"
                                                     "    folder: src\n"
                                                     "      file: ./src/old.c\n"
                                                     "        excluded from: Release\n"
                                                     "      file: ./src/xom.c\n"
                                                     "        settings of: Release\n"
                                                     "          definitions: DEBUG | X\n"
                                                     "          options: -mpure-code\n"
                                                     "          assembler definitions: DEBUG\n"
                                                     "          optimization: -Os\n"));
}

// The scan that reaches the workspace's budget of listed files and folders is
// named: the link, or the project directory.
TEST(EclipseRecord, TheScanThatReachesTheBudgetIsNamed) {
  writeProject("ws/a", "a", cproject({{"Debug", {}}}),
               "\t<linkedResources>\n" + link("drv", "2", "<locationURI>PARENT-1-PROJECT_LOC/drivers</locationURI>") +
                   "\t</linkedResources>\n");
  writeProject("ws/b", "b", cproject({{"Debug", {}}}));
  for (const char* file : {"ws/a/main.c", "ws/a/x.c", "ws/drivers/i2c.c", "ws/drivers/spi.c", "ws/b/b.c"})
    writeFile(file, "");
  const WorkspaceRecords read = readWorkspace("ws", 3);
  ASSERT_EQ(read.records.size(), 2u);
  EXPECT_EQ(read.warnings,
            QStringList({"ws/a/.project: link drv reached the 3 files and folders a workspace may list; the rest is left out",
                         "ws/b: reached the 3 files and folders a workspace may list; the rest is left out"}));
  EXPECT_TRUE(read.records[1].sources.empty());
}
