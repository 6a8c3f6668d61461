// How the options fill the options record: lists collect in order, single values
// keep the last, and an option's argument is the next argument whatever it is. The
// installed templates files that "-addtemplatesfile" extends, and "-verbose",
// are shown end to end.

#include "tool/command_line.h"

#include <gtest/gtest.h>

#include "helpers/test_support.h"
#include "tool/reader_table.h"

TEST(ReadRunConfiguration, FillsTheOptionsAndTheInputList) {
  const QStringList arguments =
      QString(
          "a -templatesfile a.xml -D X=1 -addtemplatesfile b.xml -I -D b -D X=1 -library-template L1 "
          "-library-template L2")
          .split(' ');
  const RunConfiguration options = readRunConfiguration(*findReaderCommand("eclipse2hzp"), arguments);
  EXPECT_EQ(options.inputs, QStringList({"a", "b"}));
  EXPECT_EQ(options.templatesFiles, "a.xml;b.xml");
  EXPECT_EQ(options.mapping.definitions, QStringList({"X=1", "X=1"}));
  EXPECT_EQ(options.mapping.includePaths, QStringList({"-D"}));
  EXPECT_EQ(options.mapping.libraryTemplate, "L2");
  EXPECT_FALSE(options.rootUserDirectory);
  EXPECT_EQ(readRunConfiguration(*findReaderCommand("iar2hzp"), {"-rootuserdir", "r"}).rootUserDirectory, "r");
}
