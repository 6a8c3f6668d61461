// The helpers every importer shares: DOM loading and lookups, path conversion
// and the file filter.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "importers/common/hexception.h"
#include "importers/common/import_settings.h"
#include "importers/common/xml_loading.h"
#include "support/test_support.h"

using testing_support::writeFile;

namespace {

std::string errorOf(const std::function<void()>& step) {
  try {
    step();
  } catch (const HException& exception) {
    return exception.message();
  }
  return "no error";
}

std::string loadError(const QString& path) {
  return errorOf([&] { loadXmlDocument(path); });
}

DomElement rootOf(const DomDocument& document) { return firstChildElement(document, "root"); }

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
  EXPECT_EQ(childElementText(rootOf(loadXmlDocument("bom.xml")), "b"), "x");
}

// What Qt's DOM gives for the first child's text, which the compact tree copies.
TEST(DomLookups, FindDirectChildrenAndTheirFirstTextAsQtDomDoes) {
  writeFile("doc.xml",
            "<root><x>1</x><g><y>grandchild</y></g><c><!-- note -->text</c><n><i/>t</n>"
            "<y>second</y><w>  \n  <!-- c --> t</w><u>&#160;\xe2\x80\x83&#32;</u><d><![CDATA[ <raw> ]]></d>"
            "<r>a&amp;b</r></root>");
  const DomDocument document = loadXmlDocument("doc.xml");
  const DomElement root = rootOf(document);
  EXPECT_EQ(childElementText(root, "x"), "1");
  EXPECT_EQ(childElementText(root, "y"), "second");    // the grandchild is not a direct child
  EXPECT_TRUE(firstChildElement(root, "X").isNull());  // case-sensitive
  EXPECT_EQ(childElementText(root, "c"), "");          // first child is a comment
  EXPECT_EQ(childElementText(root, "n"), "");          // first child is an element
  EXPECT_EQ(childElementText(root, "w"), "");          // white space is no node: the comment comes first
  EXPECT_EQ(childElementText(root, "u"), "");          // nor is any other Unicode space
  EXPECT_EQ(childElementText(root, "d"), " <raw> ");
  EXPECT_EQ(childElementText(root, "r"), "a&b");
  EXPECT_EQ(childElementText(firstChildElement(root, "missing"), "x"), "");  // lookups on null find nothing
  EXPECT_EQ(descendantElements(document, "y").size(), 2);
}

TEST(FileFilter, MatchesWholeNamesCaseSensitively) {
  ImportSettings settings;
  settings.fileFilters = {WildcardPattern("*.s"), WildcardPattern("src*main.?")};
  EXPECT_TRUE(settings.excludesFile("startup.s"));
  EXPECT_FALSE(settings.excludesFile("startup.S"));
  EXPECT_FALSE(settings.excludesFile("startup.s.bak"));
  EXPECT_TRUE(settings.excludesFile("src/app/main.c"));  // "*" also matches "/"
}

TEST(Wildcards, FollowShellSetsAndKeepOtherCharactersLiteral) {
  EXPECT_TRUE(WildcardPattern("file[0-9].c").matches("file7.c"));
  EXPECT_FALSE(WildcardPattern("file[0-9].c").matches("filex.c"));
  EXPECT_FALSE(WildcardPattern("[^a]*").matches("abc"));
  EXPECT_TRUE(WildcardPattern("[]x]").matches("]"));
  EXPECT_TRUE(WildcardPattern("a\\b").matches("a\\b"));
  EXPECT_FALSE(WildcardPattern("a.c").matches("abc"));
  EXPECT_TRUE(WildcardPattern("(x)+").matches("(x)+"));
  EXPECT_TRUE(WildcardPattern("*\xf0\x9f\x93\x84.c").matches("notes\xf0\x9f\x93\x84.c"));  // outside the BMP
  EXPECT_FALSE(WildcardPattern("[abc").matches("[abc"));  // unclosed set matches nothing
}
