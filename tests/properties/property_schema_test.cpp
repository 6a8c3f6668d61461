#include <gtest/gtest.h>

#include "properties/property_schema.h"

using namespace property_types;

namespace {

std::unique_ptr<PropertyClass> declaration(const QString& name, uint32_t itemKinds) {
  auto property = std::make_unique<PropertyClass>();
  property->name = name;
  property->itemKinds = itemKinds;
  return property;
}

}  // namespace

// Resolution picks a declaration by the kind of item it resolves for; macro
// documentation entries share names with properties but are never found as one.
TEST(PropertySchema, FindsTheFirstDeclarationOfANameForAKindOfItem) {
  PropertySchema schema;
  const PropertyClass* first = schema.registerClass(declaration("x", FileItem));
  const PropertyClass* second = schema.registerClass(declaration("x", FolderItem | FileItem));
  const PropertyClass* third = schema.registerClass(declaration("x", ProjectItem));
  const PropertyClass* macro = schema.registerClass(std::make_unique<MacroPropertyClass>("x", "first"));
  schema.registerClass(std::make_unique<MacroPropertyClass>("x", "second"));
  EXPECT_EQ(schema.registerClass(nullptr), nullptr);

  EXPECT_EQ(schema.find("x"), first);
  EXPECT_EQ(schema.find("x", FileItem), first);
  EXPECT_EQ(schema.find("x", FolderItem), second);
  EXPECT_EQ(schema.find("x", ProjectItem), third);
  EXPECT_EQ(schema.find("x", SolutionItem), nullptr);
  EXPECT_EQ(schema.findAll("x"), (QList<const PropertyClass*>{first, second, third}));
  EXPECT_EQ(schema.findMacro("x"), macro);
  EXPECT_EQ(schema.find("X"), nullptr);  // names are case-sensitive
  EXPECT_EQ(schema.findMacro("y"), nullptr);
}
