#include <gtest/gtest.h>

#include "fuzz/preprocessor_check.h"
#include "support/test_support.h"

// Replays the preprocessor fuzz target's committed corpus, so every input it kept is a test case.
TEST(PreprocessorFuzzCorpus, EveryInputPreprocessesWithinItsBounds) {
  const auto corpus = testing_support::fuzzCorpus("xml_preprocess");
  EXPECT_GE(corpus.size(), 14);
  for (const auto& input : corpus)
    EXPECT_EQ(preprocessor_check::check(std::string_view(input.bytes.constData(), input.bytes.size())), "")
        << qPrintable(input.name);
}
