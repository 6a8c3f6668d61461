#include <gtest/gtest.h>

#include "fuzz/build_variables_check.h"
#include "fuzz/resource_filters_check.h"
#include "helpers/test_support.h"

// Replays the committed corpora of the Eclipse fuzz targets, so every input they kept is a test case.
TEST(EclipseFuzzCorpus, EveryInputKeepsItsTargetsProperty) {
  const struct {
    const char* target;
    std::string (*check)(std::string_view);
  } targets[] = {{"resource_filters", resource_filters_check::check},
                 {"build_variables", build_variables_check::check}};
  for (const auto& target : targets) {
    const auto corpus = testing_support::fuzzCorpus(target.target);
    EXPECT_GE(corpus.size(), 4) << target.target;
    for (const auto& input : corpus)
      EXPECT_EQ(target.check(input.view()), "") << target.target << "/" << qPrintable(input.name);
  }
}
