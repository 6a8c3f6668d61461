#include <gtest/gtest.h>

#include "fuzz/xml_round_trip.h"
#include "support/test_support.h"

// Replays the fuzz target's committed corpus, so every input it kept is a test case.
TEST(XMLFuzzCorpus, EveryInputKeepsTheWriteAndParseProperty) {
  const auto corpus = testing_support::fuzzCorpus("xml_parse");
  EXPECT_GE(corpus.size(), 12);
  for (const auto& input : corpus)
    EXPECT_EQ(xml_round_trip::check(std::string_view(input.bytes.constData(), input.bytes.size())), "")
        << qPrintable(input.name);
}
