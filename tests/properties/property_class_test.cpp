#include <gtest/gtest.h>

#include "properties/property_class.h"

using namespace property_types;

TEST(PropertyTypeName, NamesTheSixteenCodesAndCallsEverythingElseUnknown) {
  const char* names[] = {"Boolean",      "Integer",    "IntegerHex", "IntegerRange", "String",      "FileName",
                         "ProjFileName", "StringList", "DirPath",    "DirPathList",  "Enumeration", "Color",
                         "Font",         "FixedPitchFont", "Custom", "JavaScript"};
  for (int32_t code = 0; code < 16; ++code) EXPECT_EQ(propertyTypeName(code), names[code]) << code;
  EXPECT_EQ(propertyTypeName(Command), "Unknown");
  EXPECT_EQ(propertyTypeName(99), "Unknown");
  EXPECT_EQ(propertyTypeName(-1), "Unknown");
}

TEST(PropertyClassLabel, IsTheDisplayNameOrTheMacroReference) {
  PropertyClass property;
  property.name = "build_output_directory";
  property.displayName = "Output Directory";
  property.type = StringList;
  EXPECT_EQ(property.label(), "Output Directory");
  EXPECT_EQ(property.typeName(), "StringList");

  const MacroPropertyClass macro("OutDir", "The output directory.");
  EXPECT_TRUE(macro.isMacro);
  EXPECT_EQ(macro.name, "OutDir");
  EXPECT_EQ(macro.description, "The output directory.");
  EXPECT_EQ(macro.label(), "$(OutDir)");
  EXPECT_EQ(macro.flags, 0u);
}
