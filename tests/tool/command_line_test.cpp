// How the options fill ImportSettings: lists collect in order, single values keep
// the last, and an option's argument is the next argument whatever it is. The
// installed templates files that "-addtemplatesfile" extends, and "-verbose",
// are shown end to end.

#include <gtest/gtest.h>

#include "importers/common/import_settings.h"
#include "importers/importer_table.h"
#include "support/test_support.h"
#include "tool/command_line.h"

TEST(ReadOptions, FillTheSettingsAndTheInputList) {
  ImportSettings settings;
  const QStringList arguments{"a", "-templatesfile", "a.xml", "-D", "X=1", "-addtemplatesfile", "b.xml", "-I", "-D",
                              "b", "-D", "X=1", "-library-template", "L1", "-library-template", "L2"};
  const QStringList inputs = readOptions(*findImporterCommand("eclipse2hzp"), arguments, settings);
  EXPECT_EQ(inputs, QStringList({"a", "b"}));
  EXPECT_EQ(settings.templatesFiles, "a.xml;b.xml");
  EXPECT_EQ(settings.definitions, QStringList({"X=1", "X=1"}));
  EXPECT_EQ(settings.includePaths, QStringList({"-D"}));
  EXPECT_EQ(settings.libraryTemplate, "L2");
}
