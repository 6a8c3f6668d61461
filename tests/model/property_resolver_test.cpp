#include <gtest/gtest.h>

#include "helpers/model_fixture.h"

using namespace model_testing;

namespace {

class PropertyResolving : public ::testing::Test, public ModelFixture {
 protected:
  QString resolve(ModelNode* node, const QString& name, const QString& configuration) {
    return model.properties().value(node, name, configuration);
  }
  const QString definitions = QStringLiteral("c_preprocessor_definitions");  // a StringList
  const QString outputDirectory = QStringLiteral("build_output_directory");  // a DirPath
};

}  // namespace

TEST_F(PropertyResolving, TheAskedElementWinsOverItsAncestors) {
  ModelNode* file = model.addFile(project, "a.c");
  model.setConfigurationProperty(file, outputDirectory, common, "file-common");
  model.setConfigurationProperty(project, outputDirectory, "Debug", "project-debug");
  EXPECT_EQ(resolve(file, outputDirectory, "Debug"), "file-common");
  EXPECT_EQ(resolve(project, outputDirectory, "Debug"), "project-debug");
  // Present but empty stops the search for a non-list property.
  model.setConfigurationProperty(file, outputDirectory, "Debug", "");
  EXPECT_EQ(resolve(file, outputDirectory, "Debug"), "");
}

TEST_F(PropertyResolving, StringListsAccumulateGeneralFirst) {
  model.setConfigurationProperty(solution, definitions, common, "A");
  model.setConfigurationProperty(project, definitions, common, "B");
  model.setConfigurationProperty(project, definitions, "Debug", "C");
  EXPECT_EQ(resolve(project, definitions, "Debug"), "A;B;C");

  // An empty entry is kept once something was found before it, and leaves no
  // trace when it is found first.
  ModelNode* folder = model.findOrAddFolder(project, "Empty", "");  // no configuration: passed over
  ModelNode* file = model.addFile(folder, "a.c");
  model.setConfigurationProperty(file, definitions, common, "F");
  model.setConfigurationProperty(file, definitions, "Debug", "");
  model.setConfigurationProperty(project, definitions, "Debug", "");
  EXPECT_EQ(resolve(file, definitions, "Debug"), "A;B;;F");
}

TEST_F(PropertyResolving, NamedBeforeInheritedBeforeCommon) {
  model.setConfigurationProperty(solution, "inherited_configurations", "Debug", "Base1;;Base2");
  model.setConfigurationProperty(solution, "inherited_configurations", common, "Base2");
  EXPECT_EQ(PropertyResolver::inheritedConfigurations(project, "Debug"), QStringList({"Base1", "Base2"}));

  model.setConfigurationProperty(project, outputDirectory, "Base2", "base2");
  // "Common" never takes part in inheritance.
  EXPECT_EQ(resolve(project, outputDirectory, common), "$(ProjectName) $(Configuration)");
  model.setConfigurationProperty(project, outputDirectory, common, "common");
  EXPECT_EQ(resolve(project, outputDirectory, "Debug"), "base2");
  model.setConfigurationProperty(project, outputDirectory, "Base1", "base1");
  EXPECT_EQ(resolve(project, outputDirectory, "Debug"), "base1");
  model.setConfigurationProperty(project, outputDirectory, "Debug", "debug");
  EXPECT_EQ(resolve(project, outputDirectory, "Debug"), "debug");

  for (const QString& configuration : QStringList{"Common", "Base2", "Base1", "Debug"})
    model.setConfigurationProperty(project, definitions, configuration, configuration);
  EXPECT_EQ(resolve(project, definitions, "Debug"), "Common;Base2;Base1;Debug");
  // The inheritance follows the solution's settings.
  model.removeConfigurationProperty(solution, "inherited_configurations", "Debug");
  EXPECT_EQ(PropertyResolver::inheritedConfigurations(project, "Debug"), QStringList());
}

// Unset, a property resolves to the default of the declaration for the kind of
// project the element is in.
TEST_F(PropertyResolving, DefaultsComeFromTheDeclarationForTheKindOfItem) {
  EXPECT_EQ(resolve(model.addFile(project, "a.c"), "c_system_include_directories", "Debug"),
            "$(StudioDir)/include;$(PackagesDir)/include");
  EXPECT_EQ(resolve(project, "no_such_property", common), "");
  EXPECT_EQ(resolve(nullptr, outputDirectory, common), "$(ProjectName) $(Configuration)");
  const QString outputFile = QStringLiteral("build_output_file_name");
  EXPECT_EQ(resolve(project, outputFile, common), "$(OutDir)/$(ProjectName)$(EXE)");
  ModelNode* library = model.newProject(solution, "Lib", root, "Library");
  EXPECT_EQ(resolve(library, outputFile, common), "$(OutDir)/$(ProjectName)$(LIB)");
  EXPECT_EQ(resolve(model.addFile(library, "x.c"), outputFile, common), "$(OutDir)/$(ProjectName)$(LIB)");
}
