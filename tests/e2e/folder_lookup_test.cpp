// Folders are found by name in constant time: a target with tens of thousands of
// groups converts in a moment, not in minutes.

#include <gtest/gtest.h>

#include "support/test_support.h"

using testing_support::readFile;
using testing_support::runProgram;
using testing_support::writeFile;

TEST(FolderLookup, FortyThousandGroupsConvertWithinABoundOfProcessorTime) {
  constexpr int groupCount = 40000;
  QByteArray groups;
  for (int i = 0; i < groupCount; ++i) {
    const QByteArray number = QByteArray::number(i);
    groups += "        <Group>\n          <GroupName>Group " + number + "</GroupName>\n          <Files>\n"
              "            <File>\n              <FileName>f" + number + ".c</FileName>\n"
              "              <FileType>1</FileType>\n              <FilePath>.\\src\\f" + number + ".c</FilePath>\n"
              "            </File>\n          </Files>\n        </Group>\n";
  }
  // A second group of an existing name adds to the first folder of that name.
  groups += "        <Group>\n          <GroupName>Group 7</GroupName>\n          <Files>\n"
            "            <File>\n              <FileName>again.c</FileName>\n              <FileType>1</FileType>\n"
            "              <FilePath>.\\src\\again.c</FilePath>\n            </File>\n          </Files>\n"
            "        </Group>\n";
  writeFile("many.uvprojx",
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\r\n"
            "<Project xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
            "xsi:noNamespaceSchemaLocation=\"project_projx.xsd\">\r\n  <SchemaVersion>2.1</SchemaVersion>\r\n"
            "  <Targets>\n    <Target>\n      <TargetName>Target 1</TargetName>\n      <TargetOption>\n"
            "        <TargetCommonOption>\n          <CreateExecutable>1</CreateExecutable>\n"
            "        </TargetCommonOption>\n      </TargetOption>\n      <Groups>\n" +
                groups + "      </Groups>\n    </Target>\n  </Targets>\n</Project>\n");
  writeFile("many.uvmpw",
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\n"
            "<ProjectWorkspace xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
            "xsi:noNamespaceSchemaLocation=\"project_mpw.xsd\">\n  <SchemaVersion>1.0</SchemaVersion>\n"
            "  <project>\n    <PathAndName>many.uvprojx</PathAndName>\n  </project>\n</ProjectWorkspace>\n");
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
