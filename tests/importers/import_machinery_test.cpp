// The helpers every importer shares: DOM loading and lookups, the directory
// stack, path conversion and the file filter.

#include <gtest/gtest.h>

#include <QDir>

#include "importers/directory_stack.h"
#include "importers/hexception.h"
#include "importers/import_settings.h"
#include "importers/xml_loading.h"
#include "support/test_support.h"

using testing_support::writeFile;

namespace {

std::string loadError(const QString& path) {
  try {
    loadXmlDocument(path);
  } catch (const HException& exception) {
    return exception.message();
  }
  return "no error";
}

DomDocument parse(const char* text) {
  writeFile("doc.xml", text);
  return loadXmlDocument("doc.xml");
}

}  // namespace

TEST(LoadXmlDocument, ReportsUnreadableAndMalformedFiles) {
  EXPECT_EQ(loadError("missing.xml"), "Cannot open missing.xml for reading");
  writeFile("bad.xml", "<a>\n<b>\n  <c></b>\n</a>\n");
  const std::string message = loadError("bad.xml");
  EXPECT_TRUE(QString::fromStdString(message).endsWith(" line: 3 column: 9")) << message;
  writeFile("empty.xml", "");
  EXPECT_NE(loadError("empty.xml"), "no error");
}

TEST(LoadXmlDocument, ReadsDeclaredEncodingsByteOrderMarksAndCrLf) {
  writeFile("latin1.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<a><b>caf\xe9</b></a>\r\n");
  EXPECT_EQ(childElementText(loadXmlDocument("latin1.xml").documentElement(), "b"), QString::fromUtf8("caf\xc3\xa9"));
  writeFile("bom.xml", "\xef\xbb\xbf<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a>\r\n<b>x</b>\r\n</a>");
  EXPECT_EQ(childElementText(loadXmlDocument("bom.xml").documentElement(), "b"), "x");
}

TEST(DomLookups, FindDirectChildrenAndTheirFirstText) {
  const DomDocument document = parse(
      "<root><x>1</x><g><y>grandchild</y></g><c><!-- note -->text</c><e/><n><i/>t</n><y>second</y></root>");
  const DomElement root = document.documentElement();
  EXPECT_EQ(elementText(firstChildElement(root, "x")), "1");
  EXPECT_EQ(childElementText(root, "y"), "second");   // the grandchild is not a direct child
  EXPECT_TRUE(firstChildElement(root, "X").isNull()); // case-sensitive
  EXPECT_EQ(childElementText(root, "c"), "");         // first child is a comment
  EXPECT_EQ(childElementText(root, "e"), "");
  EXPECT_EQ(childElementText(root, "n"), "");         // first child is an element
  EXPECT_EQ(childElementText(root, "missing"), "");
  EXPECT_EQ(descendantElements(document, "y").size(), 2);
  EXPECT_EQ(childElementText(firstChildElement(root, "missing"), "x"), "");  // lookups on null find nothing
}

TEST(DomLookups, FirstChildTextFollowsQtDomRules) {
  const DomDocument document = parse(
      "<root a='1' b=\"&lt;2&gt;\">\n  <w>  \n  <!-- c --> t</w><s>  \n  <i/></s>"
      "<d><![CDATA[ <raw> ]]></d><r>a&amp;b</r><p><?pi x?>t</p></root>");
  const DomElement root = document.documentElement();
  EXPECT_EQ(root.tagName(), "root");
  EXPECT_EQ(root.attribute("b"), "<2>");
  EXPECT_TRUE(root.hasAttribute("a"));
  EXPECT_EQ(root.attribute("missing"), "");
  EXPECT_EQ(childElementText(root, "w"), "");  // white space is no node: the comment comes first
  EXPECT_EQ(childElementText(root, "s"), "");
  EXPECT_EQ(childElementText(root, "d"), " <raw> ");
  EXPECT_EQ(childElementText(root, "r"), "a&b");
  EXPECT_EQ(childElementText(root, "p"), "");
}

TEST(DirectoryStack, PushesAndPopsTheWorkingDirectory) {
  const QString start = QDir::currentPath();
  QDir().mkpath("sub");
  pushDirectory(QString());  // null: remembers, stays
  EXPECT_EQ(QDir::currentPath(), start);
  pushDirectory("sub");
  EXPECT_EQ(QDir::currentPath(), start + "/sub");
  EXPECT_EQ(directoryStack().size(), 2);
  popDirectory();
  EXPECT_EQ(QDir::currentPath(), start);
  popDirectory();
  EXPECT_EQ(QDir::currentPath(), start);
  EXPECT_TRUE(directoryStack().isEmpty());
}

TEST(DirectoryStack, RejectsPathsThatNameNothing) {
  try {
    pushDirectory("nowhere");
    FAIL() << "no exception";
  } catch (const HException& exception) {
    EXPECT_EQ(exception.message(), "directory nowhere does not exist");
  }
  EXPECT_THROW(pushDirectory(""), HException);  // empty counts as given
  EXPECT_TRUE(directoryStack().isEmpty());
}

TEST(ToForwardSlashes, ConvertsSeparatorsAndDropsOneTrailingSlash) {
  EXPECT_EQ(toForwardSlashes("..\\src\\"), "../src");
  EXPECT_EQ(toForwardSlashes("a\\\\"), "a/");
  EXPECT_EQ(toForwardSlashes("/"), "");
  EXPECT_EQ(toForwardSlashes("x/y"), "x/y");
}

TEST(FileFilter, MatchesWholeNamesCaseSensitively) {
  ImportSettings& settings = importSettings();
  const auto saved = settings.fileFilters;
  settings.fileFilters = {WildcardPattern("*.s")};
  EXPECT_TRUE(matchesFileFilter("startup.s"));
  EXPECT_FALSE(matchesFileFilter("startup.S"));
  EXPECT_FALSE(matchesFileFilter("startup.s.bak"));
  settings.fileFilters = {WildcardPattern("*.txt"), WildcardPattern("src*main.?")};
  EXPECT_TRUE(matchesFileFilter("readme.txt"));
  EXPECT_TRUE(matchesFileFilter("src/app/main.c"));  // "*" also matches "/"
  settings.fileFilters = saved;
}

TEST(Wildcards, FollowShellSetsAndKeepBackslashesLiteral) {
  EXPECT_TRUE(WildcardPattern("file[0-9].c").matches("file7.c"));
  EXPECT_FALSE(WildcardPattern("file[0-9].c").matches("filex.c"));
  EXPECT_TRUE(WildcardPattern("[^a]*").matches("bc"));
  EXPECT_FALSE(WildcardPattern("[^a]*").matches("abc"));
  EXPECT_TRUE(WildcardPattern("[]x]").matches("]"));
  EXPECT_TRUE(WildcardPattern("a\\b").matches("a\\b"));
  EXPECT_FALSE(WildcardPattern("a\\*").matches("a*b"));
  EXPECT_TRUE(WildcardPattern("a.c").matches("a.c"));
  EXPECT_FALSE(WildcardPattern("a.c").matches("abc"));  // "." is literal
  EXPECT_TRUE(WildcardPattern("(x)+").matches("(x)+"));
  EXPECT_FALSE(WildcardPattern("[abc").matches("[abc"));  // unclosed set matches nothing
  EXPECT_TRUE(WildcardPattern("").matches(""));
}
