#include <gtest/gtest.h>

#include "fuzz/expression_check.h"
#include "support/test_support.h"

// Replays the expression fuzz target's committed corpus, so every input it kept is a test case.
TEST(ExpressionFuzzCorpus, EveryInputEvaluatesConsistently) {
  const auto corpus = testing_support::fuzzCorpus("expression_evaluate");
  EXPECT_GE(corpus.size(), 16);
  for (const auto& input : corpus)
    EXPECT_EQ(expression_check::check(std::string_view(input.bytes.constData(), input.bytes.size())), "")
        << qPrintable(input.name);
}
