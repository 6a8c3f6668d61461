// Fragments ("xmldef", "xmlput"), file inclusion, and the bounds of recursion and growth.

#include <gtest/gtest.h>

#include <QFile>

#include "preprocessor_test_support.h"

using namespace preprocessor_testing;
using testing_support::writeFile;

namespace {

// A put copies the fragment's content after its definition; a later definition
// replaces an earlier one, and one inside another is registered when the outer is put.
TEST(PreprocessorFragments, PutCopiesTheLatestDefinition) {
  Result result = preprocess(
      "<r><xmlput name=\"f\"/><xmldef name=\"f\"><a v=\"$(V:none)\"/><ifdef name=\"V\"><b/></ifdef></xmldef>"
      "<xmlput name=\"f\"/><xmlput name=\"f\" macros=\"V=1;W=&#10;2\"/><xmlput name=\"f\" macros=\"V=2\" "
      "expand_macros=\"\"/>"
      "<xmlput/><ifdef name=\"W\"><leaked/></ifdef></r>");
  EXPECT_EQ(result.tree, "r[xmlput(name=f),a(v=$(V:none)),a(v=$(V:none)),b,a(v=2),b,xmlput]");
  EXPECT_EQ(result.warnings, QStringList("xmlput cannot fine xmldef named f"));
  result = preprocess(
      "<r><xmldef name=\"f\"><one/></xmldef><xmlput name=\"f\"/><xmldef name=\"f\"><two/>"
      "<xmldef name=\"g\"><inner/></xmldef></xmldef><xmlput name=\"f\"/><xmlput "
      "name=\"g\"/><xmldef><kept/></xmldef></r>",
      "", true);
  EXPECT_EQ(result.tree, "r[one,two,inner,xmldef[kept]]");
  EXPECT_TRUE(result.warnings.isEmpty());
}

TEST(PreprocessorInclude, RelativeToTheIncludingFileWithEnvelopeAndAttributes) {
  writeFile(
      "dir/sub/part.xml",
      "<?xml version=\"1.0\"?><part own=\"1\"><include filename=\"deeper/leaf.xml\"/><p v=\"$(M:none)\"/></part>");
  writeFile("dir/sub/deeper/leaf.xml", "<envelope><leaf1/><leaf2 f=\"$(F)\"/></envelope>");
  const Result result = preprocess(
      "<r><include filename=\"sub/part.xml\" inherit_attributes=\"a;missing;own\" a=\"x\" own=\"2\"/>"
      "<include filename=\"sub/part.xml\" macros=\"M=m\" expand_macros=\"\" no_root=\"\"/></r>",
      "F=f", false, false, "dir/main.xml");
  EXPECT_EQ(result.tree, "r[part(own=2,a=x)[leaf1,leaf2(f=$(F)),p(v=$(M:none))],leaf1,leaf2(f=f),p(v=m)]");
  EXPECT_TRUE(result.warnings.isEmpty());
}

TEST(PreprocessorInclude, FilesWrittenOnWindowsAreFound) {
  writeFile("Common/Parts.XML", "<envelope><found/></envelope>");
  const GlobalMacros global{{}, {{"Here", testing_support::testDirectory()}}};
  const Result result =
      preprocess("<r><include filename=\"common\\parts.xml\"/><include filename=\"$(Here)/Common/Parts.XML\"/></r>", {},
                 false, false, "main.xml", global);
  EXPECT_EQ(result.tree, "r[found,found]");
}

TEST(PreprocessorInclude, FilesThatFailToLoadYieldNothing) {
  writeFile("broken.xml", "<a>\n<b></c>");
  writeFile("empty.xml", "  ");
  writeFile("fragments.xml", "<envelope><xmlput name=\"main\"/><xmldef name=\"included\"><i/></xmldef></envelope>");
  const Result result = preprocess(
      "<r><include filename=\"missing.xml\"/><include filename=\"broken.xml\"/><include filename=\"empty.xml\"/>"
      "<include><kept/></include><xmldef name=\"main\"><m/></xmldef><include filename=\"fragments.xml\"/>"
      "<include filename=\".\"/><include filename=\"/dev/zero\"/>"
      "<xmlput name=\"included\"/></r>");
  // Fragments are shared by the document and the files it includes.
  EXPECT_EQ(result.tree, "r[include[kept],m,i]");
  EXPECT_EQ(result.warnings, QStringList({"error \"couldn't read missing.xml\" in include file missing.xml line:0",
                                          "error \"tagName mismatch\" in include file broken.xml line:1",
                                          "error: include file 'empty.xml' is empty", "missing filename in <include>",
                                          "error \"couldn't read .\" in include file . line:0",
                                          "error \"couldn't read /dev/zero\" in include file /dev/zero line:0"}));
}

// A warning names the file being walked and the line of its directive: in an
// included file that file, in a loop's copy the line of the copied directive.
TEST(PreprocessorWarnings, NameTheFileAndLineOfTheirDirective) {
  writeFile("parts/part.xml", "<envelope>\n  <define value=\"1\"/>\n</envelope>\n");
  const Result result = preprocess(
      "<!DOCTYPE Project_Templates_File>\n<r>\n  <if/>\n"
      "  <include filename=\"parts/part.xml\"/>\n"
      "  <for index=\"i\" start=\"0\" end=\"2\" incr=\"1\">\n"
      "    <xmlput name=\"none\"/>\n  </for>\n</r>\n");
  // Both copies warn at the copied directive's line: the same warning, shown once.
  EXPECT_EQ(result.warnings, QStringList({"one condition required for <if[not]>", "missing name in <define>",
                                          "xmlput cannot fine xmldef named none"}));
  EXPECT_EQ(result.locations, QStringList({"main.xml:3", "parts/part.xml:2", "main.xml:6"}));
  const Result yielded = preprocess("\n<ifdef name=\"X\"><a/><b/></ifdef>", "X=1");
  EXPECT_EQ(yielded.locations, QStringList({"main.xml:2"}));
}

TEST(PreprocessorRecursionBounds, IncludesAndPutsThatRepeatThemselvesWarn) {
  writeFile("self.xml", "<envelope><s/><include filename=\"self.xml\"/></envelope>");
  writeFile("a.xml", "<envelope><a/><include filename=\"b.xml\"/></envelope>");
  writeFile("b.xml", "<envelope><b/><include filename=\"./a.xml\"/></envelope>");
  const Result result = preprocess(
      "<r><include filename=\"self.xml\"/><include filename=\"a.xml\"/><include filename=\"main.xml\"/>"
      "<xmldef name=\"f\"><f/><xmlput name=\"g\"/></xmldef><xmldef name=\"g\"><g/><xmlput name=\"f\"/></xmldef>"
      "<xmlput name=\"f\"/></r>");
  EXPECT_EQ(result.tree, "r[s,a,b,f,g]");
  EXPECT_EQ(result.warnings,
            QStringList({"include file 'self.xml' includes itself", "include file 'a.xml' includes itself",
                         "include file 'main.xml' includes itself", "xmlput named f puts itself"}));
}

TEST(PreprocessorRecursionBounds, ACycleThroughASymbolicLinkIsFound) {
  writeFile("loop/a.xml", "<envelope><a/><include filename=\"again/a.xml\"/></envelope>");
  ASSERT_TRUE(QFile::link(".", "loop/again"));
  const Result result = preprocess("<r><include filename=\"loop/a.xml\"/></r>");
  EXPECT_EQ(result.tree, "r[a]");
  EXPECT_EQ(result.warnings, QStringList("include file 'loop/again/a.xml' includes itself"));
}

TEST(PreprocessorRecursionBounds, DeepNestingIsLeftUnprocessed) {
  const QByteArray deep = QByteArray("<n>").repeated(300) + "<ifdef name=\"X\"/>" + QByteArray("</n>").repeated(300);
  const Result result = preprocess("<r><ifdef name=\"X\"/>" + deep + "</r>");
  EXPECT_EQ(result.warnings, QStringList("nesting deeper than 256 levels is left unprocessed"));
  EXPECT_EQ(result.tree.find("ifdef"), result.tree.rfind("ifdef"));  // only the deepest one is left
}

TEST(PreprocessorRecursionBounds, GrowthStopsAtTheWorkLimit) {
  // Loops within loops stay below the iteration bound each, but not together.
  testing_support::writeFile("grow.xml",
                             "<r><for index=\"i\" start=\"0\" end=\"1000\" incr=\"1\">"
                             "<for index=\"j\" start=\"0\" end=\"1000\" incr=\"1\"><e i=\"$(i)\"/></for></for>"
                             "<ifdef name=\"X\"/></r>");
  RecordingPreprocessor growing;
  growing.preprocessor.setWorkLimit(1 << 20);
  growing.preprocessor.load("grow.xml", "X=");
  EXPECT_EQ(growing.preprocessor.stoppedAt(), "grow.xml:1");
  ASSERT_NE(growing.document.root->lastChild(), nullptr);
  EXPECT_EQ(static_cast<const XMLElement*>(growing.document.root->lastChild())->tagName(), "ifdef");
  // A definition that doubles itself on every turn is bounded the same way.
  RecordingPreprocessor doubling;
  doubling.preprocessor.setWorkLimit(1 << 24);
  testing_support::writeFile("double.xml",
                             "<r><for index=\"i\" start=\"0\" end=\"65536\" incr=\"1\">"
                             "<define name=\"X\" value=\"$(X)$(X)\"/></for></r>");
  doubling.preprocessor.load("double.xml", "X=ab", true);
  EXPECT_FALSE(doubling.preprocessor.stoppedAt().isEmpty());
  // Long sibling lists: every put is spliced in without searching the list, so the
  // walk reaches the default limit quickly instead of slowing down with each splice.
  RecordingPreprocessor puts;
  testing_support::writeFile("puts.xml",
                             "<r><xmldef name=\"f\"><a/><b/><c/><d/></xmldef>"
                             "<for index=\"i\" start=\"0\" end=\"65536\" incr=\"1\">"
                             "<xmlput name=\"f\"/><xmlput name=\"f\"/></for></r>");
  puts.preprocessor.load("puts.xml");
  EXPECT_EQ(puts.preprocessor.stoppedAt(), "puts.xml:1");
}

}  // namespace
