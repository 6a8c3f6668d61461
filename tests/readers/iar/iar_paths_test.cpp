// Paths of IAR project files in the forms the solution writes them; the forms
// real project files use are shown end to end (tests/e2e/iar_test.cpp).

#include "readers/iar/iar_paths.h"

#include <gtest/gtest.h>

#include "foreign/foreign_path.h"
#include "helpers/test_support.h"
#include "readers/iar/iar_argument_variables.h"

// Argument variables: a value that is a Windows path is found again where the
// tree it names is checked out above the project (its first path places it),
// one that is a path here is taken as it stands, one may start with another.
TEST(IarPathConverter, CleansPathsAndLeavesOutEachPathItCannotWriteOnce) {
  testing_support::writeFile("ws/App/Src/main.c", "");
  testing_support::writeFile("sdk-checkout/source/ti/x.h", "");
  IarArgumentVariables variables;
  for (const auto& [name, value] : {std::pair{"SDK", "c:/ti/sdk_2_09"}, std::pair{"SOURCE", "$SDK$\\source"},
                                    std::pair{"LOCAL", "/opt/local"}, std::pair{"ELSEWHERE", "D:\\elsewhere"}})
    variables.define(name, value, QString());
  ForeignPathResolver resolver;
  IarPathConverter paths(resolver, "sdk-checkout/examples/app/iar", "ws", &variables);
  IarPathConverter project(resolver, "ws/App", "ws");
  const struct {
    IarPathConverter& converter;
    const char* text;
    std::optional<QString> projectRelative;
    std::optional<QString> macroBased;
  } cases[] = {
      {project, "$PROJ_DIR$\\.\\src\\..\\Debug\\Exe\\", "Debug/Exe", "$(ProjectDir)/Debug/Exe"},
      {project, "$PROJ_DIR$\\", ".", "$(ProjectDir)"},
      {project, "$PROJ_DIR$/\\src\\main.c\\", "Src/main.c", "$(ProjectDir)/Src/main.c"},
      {project, "$WS_DIR$\\app", ".", "$(SolutionDir)/App"},
      {project, "inc", "inc", "$(ProjectDir)/inc"},
      {project, "/opt/sdk/include/", "/opt/sdk/include", "/opt/sdk/include"},
      {project, "price$list.c", "price$list.c", "$(ProjectDir)/price$list.c"},  // no variable
      {project, "$EW_DIR$\\arm\\inc", std::nullopt, std::nullopt},
      {project, "$PROJ_DIR$\\$CONFIG_NAME$\\gen.c", std::nullopt, std::nullopt},
      // Long paths are looked at eight characters at a time: a ".." or a variable in the last eight.
      {project, "$PROJ_DIR$\\src\\abcdefghijkl\\..\\main.c", "Src/main.c", "$(ProjectDir)/Src/main.c"},
      {project, "$PROJ_DIR$\\src\\abcdefghij\\$X$", std::nullopt, std::nullopt},
      {project, "$SDK$\\x.c", std::nullopt, std::nullopt},
      {paths, "$SDK$/source/ti/x.h", "../../../source/ti/x.h", "$(ProjectDir)/../../../source/ti/x.h"},
      {paths, "$SOURCE$\\ti", "../../../source/ti", "$(ProjectDir)/../../../source/ti"},
      {paths, "$LOCAL$\\inc", "/opt/local/inc", "/opt/local/inc"},
      {paths, "$ELSEWHERE$\\y.c", std::nullopt, std::nullopt},
      {paths, "${CMSIS_PACK_PATH_ARM#CMSIS#5.4.0}$/CMSIS/Include", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.converter.projectRelative(c.text), c.projectRelative) << c.text;
    EXPECT_EQ(c.converter.macroBased(c.text), c.macroBased) << c.text;
  }
  EXPECT_EQ(project.installationPaths(), QStringList({"$EW_DIR$\\arm\\inc"}));
  QStringList leftOut;
  for (IarPathConverter* converter : {&project, &paths})
    for (const IarPathConverter::LeftOutVariable& variable : converter->leftOutVariables())
      leftOut.append(variable.variable + ": " + variable.why + ": " + variable.paths.join(", "));
  EXPECT_EQ(leftOut,
            QStringList({"$CONFIG_NAME$: only Embedded Workbench knows its value: $PROJ_DIR$\\$CONFIG_NAME$\\gen.c",
                         "$X$: only Embedded Workbench knows its value: $PROJ_DIR$\\src\\abcdefghij\\$X$",
                         "$SDK$: no .custom_argvars file or -argvar defines it: $SDK$\\x.c",
                         "$ELSEWHERE$: its value D:\\elsewhere is a Windows path no part of which lies above "
                         "the project: $ELSEWHERE$\\y.c",
                         "${CMSIS_PACK_PATH_ARM#CMSIS#5.4.0}$: no .custom_argvars file or -argvar defines it: "
                         "${CMSIS_PACK_PATH_ARM#CMSIS#5.4.0}$/CMSIS/Include"}));
}
