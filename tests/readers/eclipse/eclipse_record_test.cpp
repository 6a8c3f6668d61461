// Eclipse CDT projects read into records, without the solution model: every
// named configuration in document order, the project directory mirrored with
// its links after it, and the device a project names or the one before it named;
// each tool's settings, exclusions and the settings of files of their own.

#include <gtest/gtest.h>

#include "e2e/eclipse_fixtures.h"
#include "helpers/test_support.h"
#include "readers/common/conversion_context.h"
#include "readers/eclipse/eclipse_project_reader.h"
#include "readers/eclipse/eclipse_workspace.h"

using eclipse_fixtures::copyFixture;

namespace {

/// The records of the workspace's projects, in search order, and the warnings.
struct WorkspaceRecords {
  std::vector<ProjectRecord> records;
  QStringList warnings;
};

WorkspaceRecords readWorkspace(const QString& directory, qsizetype listedItems = maximumListedItems) {
  const ReaderOptions options;
  Diagnostics diagnostics;
  ConversionContext context(options, diagnostics);
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
  // a links the file shared.c and the folder lib/drv; b is a library naming no device.
  copyFixture("record_sources_and_links");
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
  EXPECT_EQ(
      read.warnings,
      QStringList(
          {"ws/a/.cproject: include directory ${NOWHERE}/x left out: it holds a variable that cannot be resolved"}));
}

// The target, code generation and linker of a configuration; the C compiler's
// and the assembler's lists apart; a file its configuration leaves out, and a
// file with options of its own (its whole lists: the mapper takes the
// difference), one of which the table does not know.
TEST(EclipseRecord, ToolSettingsExclusionsAndFileSettings) {
  copyFixture("record_tool_settings");  // src/xom.c has "-mpure-code" and a listing, src/old.c is excluded
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
                                                     "          optimization: -Os\n"
                                                     "  not carried: Eclipse option c.compiler.asmlisting=true of "
                                                     "src/xom.c (Release)\n"));
}

// The scan that reaches the workspace's budget of listed files and folders is
// named: the link, or the project directory.
TEST(EclipseRecord, TheScanThatReachesTheBudgetIsNamed) {
  copyFixture("record_budget");  // a links the folder drv to drivers
  const WorkspaceRecords read = readWorkspace("ws", 3);
  ASSERT_EQ(read.records.size(), 2u);
  EXPECT_EQ(
      read.warnings,
      QStringList({"ws/a/.project: link drv reached the 3 files and folders a workspace may list; the rest is left out",
                   "ws/b: reached the 3 files and folders a workspace may list; the rest is left out"}));
  EXPECT_TRUE(read.records[1].sources.empty());
}
