// Replays the committed corpora of the macro expansion and solution reader fuzz
// targets, so every input the fuzzer kept is a test case.

#include <gtest/gtest.h>

#include "fuzz/macro_expansion_check.h"
#include "fuzz/solution_load_check.h"
#include "projectsystem/project_system.h"
#include "support/test_support.h"

TEST(FuzzCorpus, EveryInputExpandsOrLoadsWithinItsBounds) {
  const auto bytes = [](const testing_support::CorpusInput& input) {
    return std::string_view(input.bytes.constData(), input.bytes.size());
  };
  const auto macros = testing_support::fuzzCorpus("macro_expand");
  EXPECT_GE(macros.size(), 5);
  for (const auto& input : macros) EXPECT_EQ(macro_expansion_check::check(bytes(input)), "") << qPrintable(input.name);

  ProjectSystem system{GlobalMacros(), QString()};
  system.runLoadCommands = false;
  const auto solutions = testing_support::fuzzCorpus("solution_load");
  EXPECT_GE(solutions.size(), 10);
  for (const auto& input : solutions)
    EXPECT_EQ(solution_load_check::check(system, testing_support::testDirectory() + "/fuzz.hzp", bytes(input)), "")
        << qPrintable(input.name);
}
