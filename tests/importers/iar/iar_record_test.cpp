// An IAR workspace's project read into a record, without the solution model:
// the settings of files and groups, and another architecture's options. The
// rest of what a record holds is shown end to end (tests/e2e/iar_test.cpp).

#include <gtest/gtest.h>

#include "e2e/iar_fixtures.h"
#include "importers/common/conversion_context.h"
#include "importers/iar/iar_libraries.h"
#include "importers/iar/iar_project_record.h"
#include "importers/iar/iar_workspace.h"
#include "support/test_support.h"

namespace {

// The record of the first project of ws.eww in tests/e2e/fixtures/iar/<fixture>, copied here.
std::optional<ProjectRecord> firstProjectRecord(const QString& fixture) {
  iar_fixtures::copyFixture(fixture);
  const ImportSettings settings;
  Diagnostics diagnostics;
  ConversionContext context(settings, {}, diagnostics);
  const IarWorkspace workspace(context, "ws.eww");
  return readProjectRecord(context, workspace, IarLibraryBuilders(workspace), workspace.projects[0]);
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

// Embedded Workbench for RISC-V (its own option names for the device and the
// assembler): the architecture is named, nothing of ARM's is read, not even
// the memory of its ICF; files, definitions and include directories are.
TEST(IarRecord, OtherArchitectureKeepsFilesDefinitionsAndIncludeDirectories) {
  const std::optional<ProjectRecord> hello = firstProjectRecord("riscv");
  ASSERT_TRUE(hello);
  EXPECT_EQ(describeRecord(*hello).section("  configuration: ", 1),
            QString("Debug\n"
                    "    device: N300\n"
                    "    other architecture: RISC-V\n"
                    "    core: RV32IMAFDC\n"
                    "    definitions: DOWNLOAD_MODE=DOWNLOAD_MODE_ILM\n"
                    "    include directories: $(ProjectDir)/../NMSIS/Core/Include\n"
                    "    assembler definitions: ASM_ONLY\n"
                    "    assembler include directories: $(ProjectDir)/../NMSIS/Core/Include\n"
                    "    linker script: ilm.icf (ICF file)\n"
                    "  sources: Source Files\n"
                    "    file: main.c\n"));
}
