#include "projectsystem/macro_expander.h"

#include <gtest/gtest.h>

#include "properties/property_class_list.h"

namespace {

// Every test starts from an empty global table and leaves it as it found it.
class MacroExpanderTest : public testing::Test {
 protected:
  void SetUp() override { swapGlobalTables(); }
  void TearDown() override { swapGlobalTables(); }

  static QString global(const QString& text) { return expand(text, MacroTable(), true, true); }

 private:
  void swapGlobalTables() {
    values_.swap(globalMacros().values);
    userMacros_.swap(globalMacros().userMacros);
  }
  MacroTable values_;
  MacroTable userMacros_;
};

TEST_F(MacroExpanderTest, DefaultsEscapesAndUnterminatedReferences) {
  globalMacros().values.insert("Y", "b");
  EXPECT_EQ(global("$(X:none)"), "none");
  EXPECT_EQ(global("$(X::$(Y))"), "$(Y)");
  EXPECT_EQ(global("$(X:$(Y))"), "b");
  EXPECT_EQ(global("$(X:a:b)"), "a:b");  // only the first ":" splits
  EXPECT_EQ(global("$(X)"), "$(X)");     // no default: the reference stays
  EXPECT_EQ(global("$$(X)"), "$(X)");
  EXPECT_EQ(global("$(X $(Y)"), "(X b");
  EXPECT_EQ(global("$X end$"), "$X end$");
  // "::" clears the repeat asked for by an earlier reference of the same pass.
  EXPECT_EQ(global("$(X:$(Y)) $(Z::c)"), "$(Y) c");
}

TEST_F(MacroExpanderTest, LookUpOrderAndLiteralValues) {
  globalMacros().values.insert("M", "global");
  globalMacros().userMacros.insert("M", "user");
  globalMacros().values.insert("G", "global");
  const MacroTable local{{"M", "local"}, {"X", "$(Y)"}, {"Y", "b"}, {"A(1)", "one"}};
  EXPECT_EQ(expand("$(M)", local, true, true), "local");
  EXPECT_EQ(expand("$(M)", MacroTable(), true, true), "user");
  EXPECT_EQ(expand("$(M)", MacroTable(), false, true), "global");
  EXPECT_EQ(expand("$(M) $(G)", MacroTable(), true, false), "user $(G)");
  EXPECT_EQ(expand("$(X)", local, true, true), "$(Y)");
  EXPECT_EQ(expand("$(X) $(Q:$(W:w))", local, true, true), "b w");
  EXPECT_EQ(expand("$(A(1))", local, true, true), "one");
}

TEST_F(MacroExpanderTest, RunawayTextsAreBounded) {
  // Each unterminated reference loses its lead; the text is not rescanned per reference.
  EXPECT_EQ(global(QString("$(").repeated(100000)), QString(100000, QLatin1Char('(')));
  // A composite name is never found: its reference stays as it was.
  EXPECT_EQ(expand("$(A$(B))", MacroTable{{"B", "x"}}, true, true), "$(A$(B))");
  // A value that refers to itself through a default grows once per pass, 32 passes.
  const MacroTable growing{{"X", "$(X:$(X))a"}};
  EXPECT_EQ(expand("$(X:$(X))", growing, true, true), "$(X:$(X))" + QString(32, QLatin1Char('a')));
  // One that copies itself twice doubles the text on every pass until the length bound.
  const QString doubled = expand("$(X:$)", MacroTable{{"X", "$(X:$)$(X:$)"}}, true, true);
  EXPECT_GT(doubled.size(), 1 << 20);
  EXPECT_LT(doubled.size(), 1 << 21);
}

TEST_F(MacroExpanderTest, ParsesProjectMacros) {
  const MacroTable parsed = parseProjectMacros("a=1;b=x=y;;c\\;d=2;e=\\\\;plain;a=3;t=end\\");
  const MacroTable expected{{"a", "3"}, {"b", "x=y"}, {"c;d", "2"}, {"e", "\\"}, {"plain", ""}, {"t", "end"}};
  EXPECT_EQ(parsed, expected);
  EXPECT_TRUE(parseProjectMacros(";;").isEmpty());
  // Expanded before splitting: a ";" in a global value separates definitions.
  globalMacros().values.insert("G", "1;q=2");
  EXPECT_EQ(parseProjectMacros("p=$(G)"), (MacroTable{{"p", "1"}, {"q", "2"}}));
  // Values are stored unexpanded once split.
  EXPECT_EQ(parseProjectMacros("r=$$(G)"), (MacroTable{{"r", "$(G)"}}));
}

}  // namespace
