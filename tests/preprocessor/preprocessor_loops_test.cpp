// The counted loop "for" and the list loop "foreach".

#include <gtest/gtest.h>

#include "preprocessor_test_support.h"

using namespace preprocessor_testing;

namespace {

TEST(PreprocessorFor, LoopMacrosForEachIndex) {
  EXPECT_EQ(preprocess("<r><for index=\"n\" start=\"0\" end=\"3\" incr=\"1\">"
                       "<e v=\"$(n)\" a=\"$(n_alpha)\" h=\"$(n_hex)\"/></for></r>")
                .tree,
            "r[e(v=0,a=A,h=0x0),e(v=1,a=B,h=0x1),e(v=2,a=C,h=0x2)]");
  // mul * i + add, "sub" as a negative "add"; bounds are expanded expressions.
  EXPECT_EQ(preprocess("<r><for index=\"i\" start=\"$(S)\" end=\"$(S) + 5\" incr=\"2\" mul=\"4\" add=\"0x100\">"
                       "<e ap=\"$(i_ap)\" aphex=\"$(i_ap_hex)\"/></for>"
                       "<for index=\"j\" start=\"-2\" end=\"0\" incr=\"1\" sub=\"1\"><f j=\"$(j)\" h=\"$(j_hex)\" "
                       "ap=\"$(j_ap)\" alpha=\"$(j_alpha)\"/></for></r>",
                       "S=10")
                .tree,
            "r[e(ap=296,aphex=0x128),e(ap=304,aphex=0x130),e(ap=312,aphex=0x138),"
            "f(j=-2,h=0xFFFFFFFFFFFFFFFE,ap=-3,alpha=?),f(j=-1,h=0xFFFFFFFFFFFFFFFF,ap=-2,alpha=@)]");
}

TEST(PreprocessorFor, CopiesExpandNamesValuesAndTextThenWalkAtTheLoopLevel) {
  // Only the loop's macros are expanded in the copies; directives in them then run
  // at the loop's level, so a definition made there is seen after the loop.
  const Result result = preprocess(
      "<r><for index=\"i\" start=\"1\" end=\"3\" incr=\"1\"><item n=\"$(i)\" o=\"$(O)\">text $(i)<sub/></item>"
      "<define name=\"Last\" value=\"$(i)\"/><ifex expression=\"$(i) == 2\"><two/></ifex></for>"
      "<after last=\"$(Last)\"/></r>",
      "O=other", false, true);
  EXPECT_EQ(result.tree, "r[item(n=1,o=$(O))['text 1',sub],item(n=2,o=$(O))['text 2',sub],two,after(last=$(Last))]");
  EXPECT_EQ(preprocess("<r><for index=\"i\" start=\"1\" end=\"3\" incr=\"1\"><define name=\"Last\" value=\"$(i)\"/>"
                       "</for><after last=\"$(Last)\"/></r>",
                       "", true)
                .tree,
            "r[after(last=2)]");
}

TEST(PreprocessorFor, IncompleteLoopsWarnAndYieldNothing) {
  const QString usage = "<for index=\"i\" start=\"0\" end=\"32\" incr=\"1\">";
  const Result result = preprocess(
      "<r><for index=\"i\" start=\"0\" end=\"2\"><a/></for>\n<for index=\"i\" start=\"0\" end=\"2\" incr=\"1\"/>\n"
      "<for index=\"i\" start=\"x\" end=\"2\" incr=\"1\"><b/></for>\n"
      "<for index=\"i\" start=\"0\" end=\"1 == 1\" incr=\"1\"><c/></for><d/></r>");
  EXPECT_EQ(result.tree, "r[d]");
  EXPECT_EQ(result.warnings, QStringList(4, usage));
  // An empty range is no error.
  EXPECT_EQ(preprocess("<r><for index=\"i\" start=\"3\" end=\"3\" incr=\"0\"><a/></for><d/></r>").tree, "r[d]");
}

TEST(PreprocessorForeach, CartesianProductInAttributeOrder) {
  EXPECT_EQ(preprocess("<r><foreach a=\"1,2\" b=\"x,y\"><e a=\"$(a)\" b=\"$(b)\"/></foreach></r>").tree,
            "r[e(a=1,b=x),e(a=1,b=y),e(a=2,b=x),e(a=2,b=y)]");
  // Line feeds are removed (written as references here) and empty items skipped.
  EXPECT_EQ(preprocess("<r><foreach c=\"&#10;a,&#10;,b&#10;\"><e c=\"$(c)\"/><f/></foreach></r>").tree,
            "r[e(c=a),f,e(c=b),f]");
  // An attribute with no items leaves no combination at all.
  EXPECT_EQ(preprocess("<r><foreach a=\"1,2\" b=\",\"><e/></foreach><d/></r>").tree, "r[d]");
  EXPECT_EQ(preprocess("<r><foreach><once/></foreach></r>").tree, "r[once]");
}

TEST(PreprocessorLoopBounds, NeverEndingAndHugeLoopsWarnAndYieldNothing) {
  const Result result = preprocess(
      "<r><for index=\"z\" start=\"0\" end=\"1\" incr=\"0\"><a/></for>"
      "<for index=\"n\" start=\"0\" end=\"10\" incr=\"-1\"><a/></for>"
      "<for index=\"h\" start=\"-0x7fffffffffffffff - 1\" end=\"0x7fffffffffffffff\" incr=\"1\"><a/></for>"
      "<for index=\"k\" start=\"0\" end=\"65537\" incr=\"1\"><a/></for>"
      "<foreach a=\"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16\" b=\"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16\" "
      "c=\"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16\" d=\"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16\" "
      "e=\"1,2\"><a/></foreach>"
      "<ok/></r>");
  EXPECT_EQ(result.tree, "r[ok]");
  EXPECT_EQ(result.warnings, QStringList({"<for index=\"z\"> never ends: its increment is not positive",
                                          "<for index=\"n\"> never ends: its increment is not positive",
                                          "<for index=\"h\"> would run more than 65536 times",
                                          "<for index=\"k\"> would run more than 65536 times",
                                          "<foreach> would run more than 65536 times"}));
  // The limit itself is allowed.
  RecordingPreprocessor limit;
  testing_support::writeFile("limit.xml",
                             "<r><for index=\"i\" start=\"0\" end=\"65536 * 3\" incr=\"3\"><a/></for></r>");
  limit.preprocessor.load("limit.xml");
  int count = 0;
  for (const XMLNode* child = limit.document.root->firstChild(); child; child = child->nextSibling()) ++count;
  EXPECT_EQ(count, 65536);
}

}  // namespace
