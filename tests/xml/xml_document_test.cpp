#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "support/test_support.h"
#include "xml/xml_document.h"

using testing_support::readFile;
using testing_support::writeFile;

namespace {

TEST(XMLDocument, ParseFileSkipsByteOrderMark) {
  writeFile("bom.xml", "\xEF\xBB\xBF<a x=\"\xC3\xA9\"/>");
  QXMLDocument document;
  ASSERT_TRUE(document.load("bom.xml"));
  ASSERT_TRUE(document.root);
  EXPECT_EQ(*document.root->attribute("x"), "\xC3\xA9");

  std::FILE* stream = std::fopen("bom.xml", "rb");
  XMLDocument fromStream;
  EXPECT_TRUE(fromStream.parseFile(stream));
  std::fclose(stream);
  EXPECT_TRUE(fromStream.root);
}

TEST(XMLDocument, FileErrors) {
  QXMLDocument document;
  document.errorLine = 5;
  EXPECT_FALSE(document.load("missing/file.xml"));
  EXPECT_EQ(document.errorMessage, "couldn't read missing/file.xml");
  EXPECT_EQ(document.errorLine, 0);
  // A directory opens but cannot be read.
  EXPECT_FALSE(document.load("."));
  EXPECT_EQ(document.errorMessage, "couldn't read .");

  document.root = document.createElement("a");
  EXPECT_FALSE(document.save("missing/file.xml", 2, 75));
  EXPECT_EQ(document.errorMessage, "couldn't write missing/file.xml");
  EXPECT_EQ(document.saveErrorReason, "No such file or directory");

  // Only a regular file (or a link, which is replaced) is ever replaced: a device
  // stays a device even for root, who could otherwise rename over it.
  EXPECT_FALSE(document.save("/dev/full", 2, 75));
  EXPECT_EQ(document.errorMessage, "couldn't write /dev/full");
  EXPECT_EQ(document.saveErrorReason, "not a regular file");
  EXPECT_TRUE(QFileInfo("/dev/full").exists() && !QFileInfo("/dev/full").isFile());
  QDir().mkpath("folder.xml");
  EXPECT_FALSE(document.save("folder.xml", 2, 75));
  EXPECT_EQ(document.saveErrorReason, "Is a directory");
  EXPECT_EQ(QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList({"folder.xml", "home"}));  // no temporary file left behind
}

TEST(XMLDocument, SaveOverwritesAndLoadReadsBack) {
  writeFile("out/solution.hzp", "old contents that are longer than the new ones, by far, really");
  QXMLDocument document;
  document.doctype = "Orbelin_Project_File";
  document.root = document.createElement("solution");
  document.root->setAttribute("Name", "\xC3\xA9t\xC3\xA9");
  ASSERT_TRUE(document.save("out/solution.hzp", 2, 75));
  EXPECT_EQ(readFile("out/solution.hzp"),
            "<!DOCTYPE Orbelin_Project_File>\n<solution Name=\"&#xc3;&#xa9;t&#xc3;&#xa9;\" />\n");
  EXPECT_EQ(document.indent, 2u);
  EXPECT_EQ(document.lineWidth, 75u);

  QXMLDocument reread;
  ASSERT_TRUE(reread.load("out/solution.hzp"));
  EXPECT_EQ(reread.doctype, "Orbelin_Project_File");
  EXPECT_EQ(*reread.root->attribute("Name"), "\xC3\xA9t\xC3\xA9");
}

}  // namespace
