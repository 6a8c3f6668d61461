#include <gtest/gtest.h>

#include "helpers/model_fixture.h"

using namespace model_testing;

namespace {

class PropertyResolution : public ::testing::Test, public ModelFixture {
 protected:
  QString resolve(ProjectElement* element, const QString& name, const QString& configuration) {
    return system.getPropertyValue(element, name, configuration, nullptr);
  }
  const QString definitions = QStringLiteral("c_preprocessor_definitions");  // a StringList
  const QString outputDirectory = QStringLiteral("build_output_directory");  // a DirPath
};

}  // namespace

TEST_F(PropertyResolution, TheAskedElementWinsOverItsAncestors) {
  ProjectElement* file = system.addFile(project, "a.c");
  system.setConfigurationProperty(file, outputDirectory, common, "file-common");
  system.setConfigurationProperty(project, outputDirectory, "Debug", "project-debug");
  EXPECT_EQ(resolve(file, outputDirectory, "Debug"), "file-common");
  EXPECT_EQ(resolve(project, outputDirectory, "Debug"), "project-debug");
  // Present but empty stops the search for a non-list property.
  system.setConfigurationProperty(file, outputDirectory, "Debug", "");
  EXPECT_EQ(resolve(file, outputDirectory, "Debug"), "");
}

TEST_F(PropertyResolution, StringListsAccumulateGeneralFirst) {
  system.setConfigurationProperty(solution, definitions, common, "A");
  system.setConfigurationProperty(project, definitions, common, "B");
  system.setConfigurationProperty(project, definitions, "Debug", "C");
  EXPECT_EQ(resolve(project, definitions, "Debug"), "A;B;C");

  // An empty entry is kept once something was found before it, and leaves no
  // trace when it is found first.
  ProjectElement* folder = system.findOrAddFolder(project, "Empty", "");  // no configuration: passed over
  ProjectElement* file = system.addFile(folder, "a.c");
  system.setConfigurationProperty(file, definitions, common, "F");
  system.setConfigurationProperty(file, definitions, "Debug", "");
  system.setConfigurationProperty(project, definitions, "Debug", "");
  EXPECT_EQ(resolve(file, definitions, "Debug"), "A;B;;F");
}

TEST_F(PropertyResolution, NamedBeforeInheritedBeforeCommon) {
  system.setConfigurationProperty(solution, "inherited_configurations", "Debug", "Base1;;Base2");
  system.setConfigurationProperty(solution, "inherited_configurations", common, "Base2");
  system.updateProjects();
  EXPECT_EQ(solution->inheritedConfigurations.value("Debug"), QStringList({"Base1", "Base2"}));

  system.setConfigurationProperty(project, outputDirectory, "Base2", "base2");
  // "Common" never takes part in inheritance.
  EXPECT_EQ(resolve(project, outputDirectory, common), "$(ProjectName) $(Configuration)");
  system.setConfigurationProperty(project, outputDirectory, common, "common");
  EXPECT_EQ(resolve(project, outputDirectory, "Debug"), "base2");
  system.setConfigurationProperty(project, outputDirectory, "Base1", "base1");
  EXPECT_EQ(resolve(project, outputDirectory, "Debug"), "base1");
  system.setConfigurationProperty(project, outputDirectory, "Debug", "debug");
  EXPECT_EQ(resolve(project, outputDirectory, "Debug"), "debug");

  for (const QString& configuration : QStringList{"Common", "Base2", "Base1", "Debug"})
    system.setConfigurationProperty(project, definitions, configuration, configuration);
  EXPECT_EQ(resolve(project, definitions, "Debug"), "Common;Base2;Base1;Debug");
  // The solution's inheritance table follows its settings.
  system.removeConfigurationProperty(solution, "inherited_configurations", "Debug");
  EXPECT_EQ(solution->inheritedConfigurations.keys(), QStringList{"Common"});
}

// Unset, a property resolves to the default of the declaration for the kind of
// project the element is in.
TEST_F(PropertyResolution, DefaultsComeFromTheDeclarationForTheKindOfItem) {
  EXPECT_EQ(resolve(system.addFile(project, "a.c"), "c_system_include_directories", "Debug"),
            "$(StudioDir)/include;$(PackagesDir)/include");
  EXPECT_EQ(resolve(project, "no_such_property", common), "");
  EXPECT_EQ(resolve(nullptr, outputDirectory, common), "$(ProjectName) $(Configuration)");
  const QString outputFile = QStringLiteral("build_output_file_name");
  EXPECT_EQ(resolve(project, outputFile, common), "$(OutDir)/$(ProjectName)$(EXE)");
  ProjectElement* library = system.newProject(solution, "Lib", root, "Library");
  EXPECT_EQ(resolve(library, outputFile, common), "$(OutDir)/$(ProjectName)$(LIB)");
  EXPECT_EQ(resolve(system.addFile(library, "x.c"), outputFile, common), "$(OutDir)/$(ProjectName)$(LIB)");
}
