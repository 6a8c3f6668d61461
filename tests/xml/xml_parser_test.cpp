#include <gtest/gtest.h>

#include "xml/xml_document.h"
#include "xml_tree_description.h"

using xml_testing::describe;

namespace {

// The tree of a successful parse, "-" when there is no document element, or the error.
std::string parsed(std::string_view text, bool keepData = false) {
  XMLDocument document(keepData);
  try {
    document.parse(text);
  } catch (const XMLParseError& error) {
    return "error " + error.message + " at " + std::to_string(error.line);
  }
  return document.root ? describe(*document.root) : "-";
}

struct Parse {
  std::string_view text;
  std::string expected;
  bool keepData = false;
};

TEST(XMLParser, ElementsAttributesReferencesAndErrors) {
  const Parse parses[] = {
      {"", "-"},
      {"text <a/>", "-"},
      {"<a><b></b>", "-"},                       // unclosed at the end of input
      {std::string_view("<a/>\0<b/>", 9), "a"},  // a NUL byte ends the text
      {"<a>\n  <b/>\n  text\n</a>", "a[b]"},
      {"<a>\n <b/>x</a>", "a['\n ',b,'x']", true},
      {"<a/><b/>", "b"},  // a later top-level element replaces root
      {"<a></>", "a"},
      {"<a></a x><b/></a>", "a[b]"},  // "</a x" leaves a open
      {"</x><a/>", "a"},
      {"<1-a:b_c/>", "1-a:b_c"},  // a stray end tag; any name characters
      {"<a x='1'/>", "error bad tagName at 0"},
      {"<a.b/>", "error bad tagName at 0"},
      {"<a 1=\"2\"/>", "error bad tagName at 0"},
      {"<a>\n\n<b x='1'/></a>", "error bad tagName at 2"},
      {"<a></b>", "error tagName mismatch at 0"},
      {"<a\n>\n</b\n>", "error tagName mismatch at 3"},
      {"<a x=\"1\" y=\"0\" x=\"2\"/>", "a(x=2,y=0)"},
      {"<a x y = \"1\"/>", "a(y=1)"},  // no "=": dropped
      {"<a x=\"<b>\n\"/>", "a(x=<b>\n)"},
      {"<a x=\"\r&#xd;&#9;\"/>", "a(x=\r\r\t)"},
      {"<a x=\"1", "-"},
      {"<a>&#x41;&#65;&lt;&amp;&unknown;</a>", "a['AA<&&unknown;']", true},
      {"<a>&gt;&quot;&apos;&&lt;</a>", "a['>\"'&<']", true},
      {"<a x=\"&#321;&#1a;&#xz;&#x101;\"/>", "a(x=A\x14#\x01)"},
      {"<a x=\"&#;\"/>", std::string("a(x=\0)", 6)},
      {"<a x=\"&#x;\"/>", std::string("a(x=\0)", 6)},
      {"<a x=\"&#x4A;&#12 &lt\"/>", "a(x=&#x4A;&#12 &lt)"},  // malformed: kept
      {"<a>\r\nx\r&#13;</a>", "a['\nx\r']", true},
      // Comments, CDATA, processing instructions and declarations.
      {"<a><!-- c - d --><![CDATA[<x>]]></a>", "a[<!-- c - d -->,[[<x>]]]", true},
      {"<!-- top --><![CDATA[top]]><a/>", "a", true},
      {"<a><?pi stuff?>x<!ELEMENT y></a>", "a['stuff?>x','y>']", true},
      {"<a><!-- open", "-"},
      {"<a/><?xml version=1.0?>", "-"},  // an unquoted value ends the parse, dropping a
  };
  for (const Parse& p : parses) EXPECT_EQ(parsed(p.text, p.keepData), p.expected) << p.text;

  XMLDocument document;
  EXPECT_THROW(document.parse("<a/>\n<b></c>"), XMLParseError);
  ASSERT_TRUE(document.root);
  EXPECT_EQ(describe(*document.root), "a");  // completed before the error
}

TEST(XMLParser, DeclarationDoctypeAndLineNumbers) {
  XMLDocument document;
  document.parse(
      "<?xml version=\"1.0\" standalone=\"no\" bare encoding = \"UTF-8\"?>\n"
      "<!DOCTYPE Orbelin_Project_File>\n<a/>");
  EXPECT_EQ(document.version, "1.0");
  EXPECT_EQ(document.encoding, "UTF-8");
  EXPECT_EQ(document.doctype, "Orbelin_Project_File");
  XMLDocument longDoctype;
  longDoctype.parse("<!DOCTYPE a SYSTEM \"a.dtd\"><a/>");
  EXPECT_FALSE(longDoctype.doctype);

  XMLDocument lines;
  lines.parse("<a>\n<!--\n-->\n<b x=\"\n\"\n/>\n\n<c/></a>");
  EXPECT_EQ(lines.root->firstChild()->line, 3u);
  EXPECT_EQ(lines.root->lastChild()->line, 7u);
  // Every scanning loop counts the line feeds it passes.
  EXPECT_EQ(parsed("<?xml version=\"1\n\" encoding\n=\n\"x\"?>\n<!DOCTYPE\nd\n>\n<a><![CDATA[\n]]><!--\n-->"
                   "<?pi\n?>\n&amp;\n</a\n><b\n/><c x='1'/>"),
            "error bad tagName at 14");
}

// Deep and long enough that recursion in the parser, writer or destructor would exhaust the stack.
TEST(XMLParser, DeepAndWideTreesDoNotOverflow) {
  const int size = 200000;
  std::string starts, ends, siblings;
  for (int i = 1; i < size; ++i) starts += "<a>", ends += "</a>", siblings += "<b/>";
  XMLDocument unclosed;
  unclosed.parse(starts + "<a>");
  EXPECT_FALSE(unclosed.root);
  XMLDocument closed;
  closed.parse(starts + "<a></a>" + ends);
  EXPECT_EQ(closed.toString(0, 0), starts + "<a/>" + ends);
  XMLDocument wide;
  wide.parse("<r>" + siblings + "</r>");
  EXPECT_EQ(wide.toString(0, 0), "<r>" + siblings + "</r>");
}

}  // namespace
