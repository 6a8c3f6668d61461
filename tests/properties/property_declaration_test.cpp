#include <gtest/gtest.h>

#include "properties/property_declaration.h"

using namespace property_types;

namespace {

constexpr PropertyPlace place{"General", "Build Options"};

QString defaultOf(const PropertyRow& row) { return makePropertyClass(row)->defaultValue; }

}  // namespace

// Defaults are stored as the text that resolution hands out when nothing is set.
TEST(PropertyDeclaration, StoresDefaultsInTheFormOfTheirType) {
  EXPECT_EQ(defaultOf(boolean("b", place, "B", true, AnyItem, "On.")), "Yes");
  EXPECT_EQ(defaultOf(boolean("b", place, "B", false, AnyItem, "Off.")), "No");
  EXPECT_EQ(defaultOf(integer("i", Integer, -10, 10, place, "I", -5, AnyItem, "I.")), "-5");
  // Hexadecimal defaults are padded to the digits the row gives, never cut, at most 16.
  EXPECT_EQ(defaultOf(integer("h", IntegerHex, 0, 8, place, "H", 0x1f, AnyItem, "H.")), "0x0000001F");
  EXPECT_EQ(defaultOf(integer("h", IntegerHex, 0, 2, place, "H", 0x1234, AnyItem, "H.")), "0x1234");
  EXPECT_EQ(defaultOf(integer("h", IntegerHex, 0, 1000, place, "H", 1, AnyItem, "H.")), "0x0000000000000001");

  const auto choice = makePropertyClass(
      enumeration("e", place, "E", "Two", "One;Two;Three", ProjectItem | FileItem, expanded("Pick one.")));
  EXPECT_EQ(choice->type, Enumeration);
  EXPECT_EQ(choice->defaultValue, "Two");
  EXPECT_EQ(choice->choices, (QStringList{"One", "Two", "Three"}));
  EXPECT_EQ(choice->itemKinds, ProjectItem | FileItem);
  EXPECT_EQ(choice->description, "Pick one. This property will have macro expansion applied to it.");
  EXPECT_TRUE(makePropertyClass(macro("OutDir", "The output directory."))->isMacro);
}
