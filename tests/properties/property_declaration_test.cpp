#include <gtest/gtest.h>

#include "properties/property_declaration.h"

using namespace property_types;

namespace {

constexpr PropertyPlace place{"General", "Build Options"};
const QString expansionSentence = "This property will have macro expansion applied to it.";

}  // namespace

TEST(PropertyDeclaration, StoresBooleanDefaultsAsYesOrNo) {
  const auto yes = makePropertyClass(boolean("b", place, "B", true, AnyItem, "On."));
  const auto no = makePropertyClass(boolean("b", place, "B", false, AnyItem, "Off."));
  EXPECT_EQ(yes->type, Boolean);
  EXPECT_EQ(yes->defaultValue, "Yes");
  EXPECT_EQ(no->defaultValue, "No");
}

TEST(PropertyDeclaration, StoresIntegerDefaultsAsDecimalAndHexDefaultsPaddedToTheSecondBound) {
  const auto range = makePropertyClass(integer("r", IntegerRange, 0, 4096, place, "R", 1024, AnyItem, "R."));
  EXPECT_EQ(range->defaultValue, "1024");
  EXPECT_EQ(range->minimum, 0);
  EXPECT_EQ(range->maximum, 4096);
  EXPECT_EQ(makePropertyClass(integer("i", Integer, -10, 10, place, "I", -5, AnyItem, "I."))->defaultValue, "-5");

  EXPECT_EQ(makePropertyClass(integer("h", IntegerHex, 0, 8, place, "H", 0x1f, AnyItem, "H."))->defaultValue,
            "0x0000001F");
  // Padding never cuts digits, and a width beyond 64 bits is taken as 16 digits.
  EXPECT_EQ(makePropertyClass(integer("h", IntegerHex, 0, 2, place, "H", 0x1234, AnyItem, "H."))->defaultValue,
            "0x1234");
  EXPECT_EQ(makePropertyClass(integer("h", IntegerHex, 0, 1000, place, "H", 1, AnyItem, "H."))->defaultValue,
            "0x0000000000000001");
}

TEST(PropertyDeclaration, CopiesPresentationChoicesAndTheExpansionSentence) {
  const auto choice = makePropertyClass(
      enumeration("e", place, "E", "Two", "One;Two;Three", ProjectItem | FileItem, expanded("Pick one.")));
  EXPECT_EQ(choice->name, "e");
  EXPECT_EQ(choice->type, Enumeration);
  EXPECT_EQ(choice->group, "General");
  EXPECT_EQ(choice->category, "Build Options");
  EXPECT_EQ(choice->displayName, "E");
  EXPECT_EQ(choice->defaultValue, "Two");
  EXPECT_EQ(choice->choices, (QStringList{"One", "Two", "Three"}));
  EXPECT_EQ(choice->itemKinds, ProjectItem | FileItem);
  EXPECT_EQ(choice->description, "Pick one. " + expansionSentence);
  EXPECT_EQ(choice->flags, 0u);
  EXPECT_FALSE(choice->isMacro);

  const auto text = makePropertyClass(plain("p", DirPath, place, "P", "$(X)", AnyItem, "Plain."));
  EXPECT_EQ(text->description, "Plain.");
  EXPECT_EQ(text->defaultValue, "$(X)");
  EXPECT_TRUE(text->choices.isEmpty());

  const auto documented = makePropertyClass(macro("OutDir", "The output directory."));
  EXPECT_TRUE(documented->isMacro);
  EXPECT_EQ(documented->label(), "$(OutDir)");
  EXPECT_EQ(documented->description, "The output directory.");
}
