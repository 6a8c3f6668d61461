#include "templates/project_templates.h"

#include <gtest/gtest.h>

#include "helpers/model_fixture.h"
#include "solution/solution_writer.h"
#include "support/diagnostics.h"
#include "templates/template_expansion.h"

using model_testing::noGlobalMacros;
using model_testing::testSchema;
using testing_support::writeFile;

namespace {

QByteArray templatesFile(const QByteArray& content) {
  return "<!DOCTYPE Project_Templates_File>\n<projects>" + content + "</projects>\n";
}

class Templates : public ::testing::Test {
 protected:
  SolutionModel model{testSchema(), noGlobalMacros};
  QString root = testing_support::testDirectory();
  /// Takes what the templates and the expansion warn about.
  Diagnostics diagnostics;
};

QString errorText(const std::function<void()>& step) {
  try {
    step();
  } catch (const ConversionError& error) {
    return error.message();
  }
  return "no error";
}

}  // namespace

TEST_F(Templates, ConfigurationTemplatesInheritAndOverwriteOnlyWhatDiffers) {
  writeFile("t.xml", templatesFile(R"x(<configurations>
      <configuration name="Debug"><property name="a" value="debug"/><property name="inherited_configurations" value="Base;;None"/>
        <property name="c" value="debug"/><property name="" value="x"/><property name="empty" value=""/></configuration>
      <configuration name="Base"><property name="a" value="base"/><property name="b" value="base"/></configuration>
      <configuration name="Loop"><property name="inherited_configurations" value="Via"/></configuration>
      <configuration name="Via"><property name="inherited_configurations" value="Loop"/></configuration>
      <configuration name="Self"><property name="inherited_configurations" value="Self"/></configuration>
    </configurations>)x"));
  const ProjectTemplates templates("t.xml", noGlobalMacros);
  ModelNode* solution = model.newSolution("S", root);
  ModelNode* project = model.newProject(solution, "P", root, "");
  model.setConfigurationProperty(project, "b", "Debug", "mine");
  EXPECT_TRUE(templates.applyConfigurationTemplate(model, project, "Debug"));
  EXPECT_FALSE(templates.applyConfigurationTemplate(model, project, "None"));
  const ModelNode* debug = project->configuration("Debug");
  EXPECT_EQ(debug->properties(), (QMap<QString, QString>{{"Name", "Debug"},
                                                         {"a", "base"},
                                                         {"b", "base"},
                                                         {"c", "debug"},
                                                         {"inherited_configurations", "Base;;None"}}));
  EXPECT_EQ(errorText([&] { templates.applyConfigurationTemplate(model, project, "Loop"); }),
            "Loop: configuration template inherits itself (Loop -> Via -> Loop)");
  EXPECT_EQ(errorText([&] { templates.applyConfigurationTemplate(model, project, "Self"); }),
            "Self: configuration template inherits itself (Self -> Self)");
}

TEST_F(Templates, ExpandingASolutionReplacesTemplateReferences) {
  writeFile("t.xml", templatesFile(R"x(<project template_name="Exe" type="Executable">
        <property name="p" value="1"/><configuration name="$(Configuration)"/><folder name="Src" filter="c"/></project>
      <configurations><configuration name="Debug"><property name="opt" value="0"/></configuration></configurations>)x"));
  writeFile("s.hzp",
            "<!DOCTYPE Orbelin_Project_File>\n<solution Name=\"S\">"
            "<project Name=\"A\" template_name=\"Exe\" template_configurations=\"Debug;;Release\"/>"
            "<project Name=\"B\"/></solution>");
  TemplateExpansion expansion("t.xml", noGlobalMacros);
  ModelNode* solution = expansion.expandFile(model, "s.hzp", diagnostics);
  EXPECT_EQ(model.solution(), solution);
  EXPECT_EQ(solutionText(*solution),
            "<!DOCTYPE Orbelin_Project_File>\n"
            "<solution Name=\"S\" target=\"8\" version=\"2\">\n"
            "  <project Name=\"A\">\n"
            "    <configuration Name=\"Common\" p=\"1\" project_type=\"Executable\" />\n"
            "    <configuration Name=\"Debug\" opt=\"0\" />\n"
            "    <folder Name=\"Src\">\n"
            "      <configuration Name=\"Common\" filter=\"c\" />\n"
            "    </folder>\n"
            "  </project>\n"
            "  <project Name=\"B\" />\n"
            "  <configuration Name=\"Release\" />\n"
            "</solution>\n");
}

// Without a templated project no templates file is read (a missing one would warn),
// and dynamic folders are still populated; a failed expansion keeps nothing. The
// files are read once: what they warn about is told to every expansion.
TEST_F(Templates, TemplatesAreReadOnlyForTemplatedProjects) {
  writeFile("plain.hzp",
            "<!DOCTYPE Orbelin_Project_File>\n<solution><project Name=\"P\">"
            "<folder Name=\"D\" path=\"src\"/></project></solution>");
  writeFile("other.hzp",
            "<!DOCTYPE Orbelin_Project_File>\n<solution><project Name=\"B\" template_name=\"Lib\"/></solution>");
  writeFile("src/x.c", "");
  TemplateExpansion expansion("absent.xml", noGlobalMacros);
  ModelNode* plain = expansion.expandFile(model, "plain.hzp", diagnostics);
  EXPECT_TRUE(diagnostics.pendingWarnings().isEmpty());
  const ModelNode* folder = *(*plain->children().begin())->children().begin();
  EXPECT_EQ((*folder->children().begin())->property("file_name"), "src/x.c");

  for (int expansionOfTheRun = 0; expansionOfTheRun < 2; ++expansionOfTheRun) {
    EXPECT_EQ(errorText([&] { expansion.expandFile(model, "other.hzp", diagnostics); }),
              "Lib: project template not found");
    EXPECT_EQ(diagnostics.takeWarnings().size(), 1);
    EXPECT_EQ(model.solution(), nullptr);
  }
}
