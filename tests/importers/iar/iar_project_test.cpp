// Reading an IAR project file into its content: options by the settings block
// they belong to (groups and files are covered end to end).

#include <gtest/gtest.h>

#include "importers/iar/iar_project.h"
#include "support/test_support.h"

namespace {

IarProjectContent read(const QByteArray& text) {
  DomDocument document;
  QString message;
  int line = 0;
  int column = 0;
  EXPECT_TRUE(document.setContent(text, message, line, column)) << message.toStdString();
  return readIarProject(document);
}

QByteArray option(const char* name, const QByteArray& states) {
  return QByteArray("<option><name>") + name + "</name><version>2</version>" + states + "</option>";
}

QByteArray settings(const char* name, const QByteArray& options) {
  return QByteArray("<settings><name>") + name + "</name><archiveVersion>1</archiveVersion><data><version>3</version>" +
         options + "</data></settings>";
}

}  // namespace

TEST(IarProjectReader, OptionsComeFromTheirOwnSettingsBlocks) {
  const QByteArray configuration =
      "<configuration><name>Debug</name><toolchain><name>ARM</name></toolchain>" +
      settings("General", option("ExePath", "<state>Debug\\Exe</state>") + option("GOutputBinary", "<state>1</state>") +
                              option("OGChipSelectEditMenu", "<state>STM32L552ZE\tST STM32L552ZE</state>")) +
      settings("AARM", option("CCDefines", "<state>ASSEMBLER</state>")) +
      settings("ICCARM", option("CCDefines", "<state>A</state><state></state><state> B </state>") +
                             option("CCIncludePath2", "<state>$PROJ_DIR$\\inc</state>")) +
      settings("ICCARM", option("CCDefines", "<state>SECOND_COMPILER</state>")) +
      settings("ILINK", option("IlinkAdditionalLibs", "<state>x.a</state>")) +
      settings("IARCHIVE", option("IarchiveOverride", "<state>1</state>") + option("IarchiveOutput", "<state>y.a</state>")) +
      "</configuration>";
  const IarProjectContent content = read("<project><fileVersion>3</fileVersion>" + configuration + "</project>");
  ASSERT_EQ(content.configurations.size(), 1u);
  const IarConfiguration& debug = content.debug();
  EXPECT_EQ(&debug, &content.release());
  EXPECT_EQ(debug.name, "Debug");
  EXPECT_EQ(debug.executablePath, "Debug\\Exe");
  EXPECT_TRUE(debug.buildsLibrary());
  EXPECT_EQ(debug.device(), "STM32L552ZE");
  EXPECT_EQ(debug.defines, QStringList({"A", "B"}));
  EXPECT_EQ(debug.includePaths, QStringList({"$PROJ_DIR$\\inc"}));
  EXPECT_EQ(debug.additionalLibraries, QStringList({"x.a"}));
  EXPECT_EQ(debug.archiveOverride, "1");
  EXPECT_EQ(debug.archiveOutput, "y.a");
  EXPECT_EQ(IarConfiguration().device(), "");
}
