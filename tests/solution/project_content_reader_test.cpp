#include "solution/project_content_reader.h"

#include <gtest/gtest.h>

#include "helpers/model_fixture.h"
#include "solution/solution_reader.h"
#include "solution/solution_writer.h"
#include "support/diagnostics.h"
#include "xml/xml_document.h"

using namespace model_testing;
using testing_support::writeFile;

namespace {

// Answers for the configuration templates named "Debug", "Release" and "Base",
// recording every name it is asked for.
struct FakeTemplates : ConfigurationTemplateSource {
  mutable QStringList asked;
  bool applyConfigurationTemplate(SolutionModel&, ModelNode* project, const QString& name) const override {
    asked.append(project->property("Name") + ":" + name);
    return name == "Debug" || name == "Release" || name == "Base";
  }
};

class ProjectContent : public ::testing::Test, public ModelFixture {
 protected:
  // Reads the children of <content>text</content> into parent (the project by default).
  void read(const QByteArray& text, const QStringList& configurations = {}, ModelNode* parent = nullptr) {
    documents_.push_back(std::make_unique<XMLDocument>());
    documents_.back()->parse("<content>" + text.toStdString() + "</content>");
    const ProjectContentContext context{reader, solution, project, &templates, diagnostics};
    readProjectContent(context, parent ? parent : project,
                       static_cast<XMLElement*>(documents_.back()->root->firstChild()), configurations);
  }
  // The solution file's text after the project's "Common".
  QString writtenContent() {
    const QString text = QString::fromStdString(solutionText(*solution));
    const QString common = "project_type=\"Executable\" />\n";
    return text.mid(text.indexOf(common) + common.size());
  }
  QString configurationValue(const ModelNode* element, const QString& configuration, const QString& name) {
    const ModelNode* found = element->configuration(configuration);
    return found && found->hasProperty(name) ? found->property(name) : "(unset)";
  }
  FakeTemplates templates;
  SolutionReader reader{model};
  Diagnostics diagnostics;

 private:
  std::vector<std::unique_ptr<XMLDocument>> documents_;
};

}  // namespace

TEST_F(ProjectContent, FoldersAreMatchedByNameAndKeepTheirFilter) {
  model.findOrAddFolder(project, "Filtered", "h");
  model.findOrAddFolder(project, "Plain", "");
  read(R"x(<folder name="Filtered" filter="c;cpp"/><folder name="Plain" filter="c;cpp"><file name="a.c"/></folder>
          <folder name="New" filter="s"><folder name="Inner"/></folder>
          <folder name="Chosen" path="x" choose="1"><file name="lost.c"/></folder>
          <unknown><folder name="Hidden"/></unknown>)x");
  EXPECT_EQ(configurationValue(model.findFolder(project, "Filtered"), common, "filter"), "h");
  ModelNode* plain = model.findFolder(project, "Plain");
  EXPECT_EQ(configurationValue(plain, common, "filter"), "c;cpp");
  EXPECT_EQ((*++plain->children().begin())->property("file_name"), "a.c");
  ModelNode* added = model.findFolder(project, "New");
  EXPECT_EQ(configurationValue(added, common, "filter"), "s");
  EXPECT_NE(model.findFolder(added, "Inner"), nullptr);
  EXPECT_EQ(model.findFolder(project, "Chosen"), nullptr);
  EXPECT_EQ(model.findFolder(project, "Hidden"), nullptr);
}

TEST_F(ProjectContent, DynamicFoldersRecurseWheneverRecurseIsPresent) {
  for (const char* path : {"lib/a.c", "lib/sub/b.c", "lib/skip.bak"}) writeFile(path, "x");
  read(R"x(<folder name="Lib" path="lib" filter="*.c" recurse="No" exclude="*.bak"/>
          <folder name="Flat" path="lib"/>)x");
  ModelNode* dynamic = model.findFolder(project, "Lib");
  EXPECT_EQ(dynamic->property("recurse"), "Yes");
  EXPECT_EQ(dynamic->property("exclude"), "*.bak");
  EXPECT_NE(model.findFolder(dynamic, "sub"), nullptr);
  EXPECT_EQ(model.findFolder(project, "Flat")->property("recurse"), "No");
  EXPECT_EQ(writtenContent(),
            "    <folder\n"
            "      Name=\"Lib\"\n"
            "      exclude=\"*.bak\"\n"
            "      filter=\"*.c\"\n"
            "      path=\"lib\"\n"
            "      recurse=\"Yes\" />\n"
            "    <folder Name=\"Flat\" exclude=\"\" filter=\"\" path=\"lib\" recurse=\"No\" />\n"
            "  </project>\n"
            "</solution>\n");
}

TEST_F(ProjectContent, FilesAreExpandedUnlessToldNotToAndNotAddedTwice) {
  model.findOrAddFolder(project, "Sources", "c");
  read(R"x(<file name="$(ProjectName).c"/><file name="$(ProjectName).h" expand="NO"/><file name="x.c" source="1"/>
          <file name="top.h"/><file name="top.h"/><file expand="no"/>)x");
  EXPECT_EQ(writtenContent(),
            "    <folder Name=\"Sources\">\n"
            "      <configuration Name=\"Common\" filter=\"c\" />\n"
            "      <file file_name=\"App.c\" />\n"
            "    </folder>\n"
            "    <file file_name=\"$(ProjectName).h\" />\n"
            "    <file file_name=\"top.h\" />\n"
            "  </project>\n"
            "</solution>\n");
}

TEST_F(ProjectContent, PropertiesNeverOverwriteAndFollowTheConfigurationList) {
  model.setConfigurationProperty(project, "kept", "Debug", "mine");
  read(R"x(<property name="kept" configuration="$(Configuration)" value="template"/>
          <property name="opt" configuration="$(Configuration)" value="$(Configuration)-$(ProjectName)" expand="YES"/>
          <property name="plain" value="$(ProjectName)"/><property name="novalue"/>
          <solutionproperty name="sol" configuration="Release" value="1"/>
          <propertygroup name="Group" value="v"/>)x",
       {"Debug", "Release"});
  EXPECT_EQ(configurationValue(project, "Debug", "kept"), "mine");
  EXPECT_EQ(configurationValue(project, "Release", "kept"), "template");
  EXPECT_EQ(configurationValue(project, "Debug", "opt"), "Common-App");  // expanded for "Common"
  EXPECT_EQ(configurationValue(project, "Release", "opt"), "Common-App");
  EXPECT_EQ(configurationValue(project, common, "plain"), "$(ProjectName)");
  EXPECT_EQ(configurationValue(project, common, "novalue"), "(unset)");
  EXPECT_EQ(configurationValue(solution, "Release", "sol"), "1");
  EXPECT_EQ(configurationValue(project, common, "Group"), "(unset)");

  read(R"x(<property name="literal" configuration="$(Configuration)" value="1"/>)x");
  EXPECT_EQ(configurationValue(project, "$(Configuration)", "literal"), "1");
}

TEST_F(ProjectContent, ConfigurationsApplyTemplatesOrMakeSolutionConfigurations) {
  read(R"x(<configuration name="$(Configuration)"/>
          <configuration name="Flash $(Configuration)" inherited_configurations="Flash;$(Configuration)"/>
          <configuration name="Extra"/><configuration/>)x",
       {"Debug", "Release"});
  EXPECT_EQ(templates.asked, QStringList({"App:Debug", "App:Release", "App:Flash Debug", "App:Flash", "App:Debug",
                                          "App:Flash Release", "App:Flash", "App:Release", "App:Extra", "App:Extra"}));
  EXPECT_EQ(configurationValue(solution, "Flash Debug", "inherited_configurations"), "Flash;Debug");
  EXPECT_EQ(configurationValue(solution, "Flash Release", "inherited_configurations"), "Flash;Release");
  // Without a template, one configuration per pass, even when one of that name exists.
  EXPECT_EQ(QString::fromStdString(solutionText(*solution)).count("<configuration Name=\"Extra\" />"), 2);

  templates.asked.clear();
  read(R"x(<configuration name="Unknown"/>)x");
  EXPECT_EQ(templates.asked, QStringList{"App:Unknown"});
  EXPECT_EQ(solution->configuration("Unknown"), nullptr);  // an empty list makes none
}
