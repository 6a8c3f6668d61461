// Reading foreign files: the checks and messages of loading, the two parser
// paths, and the lookups the readers make in the element tree.

#include "foreign/foreign_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "helpers/test_support.h"
#include "support/diagnostics.h"

using testing_support::writeFile;

namespace {

std::string errorOf(const std::function<void()>& step) {
  try {
    step();
  } catch (const ConversionError& error) {
    return aboutFile(error.file(), error.message()).toStdString();
  }
  return "no error";
}

std::string loadError(const QString& path) {
  return errorOf([&] { loadXmlDocument(path); });
}

ForeignElement rootOf(const ForeignDocument& document) { return childNamed(document, "root"); }

}  // namespace

// Missing, malformed and directory files are reported end to end (tests/e2e);
// here what else cannot be read, and the path shown as the user would write it.
TEST(LoadXmlDocument, ReportsUnreadableFilesByTheirPaths) {
  EXPECT_EQ(errorOf([] { loadXmlDocument("./sub/../missing.xml", "ws/w.uvmpw"); }),
            "ws/w.uvmpw: Cannot open missing.xml for reading");
  ASSERT_EQ(mkfifo("pipe.xml", 0600), 0);  // would block the open for ever
  EXPECT_EQ(loadError("pipe.xml"), "Cannot open pipe.xml for reading");
  writeFile("empty.xml", "");
  EXPECT_NE(loadError("empty.xml"), "no error");
}

// Declared encodings and CR LF line ends are shown end to end.
TEST(LoadXmlDocument, SkipsAByteOrderMark) {
  writeFile("bom.xml", "\xef\xbb\xbf<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<root>\r\n<b>x</b>\r\n</root>");
  EXPECT_EQ(childText(rootOf(loadXmlDocument("bom.xml")), "b"), "x");
}

// What Qt's DOM gives for the first child's text, which the compact tree copies.
TEST(ForeignLookups, FindDirectChildrenAndTheirFirstTextAsQtDomDoes) {
  writeFile("doc.xml",
            "<root><x>1</x><g><y>grandchild</y></g><c><!-- note -->text</c><n><i/>t</n>"
            "<y>second</y><w>  \n  <!-- c --> t</w><u>&#160;\xe2\x80\x83&#32;</u><d><![CDATA[ <raw> ]]></d>"
            "<r>a&amp;b</r></root>");
  const ForeignDocument document = loadXmlDocument("doc.xml");
  const ForeignElement root = rootOf(document);
  EXPECT_EQ(childText(root, "x"), "1");
  EXPECT_EQ(childText(root, "y"), "second");    // the grandchild is not a direct child
  EXPECT_TRUE(childNamed(root, "X").isNull());  // case-sensitive
  EXPECT_EQ(childText(root, "c"), "");          // first child is a comment
  EXPECT_EQ(childText(root, "n"), "");          // first child is an element
  EXPECT_EQ(childText(root, "w"), "");          // white space is no node: the comment comes first
  EXPECT_EQ(childText(root, "u"), "");          // nor is any other Unicode space
  EXPECT_EQ(childText(root, "d"), " <raw> ");
  EXPECT_EQ(childText(root, "r"), "a&b");
  // The same texts as bytes, decoded and without a QString.
  EXPECT_EQ(childNamed(root, "r").firstChildUtf8(), "a&b");
  EXPECT_TRUE(childNamed(root, "r").firstChildIsAscii());
  EXPECT_EQ(childNamed(root, "n").firstChildUtf8(), "");
  EXPECT_TRUE(childNamed(root, "n").firstChildIsAscii());
  EXPECT_EQ(childText(childNamed(root, "missing"), "x"), "");  // lookups on null find nothing
  EXPECT_EQ(descendantsNamed(document, "y").size(), 2);
}

// Older IAR and uVision files declare a single-byte encoding; the fast path reads
// them converted to UTF-8, so they keep their characters without the slow path.
TEST(LoadXmlDocument, ReadsSingleByteEncodingsOnTheFastPath) {
  const QByteArray latin1 =
      "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<root a=\"caf\xe9\">\r\n<b>\xb5s \xe9t\xe9</b></root>\r\n";
  const QByteArray windows =
      "<?xml version=\"1.0\" encoding=\"windows-1252\" standalone=\"no\" ?>\r\n<root><b>\x80 \x93x\x94</b></root>";
  std::optional<ForeignDocument> document = ForeignDocument::parseFast(latin1);
  ASSERT_TRUE(document);
  EXPECT_EQ(rootOf(*document).attribute("a"), QString::fromUtf8("caf\xc3\xa9"));
  EXPECT_EQ(childText(rootOf(*document), "b"), QString::fromUtf8("\xc2\xb5s \xc3\xa9t\xc3\xa9"));
  document = ForeignDocument::parseFast(windows);
  ASSERT_TRUE(document);
  EXPECT_EQ(childText(rootOf(*document), "b"), QString::fromUtf8("\xe2\x82\xac \xe2\x80\x9cx\xe2\x80\x9d"));
  EXPECT_EQ(childNamed(rootOf(*document), "b").firstChildUtf8(), "\xe2\x82\xac \xe2\x80\x9cx\xe2\x80\x9d");
  EXPECT_FALSE(childNamed(rootOf(*document), "b").firstChildIsAscii());
}

// Where the fast path gives up, the stream reader's message and position are the
// ones reported, however far into the file the fast path got.
TEST(LoadXmlDocument, ErrorsKeepTheStreamReadersMessageAndPosition) {
  const struct {
    QByteArray content;
    std::string error;
  } cases[] = {
      {"<?xml version=\"1.0\"?>\r\n<root>\r\n  <b x=\"1\" x=\"2\"/>\r\n</root>\r\n",
       "bad.xml: Attribute 'x' redefined. line: 3 column: 18"},
      // Qt places a decoding error at the start of the document: the byte's own place is told.
      {"<root>\r\n<b>\xff</b>\r\n</root>", "bad.xml: invalid UTF-8 line: 2 column: 4"},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n<b>caf\xc3\xa9 \xc3</b>\n</root>",
       "bad.xml: invalid UTF-8 line: 3 column: 9"},
      {"<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<root>\xe9\r\n<b></c>\r\n</root>",
       "bad.xml: Opening and ending tag mismatch. line: 3 column: 7"},
      {"<root>\n<b>&unknown;</b>\n</root>", "bad.xml: Entity 'unknown' not declared. line: 2 column: 12"},
      {"<root/>\n<second/>", "bad.xml: Extra content at end of document. line: 2 column: 9"},
      {"<root>\n\n<b>]]></b></root>", "bad.xml: Sequence ']]>' not allowed in content. line: 3 column: 6"},
  };
  for (const auto& [content, error] : cases) {
    writeFile("bad.xml", content);
    EXPECT_EQ(loadError("bad.xml"), error) << content.constData();
  }
}

// A file padded with NUL bytes after its document element (9,049 of them in a
// published project) is read; NUL bytes before more content are an error.
TEST(LoadXmlDocument, NulPaddingAfterTheDocumentElementIsRead) {
  writeFile("padded.xml", "<root><b>x</b></root>\r\n" + QByteArray(9049, '\0') + "\r\n");
  EXPECT_EQ(childText(rootOf(loadXmlDocument("padded.xml")), "b"), "x");
  writeFile("bad.xml", "<root/>" + QByteArray(2, '\0') + "<root/>");
  EXPECT_EQ(loadError("bad.xml"), "bad.xml: Extra content at end of document. line: 1 column: 8");
}

// Nesting is bounded by memory only: neither reader nor the tree recurses.
TEST(LoadXmlDocument, ReadsDeeplyNestedFilesOnBothPaths) {
  const int depth = 50000;
  const QByteArray deep = QByteArray("<g>").repeated(depth) + QByteArray("</g>").repeated(depth);
  writeFile("deep.xml", deep);
  EXPECT_EQ(descendantsNamed(loadXmlDocument("deep.xml"), "g").size(), depth);
  EXPECT_EQ(descendantsNamed(ForeignDocument::parseWithStreamReader(deep), "g").size(), depth);
  writeFile("unclosed.xml", QByteArray("<g>").repeated(depth));
  EXPECT_EQ(loadError("unclosed.xml"), "unclosed.xml: Premature end of document. line: 1 column: 150000");
}
