// The conditional directives, "define", the expand flag and the document element.

#include <gtest/gtest.h>

#include "preprocessor_test_support.h"

using namespace preprocessor_testing;

namespace {

// A list matches the macro's value; empty items are skipped, so an empty value
// matches no list and "ifnot" then holds; an undefined macro is empty and becomes
// defined. Not exactly one condition keeps an ordinary element, whose children are
// still walked; names are case-sensitive.
TEST(PreprocessorIf, ListsMatchTheMacroValue) {
  Result result = preprocess(
      "<r><if A=\"1,2\"><a/><a2/></if><if A=\"3\"><b/></if><ifnot A=\"3,4\"><c/></ifnot>"
      "<ifnot A=\"2\"><d/></ifnot><if A=\"1,,2,\"><e/></if></r>",
      "A=2");
  EXPECT_EQ(result.tree, "r[a,a2,c,e]");
  EXPECT_TRUE(result.warnings.isEmpty());
  EXPECT_EQ(preprocess("<r><if U=\"\"><a/></if><if V=\",,\"><b/></if><ifnot W=\"\"><c/></ifnot>"
                       "<ifdef name=\"U\"><u/></ifdef><ifdef name=\"W\"><w/></ifdef><ifdef name=\"X\"><x/></ifdef></r>")
                .tree,
            "r[c,u,w]");
  result = preprocess(
      "<r><if><a/></if>\n<ifnot A=\"1\" B=\"2\"><ifdef name=\"A\"><b/></ifdef></ifnot><If A=\"1\"><c/></If></r>",
      "A=1");
  EXPECT_EQ(result.tree, "r[if[a],ifnot(A=1,B=2)[b],If(A=1)[c]]");
  EXPECT_EQ(result.warnings, QStringList(2, "one condition required for <if[not]>"));
}

TEST(PreprocessorIfex, OnlyATrueTruthValueKeepsTheContent) {
  const Result result = preprocess(
      "<r><ifex expression=\"1\"><number/></ifex><ifex expression=\"1 == 1\"><true/></ifex>"
      "<ifex expression=\"$(N) &gt; 2 &amp;&amp; $(N) &lt; 4\"><expanded/></ifex>"
      "<ifex expression=\"5 / 0 == 1\"><failed/></ifex><ifex expression=\"X == 1\"><unknown/></ifex>"
      "<ifex expression=\"1 == 2\"><false/></ifex><ifex expression=\"\"><empty/></ifex><ifex><absent/></ifex></r>",
      "N=3");
  EXPECT_EQ(result.tree, "r[true,expanded,ifex(expression=)[empty],ifex[absent]]");
  EXPECT_TRUE(result.warnings.isEmpty());
}

// A definition is seen by its following siblings and their subtrees, not outside
// the directive or element that holds it.
TEST(PreprocessorDefine, ScopesEndWithTheirElement) {
  const Result result = preprocess(
      "<r><ifdef name=\"X\"><define name=\"Inner\" value=\"1\"/><a v=\"$(Inner)\"/></ifdef>"
      "<b v=\"$(Inner:none)\"/><define name=\"Outer\" value=\"2\"/><c><d v=\"$(Outer)\"/>"
      "<define name=\"Deep\" value=\"3\"/></c><e v=\"$(Deep:none)\"/><ifndef name=\"Outer\"><f/></ifndef></r>",
      "X=", true);
  EXPECT_EQ(result.tree, "r[a(v=1),b(v=none),c[d(v=2)],e(v=none)]");
}

TEST(PreprocessorDefine, ValuesExpressionsAndHexExpressions) {
  Result result = preprocess(
      "<r><define name=\"V\" value=\"$(N) raw\"/><define name=\"E\" expression=\"$(N) * 2 + 1\"/>"
      "<define name=\"H\" hex_expression=\"255\"/><define name=\"M\" hex_expression=\"-1\"/>"
      "<define name=\"T\" expression=\"1 == 1\"/><define name=\"F\" expression=\"1 / 0\"/>"
      "<define name=\"S\" expression=\"0 - $(N)\"/>"
      "<a v=\"$(V)\" e=\"$(E)\" h=\"$(H)\" m=\"$(M)\" t=\"$(T:none)\" f=\"$(F:none)\" s=\"$(S)\"/></r>",
      "N=20", true);
  // With the expand flag the "value" attribute is expanded before the define reads it.
  EXPECT_EQ(result.tree, "r[a(v=20 raw,e=41,h=0xFF,m=0xFFFFFFFFFFFFFFFF,t=none,f=none,s=-20)]");
  EXPECT_TRUE(result.warnings.isEmpty());
  // Without it "value" is stored as written, while expressions are always expanded.
  EXPECT_EQ(preprocess("<r><define name=\"V\" value=\"$(N)\"/><if V=\"$(N)\"><literal/></if>"
                       "<define name=\"E\" expression=\"$(N) + 1\"/><if E=\"21\"><evaluated/></if></r>",
                       "N=20")
                .tree,
            "r[literal,evaluated]");
  result = preprocess("<r><define value=\"1\"/>\n<define name=\"\" value=\"1\"/><define name=\"A\"/><a/></r>");
  EXPECT_EQ(result.tree, "r[a]");
  EXPECT_EQ(result.warnings, QStringList({"missing name in <define>", "missing name in <define>",
                                          "missing value or expression in <define>"}));
}

TEST(PreprocessorSwitch, FirstMatchingCaseThenDefault) {
  const char* document =
      "<r><switch name=\"M\"><default><d/></default><case value=\"a,b\"><ab/></case>"
      "<case value=\"b\"><b/></case><default><second/></default></switch></r>";
  EXPECT_EQ(preprocess(document, "M=b").tree, "r[ab]");
  EXPECT_EQ(preprocess(document, "M=c").tree, "r[d]");
  EXPECT_EQ(preprocess(document, "M=B").tree, "r[d]");  // values compare case-sensitively
  // Without a match or default the switch disappears; an undefined name is not defined by it.
  const Result result = preprocess(
      "<r><switch name=\"U\"><case value=\"x\"><x/></case></switch><ifdef name=\"U\"><u/></ifdef>"
      "<switch name=\"U\"><case value=\",\"><empty/></case><default><define name=\"D\" value=\"1\"/>"
      "<ifdef name=\"D\"><inner/></ifdef></default></switch><ifdef name=\"D\"><leaked/></ifdef></r>");
  EXPECT_EQ(result.tree, "r[inner]");
}

TEST(PreprocessorExpandFlag, AttributeValuesAreExpandedOnlyWithIt) {
  const GlobalMacros global{{}, {{"G", "global"}}};
  const char* document = "<r a=\"$(L)\"><e x=\"$(L)-$(G)\" y=\"plain\" z=\"$(U:default)\"/></r>";
  EXPECT_EQ(preprocess(document, "L=local", true, false, "main.xml", global).tree,
            "r(a=local)[e(x=local-global,y=plain,z=default)]");
  EXPECT_EQ(preprocess(document, "L=local", false, false, "main.xml", global).tree,
            "r(a=$(L))[e(x=$(L)-$(G),y=plain,z=$(U:default))]");
  // Definitions given to load override the global macros; backslash escapes ";".
  EXPECT_EQ(preprocess("<r a=\"$(G)|$(P)\"/>", "G=mine;P=a\\;b=c", true, false, "main.xml", global).tree,
            "r(a=mine|a;b=c)");
}

// A directive as document element yields the new one; a file that does not load
// fails before any preprocessing.
TEST(PreprocessorDocumentElement, ADirectiveAsDocumentElementYieldsTheNewOne) {
  EXPECT_EQ(preprocess("<ifdef name=\"X\"><solution a=\"1\"><p/></solution></ifdef>", "X=1").tree, "solution(a=1)[p]");
  EXPECT_EQ(preprocess("<ifdef name=\"X\"><solution/></ifdef>").tree, "");
  const Result result = preprocess("<for index=\"i\" start=\"0\" end=\"2\" incr=\"1\"><s i=\"$(i)\"/></for>");
  EXPECT_EQ(result.tree, "s(i=0)");
  EXPECT_EQ(result.warnings, QStringList("only the first element the document element yields is kept"));
  RecordingPreprocessor missing;
  EXPECT_THROW(missing.preprocessor.load("missing.xml"), XMLParseError);
  EXPECT_EQ(preprocess("<r><define name=\"A\"/></b>").tree, "load failed: tagName mismatch");
  EXPECT_EQ(preprocess("").tree, "");
}

}  // namespace
