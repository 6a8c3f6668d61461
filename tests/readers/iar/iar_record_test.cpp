// An IAR workspace's project read into a record, without the solution model:
// the settings of files and groups and project connection files. The rest of
// what a record holds is shown end to end (tests/e2e/iar_test.cpp,
// tests/e2e/iar_settings_test.cpp).

#include <gtest/gtest.h>

#include "e2e/iar_fixtures.h"
#include "helpers/test_support.h"
#include "readers/common/conversion_context.h"
#include "readers/common/library_builders.h"
#include "readers/iar/iar_project_record.h"
#include "readers/iar/iar_workspace.h"

namespace {

// The record of the first project of ws.eww in tests/e2e/fixtures/iar/<fixture>, copied here.
std::optional<ProjectRecord> firstProjectRecord(const QString& fixture) {
  iar_fixtures::copyFixture(fixture);
  const ReaderOptions options;
  Diagnostics diagnostics;
  ConversionContext context(options, diagnostics);
  IarWorkspace workspace(context, "ws.eww");
  return readProjectRecord(context, workspace, iarLibraryBuilders(workspace), 0);
}

}  // namespace

// A file or group's own settings are its whole compile settings per
// configuration it names, over its project's (a configuration the project
// lacks, here "Flash", is ignored, as Embedded Workbench does). What they add
// that cannot be carried, and the project's entries they drop, are reported
// with the item.
TEST(IarRecord, OwnSettingsOfFilesAndGroups) {
  const std::optional<ProjectRecord> app = firstProjectRecord("own_settings");
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

// A project connection file joins its project: its settings to every
// configuration or the one it names, lists after the project's, relative paths
// based on its own directory (gen/); its files in a group of its name, a group
// with build="false" left out of every configuration; a copy not made yet is
// its original; what the solution cannot carry is reported.
TEST(IarRecord, ProjectConnectionFilesJoinTheirProject) {
  const std::optional<ProjectRecord> app = firstProjectRecord("connection_forms");
  ASSERT_TRUE(app);
  EXPECT_EQ(describeRecord(*app).section("  configuration: ", 2),
            QString("Release\n"
                    "    device: STM32F407VG\n"
                    "    definitions: USE_HAL_DRIVER | NDEBUG\n"
                    "    include directories: $(ProjectDir) | $(ProjectDir)/inc\n"
                    "    linker script: app.icf (ICF file)\n"
                    "    linker files: $(ProjectDir)/lib/extra.a\n"
                    "    stack size: 2048\n"
                    "    heap size: 1024\n"
                    "    before build: $(ProjectDir)\\gen\\prepare.bat\n"
                    "  sources: Source Files\n"
                    "    folder: Generated\n"
                    "      folder: Excluded_From_Build\n"
                    "        excluded from: Debug | Release\n"
                    "        file: notes.txt\n"
                    "      folder: drivers\n"
                    "        folder: uart\n"
                    "          file: src/uart.c\n"
                    "      file: src/main.c\n"
                    "      file: gen/templates/board.c\n"
                    "    file: gen/app.ipcf\n"
                    "  not carried: memory layout app.icf (file not found) (Debug, Release)\n"
                    "  not carried: IAR linker option --silent (Debug, Release)\n"
                    "  not carried: custom build tool Generator: $GEN_ROOT$/gen.bat $FILE_PATH$ ()\n"
                    "  not carried: heap 1: 256 ()\n"));
  EXPECT_EQ(describeRecord(*app).count("definitions: USE_HAL_DRIVER\n"), 1);  // Debug's
}
