// How the options fill the options record: lists collect in order, single values
// keep the last, and an option's argument is the next argument whatever it is. The
// installed templates files that "-addtemplatesfile" extends, and "-verbose",
// are shown end to end.

#include <gtest/gtest.h>

#include "readers/common/import_settings.h"
#include "readers/reader_table.h"
#include "helpers/test_support.h"
#include "tool/command_line.h"

TEST(ReadOptions, FillTheSettingsAndTheInputList) {
  const QStringList arguments{"a", "-templatesfile", "a.xml", "-D", "X=1", "-addtemplatesfile", "b.xml", "-I", "-D",
                              "b", "-D", "X=1", "-library-template", "L1", "-library-template", "L2"};
  const CommandLineOptions options = readOptions(*findImporterCommand("eclipse2hzp"), arguments);
  EXPECT_EQ(options.inputs, QStringList({"a", "b"}));
  EXPECT_EQ(options.settings.templatesFiles, "a.xml;b.xml");
  EXPECT_EQ(options.settings.definitions, QStringList({"X=1", "X=1"}));
  EXPECT_EQ(options.settings.includePaths, QStringList({"-D"}));
  EXPECT_EQ(options.settings.libraryTemplate, "L2");
  EXPECT_FALSE(options.rootUserDirectory);
  EXPECT_EQ(readOptions(*findImporterCommand("iar2hzp"), {"-rootuserdir", "r"}).rootUserDirectory, "r");
}
