#include "xml/xml_document.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>

#include "helpers/test_support.h"

using testing_support::writeFile;

namespace {

TEST(XMLDocument, ParseFileSkipsAByteOrderMark) {
  writeFile("bom.xml", "\xEF\xBB\xBF<a x=\"\xC3\xA9\"/>");
  XMLDocument document;
  document.parseFile("bom.xml");
  ASSERT_TRUE(document.root);
  EXPECT_EQ(*document.root->attribute("x"), "\xC3\xA9");
}

// Templates and solution files are UTF-8: bytes that are not are reported at
// their line and column (characters, from 1), not read as something else.
TEST(XMLDocument, ParseFileReportsInvalidUtf8WhereItStands) {
  const struct {
    QByteArray text;
    int line;  // from 1; 0: the text loads
    int column;
  } cases[] = {
      {"<a>\n  <b x=\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z\"/>\n</a>", 0, 0},  // 2, 3 and 4 bytes
      {"<a>\n  <b x=\"\xC3\xA9\xFF\"/>\n</a>", 2, 10},
      {"<a x=\"\xC0\x80\"/>", 1, 7},          // an overlong form
      {"<a x=\"\xED\xA0\x80\"/>", 1, 7},      // a surrogate
      {"<a x=\"\xF4\x90\x80\x80\"/>", 1, 7},  // above U+10FFFF
      {"<a>\n\n<!-- \x80 --></a>", 3, 6},     // a lone continuation byte, in a comment
      {"<a/>\n\xE2\x82", 2, 1},               // cut short at the end
      {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a x=\"\xE9\"/>", 0, 0},
  };
  for (const auto& c : cases) {
    writeFile("t.xml", c.text);
    XMLDocument document;
    std::optional<XMLParseError> error;
    try {
      document.parseFile("t.xml");
    } catch (const XMLParseError& thrown) {
      error = thrown;
    }
    EXPECT_EQ(!error, c.line == 0) << c.text.toStdString();
    if (!error) continue;
    EXPECT_EQ(error->message, "invalid UTF-8");
    EXPECT_EQ(error->line + 1, c.line) << c.text.toStdString();
    EXPECT_EQ(error->column, c.column) << c.text.toStdString();
    EXPECT_FALSE(document.root);
  }
}

// Only regular files are read: a pipe would block the run. Other files that cannot
// be read are shown by the preprocessor's include tests.
TEST(XMLDocument, ParseFileRefusesWhatIsNoRegularFile) {
  ASSERT_EQ(mkfifo("pipe.xml", 0600), 0);
  XMLDocument document;
  try {
    document.parseFile("pipe.xml");
    ADD_FAILURE() << "a pipe was read";
  } catch (const XMLParseError& error) {
    EXPECT_EQ(error.message, "couldn't read pipe.xml");
  }
}

}  // namespace
