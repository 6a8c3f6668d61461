// How the uVision importer reads the texts of a target.

#include <gtest/gtest.h>

#include "importers/common/foreign_path.h"
#include "importers/uvision/uvision_model.h"
#include "support/test_support.h"

TEST(UVisionDefinitions, ItemsAreSeparatedByCommasAndBlanks) {
  EXPECT_EQ(definitionItems("STM32L552xx,USE_HAL_DRIVER"), QStringList({"STM32L552xx", "USE_HAL_DRIVER"}));
  EXPECT_EQ(definitionItems("STM32F10X_HD, USE_STDPERIPH_DRIVER"), QStringList({"STM32F10X_HD", "USE_STDPERIPH_DRIVER"}));
  EXPECT_EQ(definitionItems("keil __MSP432P401R__"), QStringList({"keil", "__MSP432P401R__"}));
  EXPECT_EQ(definitionItems(" A,,B\t C=1 ,"), QStringList({"A", "B", "C=1"}));
  EXPECT_EQ(definitionItems("V=\"1, 2\",W"), QStringList({"V=\"1, 2\"", "W"}));
  EXPECT_TRUE(definitionItems("").isEmpty());
}

TEST(UVisionIncludePaths, EntriesBecomeProjectRelativeAndEmptyOnesGo) {
  testing_support::writeFile("p/Core/Inc/x.h", "");
  ForeignPathResolver paths;
  EXPECT_EQ(projectRelativePathList(paths, "..\\inc;.;;src\\", "p"), "$(ProjectDir)/../inc;$(ProjectDir);$(ProjectDir)/src");
  EXPECT_EQ(projectRelativePathList(paths, "", "p"), "");
  EXPECT_EQ(projectRelativePathList(paths, ".\\core\\inc", "p"), "$(ProjectDir)/./Core/Inc");
}
