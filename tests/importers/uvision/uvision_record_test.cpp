// A uVision project file read into records, one per target that builds
// something, without the solution model.

#include <gtest/gtest.h>

#include "e2e/uvision_fixtures.h"
#include "importers/common/conversion_context.h"
#include "importers/uvision/uvision_model.h"
#include "support/test_support.h"

using namespace uvision_fixtures;
using testing_support::writeFile;

// Library files are what the target links, not sources; paths are spelled as
// on disk; a target without CreateExecutable becomes no project, and the two
// that do are named after their targets.
TEST(UVisionRecord, EachTargetThatBuildsIsAProject) {
  writeFile("ws/sub/Src/main.c", "");
  writeFile("ws/sub/p.uvprojx",
            project({{.name = "Flash",
                      .outputDirectory = ".\\Objects\\", .define = "A, B=\"x y\"", .undefine = "C",
                      .includePath = "..\\inc;.;;src\\",
                      .groups = group("App", {{"main.c", ".\\src\\main.c"}, {"libm.a", ".\\lib\\libm.a"}}) +
                                group("", {{"lost.c", "lost.c"}})},
                     {.name = "Lib (GNU)", .toolset = "ARM-GNU", .createExecutable = "0", .define = "GNU"},
                     {.createExecutable = QByteArray()}}));
  const ImportSettings settings;
  Diagnostics diagnostics;
  ConversionContext context(settings, {}, diagnostics);
  context.setWorkspaceDirectory("ws");
  const UvProject project(context, "sub\\p.uvprojx", "ws/sub/p.uvprojx", "ws/w.uvmpw");
  ASSERT_EQ(project.targets.size(), 3u);
  EXPECT_EQ(describeRecord(project.targets[0].record),
            QString("project: p_Flash\n"
            "  kind: executable\n"
            "  directory: ws/sub\n"
            "  from: ws/sub/p.uvprojx\n"
            "  configuration: Flash\n"
            "    definitions: A | B=\"x y\"\n"
            "    undefinitions: C\n"
            "    include directories: $(ProjectDir)/../inc | $(ProjectDir) | $(ProjectDir)/Src\n"
            "    assembler definitions: __ASSEMBLER_ONLY\n"
            "    output directory: ./Objects/\n"
            "  sources: Source Files\n"
            "    folder: App\n"
            "      file: ./Src/main.c\n"));
  EXPECT_EQ(project.targets[0].linkedLibraries, QStringList({"./lib/libm.a"}));
  EXPECT_EQ(describeRecord(project.targets[1].record),
            QString("project: p_Lib__GNU_\n"
            "  kind: static library\n"
            "  directory: ws/sub\n"
            "  from: ws/sub/p.uvprojx\n"
            "  configuration: Lib (GNU)\n"
            "    definitions: GNU\n"
            "    assembler definitions: __ASSEMBLER_ONLY\n"));
  EXPECT_FALSE(project.targets[2].buildsOutput);
  EXPECT_EQ(project.targets[2].projectName, "p");
  EXPECT_EQ(diagnostics.pendingWarnings(), QStringList());
}
