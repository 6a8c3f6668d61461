#include <gtest/gtest.h>

#include "properties/property_schema.h"

using namespace property_types;

namespace {

std::unique_ptr<PropertyClass> declaration(const QString& name, const QString& displayName, uint32_t itemKinds) {
  auto property = std::make_unique<PropertyClass>();
  property->name = name;
  property->displayName = displayName;
  property->itemKinds = itemKinds;
  return property;
}

}  // namespace

TEST(PropertySchema, KeepsRegistrationOrderAndFindsTheFirstDeclarationOfAName) {
  PropertySchema schema;
  const PropertyClass* first = schema.registerClass(declaration("x", "first", FileItem));
  schema.registerClass(declaration("other", "other", AnyItem));
  const PropertyClass* second = schema.registerClass(declaration("x", "second", FolderItem | FileItem));
  const PropertyClass* third = schema.registerClass(declaration("x", "third", ProjectItem));

  ASSERT_EQ(schema.classes().size(), 4u);
  EXPECT_EQ(schema.classes()[0].get(), first);
  EXPECT_EQ(schema.classes()[3].get(), third);
  EXPECT_EQ(schema.find("x"), first);
  EXPECT_EQ(schema.find("x", FileItem), first);
  EXPECT_EQ(schema.find("x", FolderItem), second);
  EXPECT_EQ(schema.find("x", ProjectItem), third);
  EXPECT_EQ(schema.find("x", SolutionItem), nullptr);
  EXPECT_EQ(schema.findAll("x"), (QList<const PropertyClass*>{first, second, third}));
  EXPECT_EQ(schema.find("X"), nullptr);  // names are case-sensitive
  EXPECT_TRUE(schema.findAll("missing").isEmpty());
}

TEST(PropertySchema, KeepsMacroEntriesApartFromProperties) {
  PropertySchema schema;
  const PropertyClass* property = schema.registerClass(declaration("OutDir", "Output", AnyItem));
  const PropertyClass* macro = schema.registerClass(std::make_unique<MacroPropertyClass>("OutDir", "first"));
  schema.registerClass(std::make_unique<MacroPropertyClass>("OutDir", "second"));

  EXPECT_EQ(schema.find("OutDir"), property);
  EXPECT_EQ(schema.findAll("OutDir").size(), 1);
  EXPECT_EQ(schema.findMacro("OutDir"), macro);
  EXPECT_EQ(schema.findMacro("IntDir"), nullptr);
  EXPECT_EQ(schema.classes().size(), 3u);
}

TEST(PropertySchema, IgnoresANullDeclaration) {
  PropertySchema schema;
  EXPECT_EQ(schema.registerClass(nullptr), nullptr);
  EXPECT_TRUE(schema.classes().empty());
}
