#include <gtest/gtest.h>

#include "helpers/model_fixture.h"

using namespace model_testing;

namespace {

class MacroTableTest : public ::testing::Test, public ModelFixture {};

}  // namespace

TEST_F(MacroTableTest, FileMacros) {
  ProjectElement* sub = system.newProject(solution, "Sub", root + "/p", "Executable");
  ProjectElement* inner = system.findOrAddFolder(system.findOrAddFolder(sub, "Src", ""), "Inner", "");
  ProjectElement* file = system.addFile(inner, "src/main.c");
  system.setConfigurationProperty(sub, "build_toolchain_directory", common, "/tc/$(Configuration)");
  const MacroTable table = system.buildMacroTable(file, "Debug");
  const QMap<QString, QString> expected{
      {"ProjectNodeName", "main.c"},     {"FolderName", "Inner"},
      {"FolderPath", "Src/Inner"},       {"ProjectDir", root + "/p"},
      {"ProjectName", "Sub"},            {"SolutionDir", root},
      {"SolutionName", "Demo"},          {"SolutionFileName", "Demo.hzp"},
      {"SolutionPath", root + "/Demo.hzp"}, {"SolutionExt", "hzp"},
      {"InputDir", root + "/p/src"},     {"InputName", "main"},
      {"InputFileName", "main.c"},       {"InputExt", "c"},
      {"InputPath", root + "/p/src/main.c"}, {"RelInputPath", "src/main.c"},
      {"RelInputDir", "src"},            {"Configuration", "Debug"},
      {"OBJ", ".o"},                     {"EXE", ".elf"},
      {"LIB", ".a"},                     {"PackageExt", "hzq"},
      {"IntDir", "Sub Debug"},           {"RootOutDir", ""},
      {"OutDir", "Sub Debug"},           {"ToolChainDir", "/tc/Debug"},
  };
  EXPECT_EQ(table, expected);
}

TEST_F(MacroTableTest, BuiltInProjectDirOverridesAProjectMacro) {
  system.setConfigurationProperty(project, "macros", common, "ProjectDir=/bogus;Mine=$(ProjectDir)/x");
  const MacroTable table = system.buildMacroTable(project, common);
  EXPECT_EQ(table.value("ProjectDir"), root);
  EXPECT_EQ(table.value("Mine"), "$(ProjectDir)/x");  // stored unexpanded
  EXPECT_EQ(system.expandMacros(project, "$(ProjectDir)/y", common), root + "/y");
}

TEST_F(MacroTableTest, MacroFileNamesAreResolvedForEveryConfiguration) {
  system.setConfigurationProperty(project, "build_output_directory", "Debug", "out/d");
  system.setConfigurationProperty(project, "build_output_directory", "Release", "out/r");
  ProjectElement* generated = system.addFile(project, "$(OutDir)/x.c");
  generated->resolveLocation("Debug");
  EXPECT_EQ(generated->location().path(), root + "/out/d/x.c");
  generated->resolveLocation("Release");
  EXPECT_EQ(generated->location().path(), root + "/out/r/x.c");

  ProjectElement* plain = system.addFile(project, "x.c");
  plain->resolveLocation("Debug");
  EXPECT_TRUE(plain->locationValid());
  plain->setFileName("/abs/./y.c");  // drops the cached location
  plain->resolveLocation("Debug");
  EXPECT_EQ(plain->location().path(), "/abs/y.c");
}
