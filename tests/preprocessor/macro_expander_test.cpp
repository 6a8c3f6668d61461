#include "preprocessor/macro_expander.h"

#include <gtest/gtest.h>

namespace {

// Each test builds the global macros it expands with.
QString global(const QString& text, const GlobalMacros& macros = GlobalMacros()) {
  return expand(text, MacroTable(), macros);
}

TEST(MacroExpander, DefaultsEscapesAndUnterminatedReferences) {
  const GlobalMacros macros{{}, {{"Y", "b"}}};
  EXPECT_EQ(global("$(X:none)", macros), "none");
  EXPECT_EQ(global("$(X::$(Y))", macros), "$(Y)");
  EXPECT_EQ(global("$(X:$(Y))", macros), "b");
  EXPECT_EQ(global("$(X:a:b)", macros), "a:b");  // only the first ":" splits
  EXPECT_EQ(global("$(X)", macros), "$(X)");     // no default: the reference stays
  EXPECT_EQ(global("$$(X)", macros), "$(X)");
  EXPECT_EQ(global("$(X $(Y)", macros), "(X b");
  EXPECT_EQ(global("$X end$", macros), "$X end$");
  // "::" clears the repeat asked for by an earlier reference of the same pass.
  EXPECT_EQ(global("$(X:$(Y)) $(Z::c)", macros), "$(Y) c");
}

TEST(MacroExpander, LookUpOrderAndLiteralValues) {
  const GlobalMacros macros{{{"M", "user"}}, {{"M", "global"}, {"G", "global"}}};
  const MacroTable local{{"M", "local"}, {"X", "$(Y)"}, {"Y", "b"}, {"A(1)", "one"}};
  EXPECT_EQ(expand("$(M)", local, macros), "local");
  EXPECT_EQ(expand("$(M)", MacroTable(), macros), "user");
  EXPECT_EQ(expand("$(M)", MacroTable(), GlobalMacros{{}, macros.values}), "global");
  EXPECT_EQ(expand("$(M) $(G)", MacroTable(), GlobalMacros{macros.userMacros, {}}), "user $(G)");
  EXPECT_EQ(expand("$(X)", local, macros), "$(Y)");
  EXPECT_EQ(expand("$(X) $(Q:$(W:w))", local, macros), "b w");
  EXPECT_EQ(expand("$(A(1))", local, macros), "one");
}

TEST(MacroExpander, RunawayTextsAreBounded) {
  // Each unterminated reference loses its lead; the text is not rescanned per reference.
  EXPECT_EQ(global(QString("$(").repeated(100000)), QString(100000, QLatin1Char('(')));
  // A composite name is never found: its reference stays as it was.
  EXPECT_EQ(expand("$(A$(B))", MacroTable{{"B", "x"}}, GlobalMacros()), "$(A$(B))");
  // A value that refers to itself through a default grows once per pass, 32 passes.
  const MacroTable growing{{"X", "$(X:$(X))a"}};
  EXPECT_EQ(expand("$(X:$(X))", growing, GlobalMacros()), "$(X:$(X))" + QString(32, QLatin1Char('a')));
  // One that copies itself twice doubles the text on every pass until the length bound.
  const QString doubled = expand("$(X:$)", MacroTable{{"X", "$(X:$)$(X:$)"}}, GlobalMacros());
  EXPECT_GT(doubled.size(), 1 << 20);
  EXPECT_LT(doubled.size(), 1 << 21);
}

TEST(MacroExpander, ParsesProjectMacros) {
  const MacroTable parsed = parseProjectMacros("a=1;b=x=y;;c\\;d=2;e=\\\\;plain;a=3;t=end\\", GlobalMacros());
  const MacroTable expected{{"a", "3"}, {"b", "x=y"}, {"c;d", "2"}, {"e", "\\"}, {"plain", ""}, {"t", "end"}};
  EXPECT_EQ(parsed, expected);
  EXPECT_TRUE(parseProjectMacros(";;", GlobalMacros()).isEmpty());
  // Expanded before splitting: a ";" in a global value separates definitions.
  const GlobalMacros macros{{}, {{"G", "1;q=2"}}};
  EXPECT_EQ(parseProjectMacros("p=$(G)", macros), (MacroTable{{"p", "1"}, {"q", "2"}}));
  // Values are stored unexpanded once split.
  EXPECT_EQ(parseProjectMacros("r=$$(G)", macros), (MacroTable{{"r", "$(G)"}}));
}

}  // namespace
