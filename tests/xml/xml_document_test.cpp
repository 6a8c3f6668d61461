#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>

#include "helpers/test_support.h"
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

// Templates and solution files are UTF-8: bytes that are not are reported at
// their line and column (characters, from 1), not read as something else.
TEST(XMLDocument, LoadReportsInvalidUtf8WhereItStands) {
  const struct {
    QByteArray text;
    int line;  // from 1; 0: the text loads
    int column;
  } cases[] = {
      {"<a>\n  <b x=\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z\"/>\n</a>", 0, 0},  // 2, 3 and 4 bytes
      {"<a>\n  <b x=\"\xC3\xA9\xFF\"/>\n</a>", 2, 10},
      {"<a x=\"\xC0\x80\"/>", 1, 7},                     // an overlong form
      {"<a x=\"\xED\xA0\x80\"/>", 1, 7},                 // a surrogate
      {"<a x=\"\xF4\x90\x80\x80\"/>", 1, 7},             // above U+10FFFF
      {"<a>\n\n<!-- \x80 --></a>", 3, 6},                  // a lone continuation byte, in a comment
      {"<a/>\n\xE2\x82", 2, 1},                           // cut short at the end
      {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a x=\"\xE9\"/>", 0, 0},
  };
  for (const auto& c : cases) {
    writeFile("t.xml", c.text);
    QXMLDocument document;
    const bool loaded = document.load("t.xml");
    EXPECT_EQ(loaded, c.line == 0) << c.text.toStdString();
    if (c.line == 0) continue;
    EXPECT_EQ(document.errorMessage, "invalid UTF-8");
    EXPECT_EQ(document.errorLine + 1, c.line) << c.text.toStdString();
    EXPECT_EQ(document.errorColumn, c.column) << c.text.toStdString();
    EXPECT_FALSE(document.root);
  }
}

// Only regular files are read: a pipe would block the run. Other files that cannot
// be read are shown by the preprocessor's include tests.
TEST(XMLDocument, LoadRefusesWhatIsNoRegularFile) {
  ASSERT_EQ(mkfifo("pipe.xml", 0600), 0);
  QXMLDocument document;
  EXPECT_FALSE(document.load("pipe.xml"));
  EXPECT_EQ(document.errorMessage, "couldn't read pipe.xml");
}

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
