// The Eclipse importer's path rules (tests/e2e/eclipse_test.cpp covers how
// their results reach the solution).

#include <gtest/gtest.h>

#include "importers/eclipse_configuration.h"
#include "importers/eclipse_linked_files.h"

TEST(EclipseIncludePath, WorkspaceLocationsBecomeSolutionPathsAndOthersLoseThreeCharacters) {
  EXPECT_EQ(rewriteIncludePath("../inc", "demo"), "inc");
  EXPECT_EQ(rewriteIncludePath("\"${workspace_loc:/${ProjName}/inc}\"", "demo"), "$(SolutionDir)/demo/inc");
  EXPECT_EQ(rewriteIncludePath("${workspace_loc:/x/${ProjName}/${ProjName}}", "demo"),
            "$(SolutionDir)/x/demo/${ProjName}");
  EXPECT_EQ(rewriteIncludePath("..\\drivers\\inc", "demo"), "drivers/inc");
  EXPECT_EQ(rewriteIncludePath("/usr/include", "demo"), "r/include");
  EXPECT_EQ(rewriteIncludePath("ab", "demo"), "");
  EXPECT_EQ(rewriteIncludePath("${workspace_loc:/}", "demo"), "$(SolutionDir)/");
  EXPECT_EQ(rewriteIncludePath("${workspace_loc:/x", "demo"), "orkspace_loc:/x");
  EXPECT_EQ(rewriteIncludePath("${ProjDirPath}/Inc", "demo"), "rojDirPath}/Inc");
  EXPECT_EQ(rewriteIncludePath("\"", "demo"), "");
}

TEST(EclipseLinkedFile, ParentCountsAreDecimalAndCapped) {
  EXPECT_EQ(linkedFilePath("PARENT-10-PROJECT_LOC/x.c"), QString("../").repeated(10) + "x.c");
  EXPECT_EQ(linkedFilePath("PARENT-01-PROJECT_LOC/x.c"), "../x.c");
  // "C*" also matches "PROJECT_LO"; the same number of characters is dropped.
  EXPECT_EQ(linkedFilePath("PARENT-1-PROJECT_LO/abc"), "../bc");
  EXPECT_EQ(linkedFilePath("parent-1-PROJECT_LOC/y.c"), "parent-1-PROJECT_LOC/y.c");
  // Counts beyond any real depth are capped instead of exhausting memory.
  EXPECT_EQ(linkedFilePath("PARENT-99999999999999999999999-PROJECT_LOC/x"), QString("../").repeated(2048) + "x");
}
