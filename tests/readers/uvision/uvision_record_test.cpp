// A uVision project file read into records, one per target, without the
// solution model: what the reader hands the mapper before any rule applies.

#include <gtest/gtest.h>

#include "e2e/uvision_fixtures.h"
#include "helpers/test_support.h"
#include "readers/common/conversion_context.h"
#include "readers/uvision/uvision_model.h"

namespace {

struct ReadProject {
  const ReaderOptions options;
  Diagnostics diagnostics;
  ConversionContext context{options, diagnostics};
  std::unique_ptr<UVisionProject> project;

  explicit ReadProject(const QString& file) {
    context.setWorkspaceDirectory("ws");
    project = std::make_unique<UVisionProject>(context, file, "ws/" + file, "ws/w.uvmpw");
  }
};

}  // namespace

// Lists split at commas, blanks and tabs; include entries relative to the
// project; a nameless group's files are left out; library files are what the
// target links, not sources; paths keep the spelling the file gives them.
TEST(UVisionRecord, ATargetsListsFoldersAndLinkedLibraries) {
  uvision_fixtures::copyFixture("target", "ws");
  uvision_fixtures::copyFixture("dependencies", "ws/dep");
  ReadProject app("app.uvprojx");
  ASSERT_EQ(app.project->targets.size(), 1u);
  EXPECT_EQ(describeRecord(app.project->targets[0].record),
            QString("project: app\n"
                    "  kind: executable\n"
                    "  directory: ws\n"
                    "  from: ws/app.uvprojx\n"
                    "  configuration: T\n"
                    "    definitions: STM32F4 | DEBUG=1\n"
                    "    undefinitions: NDEBUG\n"
                    "    include directories: $(ProjectDir)/../inc | $(ProjectDir) | $(ProjectDir)/src\n"
                    "    assembler definitions: __ASSEMBLER_ONLY\n"
                    "    output directory: ./Objects/\n"
                    "  sources: Source Files\n"
                    "    folder: Source\n"
                    "      file: ./src/main.c\n"
                    "      file: readme.txt\n"
                    "    folder: Source\n"
                    "      file: b.c\n"));
  EXPECT_EQ(app.diagnostics.pendingWarnings(), QStringList());

  ReadProject linking("dep/app.uvprojx");
  ASSERT_EQ(linking.project->targets.size(), 1u);
  EXPECT_EQ(linking.project->targets[0].linkedLibraries, QStringList({"./lib/libm.a", "x/other.lib", "libm.a"}));
  EXPECT_TRUE(describeRecord(linking.project->targets[0].record)
                  .endsWith("    folder: Libs\n"
                            "      file: keep.c\n"));

  // A FileName that is not the last component of the path as found on disk is
  // kept for the file filters (elsewhere they take the path's).
  uvision_fixtures::copyFixture("windows_paths", "ws/l5");
  ReadProject named("l5/NonSecure/App_ns.uvprojx");
  EXPECT_TRUE(describeRecord(named.project->targets[0].record).endsWith("file: ../Secure/src/main.c as uart.c\n"));
}

// ARM Compiler 5 with "Strict ANSI C" is ISO C, and --c99 in its options is C99
// as "C99 mode" is; ARM Compiler 6 without a language is its default, gnu11.
TEST(UVisionRecord, LanguageModesOfTheStrictAndDefaultForms) {
  uvision_fixtures::copyFixture("artery_calibration_ac5", "ws");
  const QByteArray project = testing_support::readFile("ws/mdk_v5/calibration.uvprojx");
  const auto standardWith = [&](const QList<std::pair<QByteArray, QByteArray>>& edits) {
    QByteArray edited = project;
    for (const auto& [from, to] : edits) edited.replace(from, to);
    testing_support::writeFile("ws/mdk_v5/calibration.uvprojx", edited);
    const ReadProject read("mdk_v5/calibration.uvprojx");
    return read.project->targets[0].record.configurations[0].compile.codeGeneration.cStandard;
  };
  EXPECT_EQ(standardWith({{"<Strict>0", "<Strict>1"}, {"<MiscControls>", "<MiscControls>--c99"}}), "c99");
  EXPECT_EQ(standardWith({{"<uAC6>0", "<uAC6>1"}, {"<v6Lang>1", "<v6Lang>0"}}), "gnu11");
}
