// Folders are found by name in constant time: a target with tens of thousands of
// groups converts in a moment, not in minutes.

#include <gtest/gtest.h>

#include "e2e/uvision_fixtures.h"
#include "support/test_support.h"

using namespace uvision_fixtures;
using testing_support::readFile;
using testing_support::runProgram;
using testing_support::writeFile;

TEST(FolderLookup, FortyThousandGroupsConvertWithinABoundOfProcessorTime) {
  constexpr int groupCount = 40000;
  Target target;
  for (int i = 0; i < groupCount; ++i) {
    const QByteArray number = QByteArray::number(i);
    target.groups += group("Group " + number, {{"f" + number + ".c", ".\\src\\f" + number + ".c"}});
  }
  // A second group of an existing name adds to the first folder of that name.
  target.groups += group("Group 7", {{"again.c", ".\\src\\again.c"}});
  writeFile("many.uvprojx", project({target}));
  writeFile("many.uvmpw", workspace({"many.uvprojx"}));
  // Well under a second of processor time here; a scan of the siblings per group takes minutes.
  const auto result = runProgram("/bin/sh", {"-c", "ulimit -t 30; exec \"$0\" \"$@\"", QUENPORT_BINARY,
                                             "uvision2hzp", "many.uvmpw"});
  ASSERT_EQ(result.exitCode, 0) << result.standardError.toStdString();
  const QByteArray solution = readFile("many.hzp");
  EXPECT_EQ(solution.count("<folder Name=\"Group "), groupCount);
  EXPECT_TRUE(solution.contains("      <folder Name=\"Group 7\">\n"
                                "        <file file_name=\"./src/f7.c\" />\n"
                                "        <file file_name=\"./src/again.c\" />\n"
                                "      </folder>\n"));
}
