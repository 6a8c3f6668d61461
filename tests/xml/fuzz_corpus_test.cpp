// Replays the committed corpora of the XML layer's fuzz targets, so every input
// the fuzzer kept is a test case.

#include <gtest/gtest.h>

#include "fuzz/expression_check.h"
#include "fuzz/macro_expansion_check.h"
#include "fuzz/preprocessor_check.h"
#include "fuzz/xml_round_trip.h"
#include "helpers/test_support.h"

TEST(FuzzCorpus, EveryInputKeepsItsTargetsProperty) {
  const struct {
    const char* target;
    std::string (*check)(std::string_view);
    qsizetype atLeast;
  } targets[] = {
      {"expression_evaluate", expression_check::check, 16},
      {"macro_expand", macro_expansion_check::check, 5},
      {"xml_preprocess", preprocessor_check::check, 14},
      {"xml_parse", xml_round_trip::check, 12},
  };
  for (const auto& target : targets) {
    const auto corpus = testing_support::fuzzCorpus(target.target);
    EXPECT_GE(corpus.size(), target.atLeast) << target.target;
    for (const auto& input : corpus)
      EXPECT_EQ(target.check(input.view()), "") << target.target << "/" << qPrintable(input.name);
  }
}
