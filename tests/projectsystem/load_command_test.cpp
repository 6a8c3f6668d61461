#include <gtest/gtest.h>

#include "projectsystem/load_command.h"
#include "support/test_support.h"

using testing_support::writeFile;

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
  EXPECT_EQ(splitCommandWords("  gen.sh  a\tb  "), QStringList({"gen.sh", "a", "b"}));
  EXPECT_EQ(splitCommandWords(R"(tool "two words" x"y z"w "")"), QStringList({"tool", "two words", "xy zw"}));
  EXPECT_EQ(splitCommandWords(R"(echo \"quoted\" C:\dir\f.txt)"), QStringList({"echo", "\"quoted\"", R"(C:\dir\f.txt)"}));
  EXPECT_EQ(splitCommandWords(R"("a \" b")"), QStringList({"a \" b"}));
  EXPECT_TRUE(splitCommandWords("   ").isEmpty());
}

TEST(LoadCommand, RedirectionsStartAtTheFirstOperatorAndTheFirstFileWins) {
  QStringList words{"gen.sh", "-v", ">", "out.txt", "arg"};
  EXPECT_EQ(describe(takeRedirections(words)), "out=out.txt err=");
  EXPECT_EQ(words, QStringList({"gen.sh", "-v"}));  // "arg" goes with the redirections

  const struct {
    QStringList words;
    const char* expected;
  } cases[] = {
      {{"p", ">>", "a", "1>", "b"}, "out=a+ err="},
      {{"p", "&>>", "all", "2>", "e"}, "out=all+ err=all+"},
      {{"p", ">", "o", "&>", "all"}, "out=o err="},  // "&>" only while standard output has no file
      {{"p", "x", ">", "o", "junk", "j", "2>"}, "out=o err="},
  };
  for (const auto& c : cases) {
    QStringList remaining = c.words;
    EXPECT_EQ(describe(takeRedirections(remaining)), c.expected) << qPrintable(c.words.join(' '));
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

// Running is shown end to end (redirections, statuses, a missing program); here
// the other ways a run ends early.
TEST(LoadCommand, ProgramsThatCannotRunAndOutputThatCannotBeWritten) {
  const QString directory = testing_support::testDirectory();
  writeFile("plain.txt", "");
  LoadCommandResult result = runLoadCommand("./plain.txt", directory, nullptr);
  EXPECT_EQ(result.outcome, LoadCommandResult::FailedToStart);
  EXPECT_TRUE(result.detail.startsWith("./plain.txt: ")) << qPrintable(result.detail);

  result = runLoadCommand("sh -c \"kill -9 $$\"", directory, nullptr);
  EXPECT_EQ(result.outcome, LoadCommandResult::Crashed);

  result = runLoadCommand("sh -c true > missing/dir/out.txt", directory, nullptr);
  EXPECT_EQ(result.outcome, LoadCommandResult::RedirectionFailed);
  EXPECT_TRUE(result.detail.startsWith("cannot write " + directory + "/missing/dir/out.txt: ")) << qPrintable(result.detail);
}
