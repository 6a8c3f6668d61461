#include <gtest/gtest.h>

#include "fuzz/setting_texts_check.h"
#include "helpers/test_support.h"

// Replays the setting-text fuzz target's committed corpus, so every input it kept is a test case.
TEST(SettingTextsFuzzCorpus, EveryInputReadsConsistently) {
  const auto corpus = testing_support::fuzzCorpus("setting_texts");
  EXPECT_GE(corpus.size(), 6);
  for (const auto& input : corpus) EXPECT_EQ(setting_texts_check::check(input.view()), "") << qPrintable(input.name);
}
