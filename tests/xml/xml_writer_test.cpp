#include "xml/xml_writer.h"

#include <gtest/gtest.h>

#include "xml/xml_document.h"

namespace {

std::string rewritten(std::string_view text, uint32_t indent, uint32_t lineWidth, bool keepData = false) {
  XMLDocument document(keepData);
  document.parse(text);
  return document.toString(indent, lineWidth);
}

TEST(XMLWriter, AttributeWrappingRule) {
  const std::string_view text = "<e a=\"x\" b=\"y\"/>";  // counted width: 1 + 1 + 6 + 6 = 14
  EXPECT_EQ(rewritten(text, 2, 14), "<e a=\"x\" b=\"y\" />\n");
  EXPECT_EQ(rewritten(text, 2, 13), "<e\n  a=\"x\"\n  b=\"y\" />\n");
  EXPECT_EQ(rewritten("<r><e a=\"x\" b=\"y\"/></r>", 2, 15), "<r>\n  <e\n    a=\"x\"\n    b=\"y\" />\n</r>\n");
  EXPECT_EQ(rewritten(text, 2, 0), "<e a=\"x\" b=\"y\" />\n");
  EXPECT_EQ(rewritten("<e a=\"a very long value that goes on and on\"/>", 2, 10),
            "<e a=\"a very long value that goes on and on\" />\n");
  EXPECT_EQ(rewritten("<e a=\"&lt;&lt;\" b=\"y\"/>", 2, 15), "<e a=\"&lt;&lt;\" b=\"y\" />\n");  // raw length

  XMLDocument document;
  document.root = std::make_unique<XMLElement>("e");
  document.root->setAttribute("a", "x");
  document.root->attributes().push_back(XMLAttribute{"n", "", false});
  document.root->setAttribute("b", "y");
  EXPECT_EQ(document.toString(2, 13), "<e\n  a=\"x\" n=\"\"\n  b=\"y\" />\n");
}

TEST(XMLWriter, NodeKinds) {
  EXPECT_EQ(rewritten("<a><!--c--><![CDATA[d]]><b>t&lt;<c/></b></a>", 2, 75, true),
            "<a>\n  <!--c-->  <![CDATA[d]]>  <b>t&lt;</b></a>\n");
  EXPECT_EQ(rewritten("<a>x<b/>y</a>", 0, 0, true), "<a>x</a>");
  EXPECT_EQ(rewritten("<a><b x=\"1\"/><c/></a>", 0, 0), "<a><b x=\"1\" /><c/></a>");
}

TEST(XMLWriter, Escaping) {
  XMLDocument document;
  document.root = std::make_unique<XMLElement>("a");
  document.root->setAttribute("v", std::string("\"&<>'\t\n \xC3\xA9\x7F\x00~", 13));
  EXPECT_EQ(document.toString(0, 0), "<a v=\"&quot;&amp;&lt;&gt;'&#x9;&#xa; &#xc3;&#xa9;&#x7f;&#x0;~\" />");
}

// Long text is scanned sixteen bytes at a time, the last ones in an overlapping chunk:
// a byte to escape is found wherever it stands, and every byte is escaped there as a
// text too short for the blocks escapes it.
TEST(XMLWriter, EscapingAtEveryPositionOfLongText) {
  const auto written = [](const std::string& value) {
    XMLDocument document;
    document.root = std::make_unique<XMLElement>("a");
    document.root->setAttribute("v", value);
    const std::string text = document.toString(0, 0);
    return text.substr(6, text.size() - 10);  // between <a v=" and " />
  };
  for (size_t position = 0; position < 40; ++position) {
    std::string value(40, 'x');
    value[position] = '<';
    const std::string expected = std::string(position, 'x') + "&lt;" + std::string(39 - position, 'x');
    EXPECT_EQ(written(value), expected) << position;
  }
  for (int byte = 0; byte < 256; ++byte) {
    const std::string alone = written(std::string(1, static_cast<char>(byte)));
    for (const size_t position : {size_t{0}, size_t{17}, size_t{39}}) {
      std::string value(40, 'x');
      value[position] = static_cast<char>(byte);
      EXPECT_EQ(written(value), std::string(position, 'x') + alone + std::string(39 - position, 'x'))
          << byte << " at " << position;
    }
  }
}

// A value given as UTF-16 is written as its UTF-8 form would be, sixteen characters
// at a time and the last ones again: a character to escape is found at every
// place and length, and a character outside printable ASCII writes nothing.
TEST(XMLWriter, OneAttributeFromUtf16AsFromUtf8) {
  const auto written = [](const QString& value, bool fromUtf16) {
    std::string out;
    XMLWriter writer(2, 75, out);
    const std::string utf8 = value.toStdString();
    if (fromUtf16) {
      if (!writer.writeStartTag("file", "file_name", value, 1, XMLWriter::TagEnd::Empty)) return std::string("(none)");
    } else {
      writer.writeStartTag("file", std::vector<XMLAttribute>{{"file_name", utf8}}, 1, XMLWriter::TagEnd::Empty);
    }
    return out;
  };
  for (const char16_t special : {u'<', u'"', u'&', u'>', u'\t', u'\x7f', u'\xe9', u'\x2019'}) {
    for (qsizetype size = 1; size < 40; ++size) {
      for (qsizetype position = 0; position < size; ++position) {
        QString value(size, QLatin1Char('x'));
        value[position] = QChar(special);
        const bool ascii = special >= 0x20 && special < 0x7f;
        EXPECT_EQ(written(value, true), ascii ? written(value, false) : "(none)") << int(special) << " " << position;
      }
    }
  }
  EXPECT_EQ(written(QStringLiteral("./src/a.c"), true), "  <file file_name=\"./src/a.c\" />\n");
}

TEST(XMLWriter, EveryByteSurvivesWriteAndParse) {
  std::string everyByte;
  for (int byte = 0; byte < 256; ++byte) everyByte.push_back(static_cast<char>(byte));
  XMLDocument document;
  document.root = std::make_unique<XMLElement>("a");
  document.root->setAttribute("v", everyByte);
  XMLDocument reread;
  reread.parse(document.toString(2, 75));
  ASSERT_TRUE(reread.root && reread.root->attribute("v"));
  EXPECT_EQ(*reread.root->attribute("v"), everyByte);
}

}  // namespace
