// Paths of IAR project files in the forms the solution writes them; the forms
// real project files use are shown end to end (tests/e2e/iar_test.cpp).

#include <gtest/gtest.h>

#include "foreign/foreign_path.h"
#include "readers/iar/iar_paths.h"
#include "helpers/test_support.h"

TEST(IarPathConverter, CleansPathsAndLeavesOutEachPathItCannotWriteOnce) {
  testing_support::writeFile("ws/App/Src/main.c", "");
  ForeignPathResolver resolver;
  IarPathConverter paths(resolver, "ws/App", "ws");
  const struct {
    const char* text;
    std::optional<QString> projectRelative;
    std::optional<QString> macroBased;
  } cases[] = {
      {"$PROJ_DIR$\\.\\src\\..\\Debug\\Exe\\", "Debug/Exe", "$(ProjectDir)/Debug/Exe"},
      {"$PROJ_DIR$\\", ".", "$(ProjectDir)"},
      {"$WS_DIR$\\app", ".", "$(SolutionDir)/App"},
      {"inc", "inc", "$(ProjectDir)/inc"},
      {"/opt/sdk/include/", "/opt/sdk/include", "/opt/sdk/include"},
      {"price$list.c", "price$list.c", "$(ProjectDir)/price$list.c"},  // no variable
      {"$EW_DIR$\\arm\\inc", std::nullopt, std::nullopt},
      {"$PROJ_DIR$\\$CONFIG_NAME$\\gen.c", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(paths.projectRelative(c.text), c.projectRelative) << c.text;
    EXPECT_EQ(paths.macroBased(c.text), c.macroBased) << c.text;
  }
  EXPECT_EQ(paths.installationPaths(), QStringList({"$EW_DIR$\\arm\\inc"}));
  EXPECT_EQ(paths.unknownVariablePaths(), QStringList({"$PROJ_DIR$\\$CONFIG_NAME$\\gen.c"}));
}
