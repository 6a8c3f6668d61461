#include "templates/project_template_file.h"

#include <gtest/gtest.h>

#include <QtGlobal>

#include "support/test_support.h"

namespace {

QStringList capturedWarnings;

void captureWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtWarningMsg) capturedWarnings << message;
}

// Warnings go to Qt's warning channel and loading carries on; template attribute
// values keep their macro references for the solution reader.
TEST(ProjectTemplateFile, WarningsGoToTheQtWarningChannel) {
  testing_support::writeFile("templates.xml",
                             "<projects><define name=\"A\"/><xmlput name=\"%s%n\"/><project template_name=\"T\" dir=\"$(ProjectDir)\">"
                             "<ifdef name=\"A\"><no/></ifdef><file file_name=\"main.c\"/></project></projects>");
  capturedWarnings.clear();
  const QtMessageHandler previous = qInstallMessageHandler(captureWarning);
  ProjectTemplateFile file;
  const bool loaded = file.load("templates.xml");
  qInstallMessageHandler(previous);
  ASSERT_TRUE(loaded);
  // A message is printed as it is, never used as a format.
  EXPECT_EQ(capturedWarnings, QStringList({"XmlPP::processConditionals(): missing value or expression in <define>",
                                           "XmlPP::processConditionals(): xmlput cannot fine xmldef named %s%n"}));
  const XMLElement* project = static_cast<const XMLElement*>(file.root->firstChild()->nextSibling());
  EXPECT_EQ(*project->attribute("dir"), "$(ProjectDir)");
  EXPECT_EQ(static_cast<const XMLElement*>(project->firstChild())->tagName(), "file");
}

}  // namespace
