#include <gtest/gtest.h>

#include "fuzz/solution_load_check.h"
#include "projectsystem/project_system_layers.h"
#include "support/test_support.h"

// Replays the solution reader fuzz target's committed corpus, so every input it kept is a test case.
TEST(SolutionFuzzCorpus, EveryInputLoadsOrFailsAndWritesBackStably) {
  ARMProjectSystem system{QString(), QStringList()};
  system.runLoadCommands = false;
  const auto corpus = testing_support::fuzzCorpus("solution_load");
  EXPECT_GE(corpus.size(), 10);
  for (const auto& input : corpus)
    EXPECT_EQ(solution_load_check::check(system, testing_support::testDirectory() + "/fuzz.hzp",
                                         std::string_view(input.bytes.constData(), input.bytes.size())),
              "")
        << qPrintable(input.name);
}
