// Replays the committed corpus of the solution reader fuzz target, so every input
// the fuzzer kept is a test case.

#include <gtest/gtest.h>

#include "fuzz/solution_load_check.h"
#include "model/solution_model.h"
#include "helpers/test_support.h"

TEST(FuzzCorpus, EveryInputLoadsWithinItsBounds) {
  ProjectSystem system{GlobalMacros()};
  const auto solutions = testing_support::fuzzCorpus("solution_load");
  EXPECT_GE(solutions.size(), 10);
  for (const auto& input : solutions) {
    const std::string_view bytes(input.bytes.constData(), input.bytes.size());
    EXPECT_EQ(solution_load_check::check(system, testing_support::testDirectory() + "/fuzz.hzp", bytes), "")
        << qPrintable(input.name);
  }
}
