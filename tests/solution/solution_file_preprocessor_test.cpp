#include "solution/solution_file_preprocessor.h"

#include <gtest/gtest.h>

#include "model/model_node.h"
#include "model/solution_model.h"
#include "helpers/test_support.h"

namespace {

// Every element of the preprocessed tree, copies and included ones too, is a model
// element bound to the project system, of the kind its (expanded) tag names.
TEST(SolutionFilePreprocessor, ElementsAreModelElementsOfTheProjectSystem) {
  ProjectSystem system{GlobalMacros()};
  testing_support::writeFile("part.xml", "<folder Name=\"included\"><file file_name=\"a.c\"/></folder>");
  testing_support::writeFile(
      "s.hzp",
      "<!DOCTYPE Orbelin_Project_File>\n<solution Name=\"s\"><for index=\"i\" start=\"0\" end=\"2\" incr=\"1\">"
      "<project Name=\"p$(i)\"><configuration Name=\"$(Kind)\"/></project></for><ifdef name=\"Kind\"><include filename=\"part.xml\"/></ifdef>"
      "</solution>");
  SolutionFilePreprocessor document(system);
  ASSERT_TRUE(document.load("s.hzp", "Kind=Debug"));
  EXPECT_EQ(document.doctype, "Orbelin_Project_File");
  auto* solution = ProjectElement::fromNode(document.root.get());
  ASSERT_NE(solution, nullptr);
  EXPECT_EQ(solution->kind(), ProjectElement::Solution);
  QStringList seen;
  for (XMLNode* child = solution->firstChild(); child; child = child->nextSibling()) {
    ProjectElement* element = ProjectElement::fromNode(child);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->projectSystem(), &system);
    EXPECT_EQ(element->parent(), solution);
    seen << QString::fromStdString(element->tagName() + ":" + *element->attribute("Name"));
    ProjectElement* grandchild = ProjectElement::fromNode(element->firstChild());
    ASSERT_NE(grandchild, nullptr);
    EXPECT_EQ(grandchild->kind(), element->kind() == ProjectElement::Folder ? ProjectElement::File
                                                                              : ProjectElement::Configuration);
  }
  EXPECT_EQ(seen, QStringList({"project:p0", "project:p1", "folder:included"}));
}

}  // namespace
