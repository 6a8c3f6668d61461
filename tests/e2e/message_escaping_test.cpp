// A message that quotes a foreign file stays one line, whatever the file holds.

#include <gtest/gtest.h>

#include "support/test_support.h"

using testing_support::runQuenport;
using testing_support::writeFile;

TEST(MessageEscaping, ALineFeedInAProjectPathCannotForgeASecondError) {
  writeFile("ws.uvmpw",
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\n"
            "<ProjectWorkspace xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
            "xsi:noNamespaceSchemaLocation=\"project_mpw.xsd\">\n  <SchemaVersion>1.0</SchemaVersion>\n"
            "  <Header>### uVision Project, (C) Keil Software</Header>\n"
            "  <project>\n    <PathAndName>x&#10;error: injected</PathAndName>\n  </project>\n"
            "</ProjectWorkspace>\n");
  const auto result = runQuenport({"uvision2hzp", "ws.uvmpw"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, "error: ws.uvmpw: Cannot open x\\nerror: injected for reading\n");
}
