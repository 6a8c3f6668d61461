#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "support/test_support.h"
#include "xml/xml_document.h"

using testing_support::writeFile;

namespace {

TEST(XMLDocument, LoadSkipsAByteOrderMark) {
  writeFile("bom.xml", "\xEF\xBB\xBF<a x=\"\xC3\xA9\"/>");
  QXMLDocument document;
  ASSERT_TRUE(document.load("bom.xml"));
  ASSERT_TRUE(document.root);
  EXPECT_EQ(*document.root->attribute("x"), "\xC3\xA9");
}

// Files that cannot be read are shown by the preprocessor's include tests.
TEST(XMLDocument, SaveErrors) {
  QXMLDocument document;
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

}  // namespace
