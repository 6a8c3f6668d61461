// The split and the redirections as far as the end-to-end load-command tests
// (tests/e2e/expand_templates_test.cpp) do not show them, and the line rules.

#include <gtest/gtest.h>

#include "projectsystem/load_command.h"
#include "support/test_support.h"

namespace {

QList<QByteArray> linesOf(const QList<QByteArray>& chunks, bool finish = true) {
  QList<QByteArray> lines;
  OutputLineSplitter splitter([&](const QByteArray& line) { lines.append(line); });
  for (const QByteArray& chunk : chunks) splitter.append(chunk);
  if (finish) splitter.finish();
  return lines;
}

QString describe(const OutputRedirections& r) {
  return QString("out=%1%2 err=%3%4").arg(r.outputFile, r.appendOutput ? "+" : "", r.errorFile, r.appendError ? "+" : "");
}

}  // namespace

TEST(LoadCommand, SplitsWordsWithQuotesAndEscapedQuotes) {
  EXPECT_EQ(splitCommandWords("  tool\t" R"("two words" x"y z"w "" \"q\" C:\dir\f.txt "a \" b"  )"),
            QStringList({"tool", "two words", "xy zw", "\"q\"", R"(C:\dir\f.txt)", "a \" b"}));
  EXPECT_TRUE(splitCommandWords("   ").isEmpty());
}

// Every word from the first operator on is taken out; a stream keeps its first
// file, and "&>" counts only while standard output has none.
TEST(LoadCommand, RedirectionsStartAtTheFirstOperatorAndTheFirstFileWins) {
  const struct {
    QStringList words;
    const char* expected;
  } cases[] = {
      {{"p", "-v", ">", "o", "arg"}, "p -v: out=o err="},
      {{"p", ">>", "a", "1>", "b"}, "p: out=a+ err="},
      {{"p", "&>>", "all", "2>", "e"}, "p: out=all+ err=all+"},
      {{"p", ">", "o", "&>", "all"}, "p: out=o err="},
      {{"p", "x", ">", "o", "junk", "j", "2>"}, "p x: out=o err="},
  };
  for (const auto& c : cases) {
    QStringList words = c.words;
    const QString redirections = describe(takeRedirections(words));
    EXPECT_EQ(words.join(' ') + ": " + redirections, c.expected) << qPrintable(c.words.join(' '));
  }
}

TEST(LoadCommand, LinesEndAtLineFeedsAndCarriageReturnsWhoseNextByteIsSkipped) {
  EXPECT_EQ(linesOf({"a\nb\r\nc\n"}), QList<QByteArray>({"a", "b", "c"}));
  // The byte after a carriage return is skipped even when it arrives later, or is no line feed.
  EXPECT_EQ(linesOf({"a\r", "\nb\rXc\n"}), QList<QByteArray>({"a", "b", "c"}));
  EXPECT_EQ(linesOf({"\n\n"}), QList<QByteArray>({"", ""}));
  // A last line without an ending counts only after a complete line.
  EXPECT_EQ(linesOf({"one\ntw", "o"}), QList<QByteArray>({"one", "two"}));
  EXPECT_EQ(linesOf({"alone"}), QList<QByteArray>());
  EXPECT_EQ(linesOf({"one\ntwo"}, false), QList<QByteArray>({"one"}));
}

// A program that does not start is shown end to end; here the other ways a run
// ends early.
TEST(LoadCommand, ProgramsThatCrashAndOutputThatCannotBeWritten) {
  const QString directory = testing_support::testDirectory();
  EXPECT_EQ(runLoadCommand("sh -c \"kill -9 $$\"", directory).outcome, LoadCommandResult::Crashed);
  const LoadCommandResult result = runLoadCommand("sh -c true > missing/dir/out.txt", directory);
  EXPECT_EQ(result.outcome, LoadCommandResult::RedirectionFailed);
  EXPECT_TRUE(result.detail.startsWith("cannot write " + directory + "/missing/dir/out.txt: ")) << qPrintable(result.detail);
}
