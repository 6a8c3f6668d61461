#include <gtest/gtest.h>

#include "fuzz/iar_connection_check.h"
#include "fuzz/iar_project_check.h"
#include "helpers/test_support.h"

// Replays the IAR project fuzz target's committed corpus, so every input it kept is a test case.
TEST(IarProjectFuzzCorpus, EveryInputReadsConsistently) {
  const auto corpus = testing_support::fuzzCorpus("iar_project");
  EXPECT_GE(corpus.size(), 5);
  for (const auto& input : corpus) EXPECT_EQ(iar_project_check::check(input.view()), "") << qPrintable(input.name);
}

// Replays the IAR project connection fuzz target's committed corpus.
TEST(IarConnectionFuzzCorpus, EveryInputReadsConsistently) {
  const auto corpus = testing_support::fuzzCorpus("iar_connection");
  EXPECT_GE(corpus.size(), 5);
  for (const auto& input : corpus) EXPECT_EQ(iar_connection_check::check(input.view()), "") << qPrintable(input.name);
}
