// "-P" entries: split at "=", names that can be attribute names, and warnings
// for names the schema does not declare.

#include <gtest/gtest.h>

#include "importers/common/hexception.h"
#include "importers/common/project_properties.h"
#include "properties/property_schema.h"

TEST(ProjectProperties, NamesMustBeAttributeNames) {
  for (const char* valid : {"a", "_x", "build_quietly", "a.b-c_9", "Target"}) EXPECT_TRUE(isValidPropertyName(valid)) << valid;
  for (const char* invalid : {"", "9a", "-a", ".a", "a b", "<x", "a:b", "a\"b", "caf\xc3\xa9"})
    EXPECT_FALSE(isValidPropertyName(QString::fromUtf8(invalid))) << invalid;
}

TEST(ProjectProperties, EntriesSplitAtEqualsAndUnknownNamesAreReported) {
  PropertySchema schema;
  registerGeneralProperties(schema);
  QStringList warnings;
  const auto warn = [&](const QString& message) { warnings.append(message); };
  const QList<ProjectProperty> properties = readProjectProperties({"build_quietly=Yes", "x==y"}, schema, warn);
  ASSERT_EQ(properties.size(), 2);
  EXPECT_EQ(properties[1].value, "y");  // empty parts are dropped
  EXPECT_EQ(warnings, QStringList{"-P x==y: 'x' is not a known property; it is set all the same"});
  for (const char* entry : {"a", "=b", ""})
    EXPECT_THROW(readProjectProperties({entry}, schema, warn), HException) << entry;
}
