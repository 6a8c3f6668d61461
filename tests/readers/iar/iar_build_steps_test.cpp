// The commands an IAR configuration runs around its build, with argument
// variables written as solution macros.

#include "readers/iar/iar_build_steps.h"

#include <gtest/gtest.h>

#include "helpers/test_support.h"

TEST(IarBuildSteps, ArgumentVariablesBecomeMacrosWhereTheSolutionHasOne) {
  const struct {
    const char* text;
    std::optional<QString> result;
  } cases[] = {
      {"$PROJ_DIR$\\..\\XOMAddr.exe $PROJ_DIR$\\Release\\List\\XOMCode.map  $PROJ_DIR$\\..\\xomlibIAR.c",
       "$(ProjectDir)\\..\\XOMAddr.exe $(ProjectDir)\\Release\\List\\XOMCode.map  $(ProjectDir)\\..\\xomlibIAR.c"},
      {"copy $TARGET_PATH$ $WS_DIR$\\out\\$CONFIG_NAME$.out",
       "copy $(TargetPath) $(SolutionDir)\\out\\$(Configuration).out"},
      {"$EXE_DIR$ $TARGET_DIR$ $OBJ_DIR$ $PROJ_FNAME$", "$(OutDir) $(OutDir) $(IntDir) $(ProjectName)"},
      {"echo $5 costs $ and $HOME", "echo $5 costs $ and $HOME"},
      {"$TOOLKIT_DIR$\\bin\\ielftool.exe", std::nullopt},
      {"type $LIST_DIR$\\a.map", std::nullopt},
      {"$MY_TOOLS$\\sign.exe", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(iarTextWithMacros(c.text), c.result) << c.text;
}

// Both forms: the older "prebuild" and "postbuild", the newer actions by their
// order; several commands of one step stay in order. What cannot run as
// written is reported, whole.
TEST(IarBuildSteps, ActionsGoToTheirStepsOrAreReported) {
  const std::vector<IarBuildAction> actions = {
      {"prebuild", "gen.bat $CONFIG_NAME$", ""},
      {"postbuild", "$PROJ_DIR$\\post.exe", ""},
      {"postLink", "sambacall.bat a.bin a_img.bin", "$PROJ_DIR$\\"},
      {"postLink", "sign.bat", "$PROJ_DIR$\\tools"},
      {"inputOutputBased", "conv.exe", ""},
      {"postLink", "$LIST_DIR$\\show.bat", ""},
  };
  QList<NotCarried> notCarried;
  const BuildSteps steps = readIarBuildSteps(actions, notCarried);
  EXPECT_EQ(steps.beforeBuild, QList<BuildCommand>({{"gen.bat $(Configuration)", ""}}));
  EXPECT_EQ(steps.afterLink, QList<BuildCommand>({{"$(ProjectDir)\\post.exe", ""},
                                                  {"sambacall.bat a.bin a_img.bin", ""},
                                                  {"sign.bat", "$(ProjectDir)\\tools"}}));
  EXPECT_TRUE(steps.beforeCompile.isEmpty());
  EXPECT_TRUE(steps.afterBuild.isEmpty());
  EXPECT_EQ(notCarried, QList<NotCarried>({{"build command", "conv.exe (inputOutputBased)", {}},
                                           {"build command", "$LIST_DIR$\\show.bat (postLink)", {}}}));
}
