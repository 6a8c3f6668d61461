#include <gtest/gtest.h>

#include "fuzz/foreign_xml_check.h"
#include "helpers/test_support.h"

// Replays the foreign XML fuzz target's committed corpus, so every input it kept is a test case.
TEST(ForeignXmlFuzzCorpus, FastPathAgreesWithTheStreamReader) {
  const auto corpus = testing_support::fuzzCorpus("foreign_xml");
  EXPECT_GE(corpus.size(), 20);
  for (const auto& input : corpus) EXPECT_EQ(foreign_xml_check::check(input.view()), "") << qPrintable(input.name);
}

// The real forms among the seeds take the fast path (the agreement above would
// hold trivially if the fast path gave up on them), and the forms it does not
// understand are left to the stream reader.
TEST(ForeignXmlFuzzCorpus, RealFormsTakeTheFastPath) {
  const QStringList fast = QString(
                               "uvprojx_crlf.xml uvmpw.xml eww_crlf.xml project.xml cproject.xml ewp_crlf.xml "
                               "latin1_ewp.xml windows1252_uvproj.xml latin1_nbsp_text.xml entities.xml "
                               "attribute_whitespace.xml charref_blank.xml comments.xml bom.xml namespaces.xml "
                               "empty_and_nested.xml standalone.xml unicode_text.xml brackets.xml pi.xml "
                               "attribute_reference_before_utf8.xml indentation.xml")
                               .split(' ');
  const QStringList slow = QString(
                               "doctype.xml cdata.xml duplicate_attribute.xml mismatch.xml utf16.xml "
                               "text_after_root.xml nonascii_names.xml root_without_less_than.xml "
                               "end_tag_prefix.xml end_tag_longer.xml")
                               .split(' ');
  for (const auto& input : testing_support::fuzzCorpus("foreign_xml")) {
    if (!fast.contains(input.name) && !slow.contains(input.name)) continue;
    EXPECT_EQ(ForeignDocument::parseFast(input.bytes).has_value(), fast.contains(input.name)) << qPrintable(input.name);
  }
}
