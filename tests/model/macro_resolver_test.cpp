#include <gtest/gtest.h>

#include "helpers/model_fixture.h"

using namespace model_testing;

namespace {

class MacroResolution : public ::testing::Test, public ModelFixture {};

}  // namespace

TEST_F(MacroResolution, FileMacros) {
  ModelNode* sub = model.newProject(solution, "Sub", root + "/p", "Executable");
  ModelNode* inner = model.findOrAddFolder(model.findOrAddFolder(sub, "Src", ""), "Inner", "");
  ModelNode* file = model.addFile(inner, "src/main.c");
  model.setConfigurationProperty(sub, "build_toolchain_directory", common, "/tc/$(Configuration)");
  const MacroTable table = model.macros().macroTable(file, "Debug");
  const QMap<QString, QString> expected{
      {"ProjectNodeName", "main.c"},
      {"FolderName", "Inner"},
      {"FolderPath", "Src/Inner"},
      {"ProjectDir", root + "/p"},
      {"ProjectName", "Sub"},
      {"SolutionDir", root},
      {"SolutionName", "Demo"},
      {"SolutionFileName", "Demo.hzp"},
      {"SolutionPath", root + "/Demo.hzp"},
      {"SolutionExt", "hzp"},
      {"InputDir", root + "/p/src"},
      {"InputName", "main"},
      {"InputFileName", "main.c"},
      {"InputExt", "c"},
      {"InputPath", root + "/p/src/main.c"},
      {"RelInputPath", "src/main.c"},
      {"RelInputDir", "src"},
      {"Configuration", "Debug"},
      {"OBJ", ".o"},
      {"EXE", ".elf"},
      {"LIB", ".a"},
      {"PackageExt", "hzq"},
      {"IntDir", "Sub Debug"},
      {"RootOutDir", ""},
      {"OutDir", "Sub Debug"},
      {"ToolChainDir", "/tc/Debug"},
  };
  EXPECT_EQ(table, expected);
}

TEST_F(MacroResolution, BuiltInProjectDirOverridesAProjectMacro) {
  model.setConfigurationProperty(project, "macros", common, "ProjectDir=/bogus;Mine=$(ProjectDir)/x");
  const MacroTable table = model.macros().macroTable(project, common);
  EXPECT_EQ(table.value("ProjectDir"), root);
  EXPECT_EQ(table.value("Mine"), "$(ProjectDir)/x");  // stored unexpanded
  EXPECT_EQ(model.macros().expand(project, "$(ProjectDir)/y", common), root + "/y");
}

TEST_F(MacroResolution, MacroFileNamesAreResolvedForEveryConfiguration) {
  model.setConfigurationProperty(project, "build_output_directory", "Debug", "out/d");
  model.setConfigurationProperty(project, "build_output_directory", "Release", "out/r");
  const ModelNode* generated = model.addFile(project, "$(OutDir)/x.c");
  EXPECT_EQ(model.macros().locationOf(*generated, "Debug").location.path(), root + "/out/d/x.c");
  EXPECT_EQ(model.macros().locationOf(*generated, "Release").location.path(), root + "/out/r/x.c");
  ModelNode* plain = model.addFile(project, "x.c");
  plain->setProperty("file_name", "/abs/./y.c");
  EXPECT_EQ(model.macros().locationOf(*plain, "Debug").location.path(), "/abs/y.c");
}
