// Replays the committed corpus of the solution reader fuzz target, so every input
// the fuzzer kept is a test case.

#include <gtest/gtest.h>

#include "fuzz/solution_load_check.h"
#include "helpers/model_fixture.h"

TEST(FuzzCorpus, EveryInputLoadsWithinItsBounds) {
  SolutionModel model(model_testing::testSchema(), model_testing::noGlobalMacros);
  const auto solutions = testing_support::fuzzCorpus("solution_load");
  EXPECT_GE(solutions.size(), 10);
  for (const auto& input : solutions) {
    const std::string_view bytes = input.view();
    EXPECT_EQ(solution_load_check::check(model, testing_support::testDirectory() + "/fuzz.hzp", bytes), "")
        << qPrintable(input.name);
  }
}
