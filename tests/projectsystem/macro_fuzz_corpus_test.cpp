#include <gtest/gtest.h>

#include "fuzz/macro_expansion_check.h"
#include "support/test_support.h"

// Replays the macro fuzz target's committed corpus, so every input it kept is a test case.
TEST(MacroFuzzCorpus, EveryInputExpandsWithinItsBound) {
  const auto corpus = testing_support::fuzzCorpus("macro_expand");
  EXPECT_GE(corpus.size(), 5);
  for (const auto& input : corpus)
    EXPECT_EQ(macro_expansion_check::check(std::string_view(input.bytes.constData(), input.bytes.size())), "")
        << qPrintable(input.name);
}
