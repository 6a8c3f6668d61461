#include <gtest/gtest.h>

#include "model/solution_model.h"
#include "solution/solution_load_error.h"
#include "solution/solution_text.h"
#include "helpers/test_support.h"
#include "templates/project_templates.h"
#include "templates/template_expansion.h"
#include "xml/xml_node.h"

using testing_support::writeFile;

namespace {

QByteArray templatesFile(const QByteArray& content) { return "<!DOCTYPE Project_Templates_File>\n<projects>" + content + "</projects>\n"; }

class Templates : public ::testing::Test {
 protected:
  ProjectSystem system{GlobalMacros()};
  QString root = testing_support::testDirectory();
  /// What the templates and the expansion warned about, as "<file>: <message>" or "<message>".
  QStringList warnings;
  const WarningSink collect = [this](const QString& file, const QString& message) {
    warnings.append(file.isEmpty() ? message : file + ": " + message);
  };
};

QString errorText(const std::function<void()>& step) {
  try {
    step();
  } catch (const SolutionLoadError& error) {
    return error.text();
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
  ProjectTemplates templates(system, "t.xml", collect);
  ProjectElement* solution = system.newSolution("S", root);
  ProjectElement* project = system.newProject(solution, "P", root, "");
  system.setConfigurationProperty(project, "b", "Debug", "mine");
  EXPECT_TRUE(templates.applyConfigurationTemplate(project, "Debug"));
  EXPECT_FALSE(templates.applyConfigurationTemplate(project, "None"));
  const ProjectElement* debug = project->configuration("Debug");
  EXPECT_EQ(debug->properties(), (QMap<QString, QString>{{"Name", "Debug"},
                                                         {"a", "base"},
                                                         {"b", "base"},
                                                         {"c", "debug"},
                                                         {"inherited_configurations", "Base;;None"}}));
  EXPECT_EQ(errorText([&] { templates.applyConfigurationTemplate(project, "Loop"); }),
            "Loop: configuration template inherits itself (Loop -> Via -> Loop)");
  EXPECT_EQ(errorText([&] { templates.applyConfigurationTemplate(project, "Self"); }),
            "Self: configuration template inherits itself (Self -> Self)");
}

TEST_F(Templates, ExpandingASolutionReplacesTemplateReferences) {
  writeFile("t.xml", templatesFile(R"x(<project template_name="Exe" type="Executable">
        <property name="p" value="1"/><configuration name="$(Configuration)"/><folder name="Src" filter="c"/></project>
      <configurations><configuration name="Debug"><property name="opt" value="0"/></configuration></configurations>)x"));
  writeFile("s.hzp", "<!DOCTYPE Orbelin_Project_File>\n<solution Name=\"S\">"
                     "<project Name=\"A\" template_name=\"Exe\" template_configurations=\"Debug;;Release\"/>"
                     "<project Name=\"B\"/></solution>");
  ProjectSystem expanding{GlobalMacros()};
  ProjectElement* solution = loadSolutionWithTemplates(expanding, "t.xml", "s.hzp", collect);
  EXPECT_EQ(expanding.solution(), solution);
  EXPECT_EQ(solutionText(*solution), "<!DOCTYPE Orbelin_Project_File>\n"
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
// and dynamic folders are still populated; a failed expansion keeps nothing.
TEST_F(Templates, TemplatesAreReadOnlyForTemplatedProjects) {
  writeFile("plain.hzp", "<!DOCTYPE Orbelin_Project_File>\n<solution><project Name=\"P\">"
                         "<folder Name=\"D\" path=\"src\"/></project></solution>");
  writeFile("other.hzp", "<!DOCTYPE Orbelin_Project_File>\n<solution><project Name=\"B\" template_name=\"Lib\"/></solution>");
  writeFile("src/x.c", "");
  ProjectSystem expanding{GlobalMacros()};
  ProjectElement* plain = loadSolutionWithTemplates(expanding, "absent.xml", "plain.hzp", collect);
  EXPECT_TRUE(warnings.isEmpty());
  const ProjectElement* folder = *(*plain->children().begin())->children().begin();
  EXPECT_EQ((*folder->children().begin())->property("file_name"), "src/x.c");

  EXPECT_EQ(errorText([&] { loadSolutionWithTemplates(expanding, "absent.xml", "other.hzp", collect); }),
            "Lib: project template not found");
  EXPECT_EQ(warnings, QStringList{"templates file absent.xml does not exist"});
  EXPECT_EQ(expanding.solution(), nullptr);
}
