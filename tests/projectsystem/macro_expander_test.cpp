#include "projectsystem/macro_expander.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

#include "properties/property_class_list.h"

namespace {

// Every test starts from an empty global table and leaves it as it found it.
class MacroExpanderTest : public testing::Test {
 protected:
  void SetUp() override {
    savedValues_ = globalMacros().values;
    savedUserMacros_ = globalMacros().userMacros;
    globalMacros().values.clear();
    globalMacros().userMacros.clear();
  }
  void TearDown() override {
    globalMacros().values = savedValues_;
    globalMacros().userMacros = savedUserMacros_;
  }

  static QString global(const QString& text) { return expand(text, MacroTable(), true, true); }

 private:
  QMap<QString, QString> savedValues_;
  QMap<QString, QString> savedUserMacros_;
};

TEST_F(MacroExpanderTest, DefaultsEscapesAndUnterminatedReferences) {
  globalMacros().values.insert("Y", "b");
  EXPECT_EQ(global("$(X:none)"), "none");
  EXPECT_EQ(global("$(X::$(Y))"), "$(Y)");
  EXPECT_EQ(global("$(X:$(Y))"), "b");
  EXPECT_EQ(global("$(X:a:b)"), "a:b");  // only the first ":" splits
  EXPECT_EQ(global("$(X)"), "$(X)");     // no default: the reference stays
  EXPECT_EQ(global("$$(X)"), "$(X)");
  EXPECT_EQ(global("a$$b"), "a$b");
  EXPECT_EQ(global("$(X"), "(X");
  EXPECT_EQ(global("$(X $(Y)"), "(X b");
  EXPECT_EQ(global("$X"), "$X");
  EXPECT_EQ(global("end$"), "end$");
  EXPECT_EQ(global(""), "");
  EXPECT_EQ(global("no references"), "no references");
  // "::" clears the repeat asked for by an earlier reference of the same pass.
  EXPECT_EQ(global("$(X:$(Y)) $(Z::c)"), "$(Y) c");
}

TEST_F(MacroExpanderTest, ValuesAreInsertedLiterallyUnlessThePassRepeats) {
  const MacroTable table{{"X", "$(Y)"}, {"Y", "b"}, {"A(1)", "one"}};
  EXPECT_EQ(expand("$(X)", table, true, true), "$(Y)");
  EXPECT_EQ(expand("$(X) $(Q:$(W:w))", table, true, true), "b w");
  EXPECT_EQ(expand("$(A(1))", table, true, true), "one");
}

TEST_F(MacroExpanderTest, LooksUpLocalThenUserThenGlobal) {
  globalMacros().values.insert("M", "global");
  globalMacros().userMacros.insert("M", "user");
  globalMacros().values.insert("G", "global");
  const MacroTable local{{"M", "local"}};
  EXPECT_EQ(expand("$(M)", local, true, true), "local");
  EXPECT_EQ(expand("$(M)", MacroTable(), true, true), "user");
  EXPECT_EQ(expand("$(M)", MacroTable(), false, true), "global");
  EXPECT_EQ(expand("$(M) $(G)", MacroTable(), true, false), "user $(G)");
  EXPECT_EQ(expandGlobal("$(M)"), "user");
}

// Reads a dynamic macro with the clock reading it should match; read again when
// the clock moved on (midnight, a new minute) between the two.
template <typename Expansion, typename Clock>
void readWithClock(Expansion expansion, Clock clock, QString& value, QString& expected) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    expected = clock();
    value = expansion();
    if (expected == clock()) return;
  }
}

TEST_F(MacroExpanderTest, DateOnlyWhenDefinedInATable) {
  EXPECT_EQ(global("$(Date)"), "$(Date)");
  EXPECT_EQ(global("$(Date:none)"), "none");
  const MacroTable local{{"Date", "stored"}};
  QString date;
  QString expected;
  readWithClock([&] { return expand("$(Date)", local, false, false); },
                [] { return QLocale::c().toString(QDate::currentDate(), "d MMMM yyyy"); }, date, expected);
  EXPECT_EQ(date, expected);
  const QRegularExpression datePattern("^\\d{1,2} [A-Z][a-z]+ \\d{4}$");
  EXPECT_TRUE(datePattern.match(date).hasMatch()) << date.toStdString();
  globalMacros().values.insert("Date", QString());
  EXPECT_EQ(expand("$(Date)", MacroTable(), true, false), "$(Date)");
  EXPECT_TRUE(datePattern.match(global("$(Date)")).hasMatch());
}

TEST_F(MacroExpanderTest, TimeMinuteHasTwoDigits) {
  globalMacros().values.insert("TimeMinute", QString());
  QString minute;
  QString expected;
  readWithClock([&] { return global("$(TimeMinute)"); },
                [] { return QStringLiteral("%1").arg(QTime::currentTime().minute(), 2, 10, QLatin1Char('0')); },
                minute, expected);
  EXPECT_TRUE(QRegularExpression("^\\d\\d$").match(minute).hasMatch()) << minute.toStdString();
  EXPECT_EQ(minute, expected);
}

TEST_F(MacroExpanderTest, PassesAreBounded) {
  // A composite name is never found: its reference stays as it was.
  EXPECT_EQ(expand("$(A$(B))", MacroTable{{"B", "x"}}, true, true), "$(A$(B))");
  // A value that refers to itself through a default grows once per pass, 32 passes.
  const MacroTable growing{{"X", "$(X:$(X))a"}};
  EXPECT_EQ(expand("$(X:$(X))", growing, true, true), "$(X:$(X))" + QString(32, QLatin1Char('a')));
}

TEST_F(MacroExpanderTest, ParsesProjectMacros) {
  const MacroTable parsed = parseProjectMacros("a=1;b=x=y;;c\\;d=2;e=\\\\;plain;a=3;t=end\\");
  const MacroTable expected{{"a", "3"}, {"b", "x=y"}, {"c;d", "2"}, {"e", "\\"}, {"plain", ""}, {"t", "end"}};
  EXPECT_EQ(parsed, expected);
  EXPECT_TRUE(parseProjectMacros("").isEmpty());
  EXPECT_TRUE(parseProjectMacros(";;").isEmpty());
  // Expanded before splitting: a ";" in a global value separates definitions.
  globalMacros().values.insert("G", "1;q=2");
  EXPECT_EQ(parseProjectMacros("p=$(G)"), (MacroTable{{"p", "1"}, {"q", "2"}}));
  // Values are stored unexpanded once split.
  EXPECT_EQ(parseProjectMacros("r=$$(G)"), (MacroTable{{"r", "$(G)"}}));
}

}  // namespace
