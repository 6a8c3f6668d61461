// Paths of IAR project files in the forms the solution writes them.

#include <gtest/gtest.h>

#include "importers/common/foreign_path.h"
#include "importers/iar/iar_paths.h"
#include "support/test_support.h"

using testing_support::writeFile;

TEST(IarPathConverter, ProjectAndWorkspaceVariablesBecomeRelativePathsOrMacros) {
  writeFile("ws/App/Src/main.c", "");
  writeFile("ws/Common/Inc/board.h", "");
  ForeignPathResolver resolver;
  IarPathConverter paths(resolver, "ws/App", "ws");
  EXPECT_EQ(paths.projectRelative("$PROJ_DIR$\\src\\MAIN.C"), "Src/main.c");
  EXPECT_EQ(paths.projectRelative("$PROJ_DIR$"), ".");
  EXPECT_EQ(paths.projectRelative("$PROJ_DIR$\\.\\Src\\..\\Debug\\Exe\\"), "Debug/Exe");
  EXPECT_EQ(paths.projectRelative("$WS_DIR$\\common\\inc\\board.h"), "../Common/Inc/board.h");
  EXPECT_EQ(paths.projectRelative("$WS_DIR$\\App\\Src\\main.c"), "Src/main.c");
  EXPECT_EQ(paths.projectRelative("$WS_DIR$\\app"), ".");
  EXPECT_EQ(paths.projectRelative("Src\\main.c"), "Src/main.c");
  EXPECT_EQ(paths.macroBased("$PROJ_DIR$\\"), "$(ProjectDir)");
  EXPECT_EQ(paths.macroBased("$PROJ_DIR$\\..\\COMMON\\inc"), "$(ProjectDir)/../Common/Inc");
  EXPECT_EQ(paths.macroBased("$WS_DIR$\\Common\\Inc\\"), "$(SolutionDir)/Common/Inc");
  EXPECT_EQ(paths.macroBased("$WS_DIR$"), "$(SolutionDir)");
  EXPECT_EQ(paths.macroBased("inc"), "$(ProjectDir)/inc");
  EXPECT_TRUE(paths.installationPaths().isEmpty());
  EXPECT_TRUE(paths.unknownVariablePaths().isEmpty());
}

TEST(IarPathConverter, AbsolutePathsStayAndOtherVariablesAreLeftOut) {
  ForeignPathResolver resolver;
  IarPathConverter paths(resolver, "", "");
  EXPECT_EQ(paths.projectRelative("C:\\Keil\\inc\\x.h"), "C:/Keil/inc/x.h");
  EXPECT_EQ(paths.macroBased("/opt/sdk/include/"), "/opt/sdk/include");
  EXPECT_EQ(paths.projectRelative("$TOOLKIT_DIR$\\inc\\c"), std::nullopt);
  EXPECT_EQ(paths.macroBased("$EW_DIR$\\arm\\inc"), std::nullopt);
  EXPECT_EQ(paths.macroBased("$TOOLKIT_DIR$\\inc\\c"), std::nullopt);
  EXPECT_EQ(paths.projectRelative("$CONFIG_NAME$\\gen.c"), std::nullopt);
  EXPECT_EQ(paths.projectRelative("$PROJ_DIR$\\$CONFIG_NAME$\\gen.c"), std::nullopt);
  EXPECT_EQ(paths.projectRelative("price$list.c"), "price$list.c");
  EXPECT_EQ(paths.installationPaths(), QStringList({"$TOOLKIT_DIR$\\inc\\c", "$EW_DIR$\\arm\\inc"}));
  EXPECT_EQ(paths.unknownVariablePaths(),
            QStringList({"$CONFIG_NAME$\\gen.c", "$PROJ_DIR$\\$CONFIG_NAME$\\gen.c"}));
}
