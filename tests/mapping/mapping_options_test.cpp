#include "mapping/mapping_options.h"

#include <gtest/gtest.h>

TEST(FileFilter, MatchesWholeNamesCaseSensitively) {
  MappingOptions settings;
  settings.fileFilters = {WildcardPattern("*.s"), WildcardPattern("src*main.?")};
  EXPECT_TRUE(settings.excludesFile("startup.s"));
  EXPECT_FALSE(settings.excludesFile("startup.S"));
  EXPECT_FALSE(settings.excludesFile("startup.s.bak"));
  EXPECT_TRUE(settings.excludesFile("src/app/main.c"));  // "*" also matches "/"
}
