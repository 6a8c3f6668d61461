#include <gtest/gtest.h>

#include "xml/xml_document.h"
#include "xml_tree_description.h"

using xml_testing::describe;

namespace {

// The tree of a successful parse, "-" when there is no document element, or the error.
std::string parsed(std::string_view text, bool keepData = false) {
  XMLDocument document(keepData);
  if (!document.parse(text)) return "error " + document.errorMessage + " at " + std::to_string(document.errorLine);
  return document.root ? describe(*document.root) : "-";
}

TEST(XMLParser, ElementsAndCharacterData) {
  EXPECT_EQ(parsed(""), "-");
  EXPECT_EQ(parsed("text <a/>"), "-");
  EXPECT_EQ(parsed("<a><b></b>"), "-");  // unclosed at the end of input
  EXPECT_EQ(parsed(std::string_view("<a/>\0<b/>", 9)), "a");  // a NUL byte ends the text
  EXPECT_EQ(parsed("<a>\n  <b/>\n  text\n</a>"), "a[b]");
  EXPECT_EQ(parsed("<a>\n <b/>x</a>", true), "a['\n ',b,'x']");
  EXPECT_EQ(parsed("<a/><b/>"), "b");                 // a later top-level element replaces root
  EXPECT_EQ(parsed("<a></>"), "a");
  EXPECT_EQ(parsed("<a></a x><b/></a>"), "a[b]");     // "</a x" leaves a open
  EXPECT_EQ(parsed("</x><a/>"), "a");                 // stray end tag
  EXPECT_EQ(parsed("<1-a:b_c/>"), "1-a:b_c");
}

TEST(XMLParser, Errors) {
  EXPECT_EQ(parsed("<a x='1'/>"), "error bad tagName at 0");
  EXPECT_EQ(parsed("<a.b/>"), "error bad tagName at 0");
  EXPECT_EQ(parsed("<a 1=\"2\"/>"), "error bad tagName at 0");
  EXPECT_EQ(parsed("<a>\n\n<b x='1'/></a>"), "error bad tagName at 2");
  EXPECT_EQ(parsed("<a></b>"), "error tagName mismatch at 0");
  EXPECT_EQ(parsed("<a\n>\n</b\n>"), "error tagName mismatch at 3");

  XMLDocument document;
  EXPECT_FALSE(document.parse("<a/>\n<b></c>"));
  ASSERT_TRUE(document.root);
  EXPECT_EQ(describe(*document.root), "a");  // completed before the error
}

TEST(XMLParser, AttributesAndReferences) {
  EXPECT_EQ(parsed("<a x=\"1\" y=\"0\" x=\"2\"/>"), "a(x=2,y=0)");
  EXPECT_EQ(parsed("<a x y = \"1\"/>"), "a(y=1)");  // no "=": dropped
  EXPECT_EQ(parsed("<a x=\"<b>\n\"/>"), "a(x=<b>\n)");
  EXPECT_EQ(parsed("<a x=\"\r&#xd;&#9;\"/>"), "a(x=\r\r\t)");
  EXPECT_EQ(parsed("<a x=\"1"), "-");
  EXPECT_EQ(parsed("<a>&#x41;&#65;&lt;&amp;&unknown;</a>", true), "a['AA<&&unknown;']");
  EXPECT_EQ(parsed("<a>&gt;&quot;&apos;&&lt;</a>", true), "a['>\"'&<']");
  EXPECT_EQ(parsed("<a x=\"&#321;&#1a;&#xz;&#x101;\"/>"), "a(x=A\x14#\x01)");
  EXPECT_EQ(parsed("<a x=\"&#;\"/>"), std::string("a(x=\0)", 6));
  EXPECT_EQ(parsed("<a x=\"&#x;\"/>"), std::string("a(x=\0)", 6));
  EXPECT_EQ(parsed("<a x=\"&#x4A;&#12 &lt\"/>"), "a(x=&#x4A;&#12 &lt)");  // malformed: kept
  EXPECT_EQ(parsed("<a>\r\nx\r&#13;</a>", true), "a['\nx\r']");
}

TEST(XMLParser, PassedOverConstructsDeclarationAndDoctype) {
  EXPECT_EQ(parsed("<a><!-- c - d --><![CDATA[<x>]]></a>", true), "a[<!-- c - d -->,[[<x>]]]");
  EXPECT_EQ(parsed("<!-- top --><![CDATA[top]]><a/>", true), "a");
  EXPECT_EQ(parsed("<a><?pi stuff?>x<!ELEMENT y></a>", true), "a['stuff?>x','y>']");
  EXPECT_EQ(parsed("<a><!-- open"), "-");

  XMLDocument document;
  EXPECT_TRUE(document.parse("<?xml version=\"1.0\" standalone=\"no\" bare encoding = \"UTF-8\"?>\n"
                             "<!DOCTYPE Orbelin_Project_File>\n<a/>"));
  EXPECT_EQ(document.version, "1.0");
  EXPECT_EQ(document.encoding, "UTF-8");
  EXPECT_EQ(document.doctype, "Orbelin_Project_File");
  EXPECT_EQ(parsed("<a/><?xml version=1.0?>"), "-");  // an unquoted value ends the parse, dropping a
  XMLDocument longDoctype;
  EXPECT_TRUE(longDoctype.parse("<!DOCTYPE a SYSTEM \"a.dtd\"><a/>"));
  EXPECT_FALSE(longDoctype.doctype);
}

TEST(XMLParser, LineNumbers) {
  XMLDocument document;
  ASSERT_TRUE(document.parse("<a>\n<!--\n-->\n<b x=\"\n\"\n/>\n\n<c/></a>"));
  EXPECT_EQ(document.root->firstChild()->line, 3u);
  EXPECT_EQ(document.root->lastChild()->line, 7u);
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
  EXPECT_TRUE(unclosed.parse(starts + "<a>"));
  EXPECT_FALSE(unclosed.root);
  XMLDocument closed;
  ASSERT_TRUE(closed.parse(starts + "<a></a>" + ends));
  EXPECT_EQ(closed.toString(0, 0), starts + "<a/>" + ends);
  XMLDocument wide;
  ASSERT_TRUE(wide.parse("<r>" + siblings + "</r>"));
  EXPECT_EQ(wide.toString(0, 0), "<r>" + siblings + "</r>");
}

}  // namespace
