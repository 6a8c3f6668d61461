// The split and the redirections as far as the end-to-end load-command tests
// (tests/e2e/expand_templates_test.cpp) do not show them, and the line rules.

#include "solution/load_command.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <algorithm>

#include "helpers/test_support.h"
#include "support/diagnostics.h"

namespace {

// The lines handed on, a line's pieces joined.
QList<QByteArray> linesOf(const QList<QByteArray>& chunks, bool finish = true) {
  QList<QByteArray> lines;
  QByteArray line;
  OutputLineSplitter splitter([&](const QByteArray& bytes, bool lineEnds) {
    line += bytes;
    if (lineEnds) lines.append(std::exchange(line, {}));
  });
  for (const QByteArray& chunk : chunks) splitter.append(chunk.constData(), size_t(chunk.size()));
  if (finish) splitter.finish();
  return lines;
}

QString describe(const OutputRedirections& r) {
  return QString("out=%1%2 err=%3%4")
      .arg(r.outputFile, r.appendOutput ? "+" : "", r.errorFile, r.appendError ? "+" : "");
}

}  // namespace

TEST(LoadCommand, SplitsWordsWithQuotesAndEscapedQuotes) {
  EXPECT_EQ(splitCommandWords("  tool\t"
                              R"("two words" x"y z"w "" \"q\" C:\dir\f.txt "a \" b"  )"),
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
      {{"p", "-v", ">", "o", "arg"}, "p -v: out=o err="},           {{"p", ">>", "a", "1>", "b"}, "p: out=a+ err="},
      {{"p", "&>>", "all", "2>", "e"}, "p: out=all+ err=all+"},     {{"p", ">", "o", "&>", "all"}, "p: out=o err="},
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

// A line without end is handed on in pieces: no more than the bound is ever held.
TEST(LoadCommand, ALongLineIsHandedOnInPiecesOfTheBound) {
  const QByteArray line(3 * OutputLineSplitter::maximumLineBytes + 100, 'x');
  QList<qsizetype> pieces;
  QByteArray joined;
  OutputLineSplitter splitter([&](const QByteArray& bytes, bool lineEnds) {
    pieces.append(lineEnds ? -bytes.size() : bytes.size());
    joined += bytes;
  });
  for (qsizetype start = 0; start < line.size(); start += 1000)
    splitter.append(line.constData() + start, size_t(std::min<qsizetype>(1000, line.size() - start)));
  const qsizetype bound = OutputLineSplitter::maximumLineBytes;
  EXPECT_EQ(pieces, QList<qsizetype>({bound, bound, bound}));
  // A line of which a piece went on is completed at the end, though without a line feed.
  splitter.finish();
  EXPECT_EQ(pieces.last(), -100);
  EXPECT_EQ(joined, line);
}

// Found as a shell finds a program: a name with "/" as it stands, any other only
// on the search path, in its order, a regular executable file; an empty or
// relative entry, which would name the working directory (the workspace's), is skipped.
TEST(LoadCommand, ProgramsAreFoundOnTheSearchPathOnly) {
  const QString root = testing_support::testDirectory();
  for (const char* file : {"work/tool", "plain/tool", "exec/tool", "later/tool", "work/bin/tool"}) {
    testing_support::writeFile(root + "/" + file, "#!/bin/sh\n");
    if (QByteArray(file) != "plain/tool") QFile::setPermissions(root + "/" + file, QFile::ReadOwner | QFile::ExeOwner);
  }
  QDir(root).mkpath("directory/tool");
  const QString work = root + "/work";
  const QString path = root + "/plain:" + root + "/directory:" + root + "/exec:" + root + "/later";
  EXPECT_EQ(findProgram("tool", path, work), root + "/exec/tool");  // not work/tool, where the command runs
  EXPECT_EQ(findProgram("tool", root + "/nothing", work), "");
  EXPECT_EQ(findProgram("tool", root + "/nothing::" + root + "/later", work), root + "/later/tool");
  EXPECT_EQ(findProgram("tool", ":.:bin", work), "");
  EXPECT_EQ(findProgram("./tool", path, work), work + "/./tool");
  EXPECT_EQ(findProgram("/bin/sh", path, work), "/bin/sh");
}

namespace {

/// The error the load command ends with, "" when it exits with status 0.
QString failureOf(const QString& command, const QString& solutionFile) {
  try {
    runLoadCommand(command, solutionFile);
  } catch (const ConversionError& error) {
    return error.message();
  }
  return QString();
}

}  // namespace

// The run ends with the command: what it left writing to its output is read as far
// as the pipe held it then (and dies writing to a closed pipe afterwards).
TEST(LoadCommand, ADescendantThatKeepsWritingDoesNotHoldTheRun) {
  EXPECT_EQ(failureOf("sh -c \"yes &\" &> out.txt", testing_support::testDirectory() + "/s.hzp"), "");
}

// A program that does not start is shown end to end; here the other ways a run
// ends early.
TEST(LoadCommand, ProgramsThatCrashAndOutputThatCannotBeWritten) {
  const QString directory = testing_support::testDirectory();
  const QString solution = directory + "/s.hzp";
  EXPECT_EQ(failureOf("sh -c \"kill -9 $$\"", solution), solution + ": solution load command crashed (sh)");
  EXPECT_EQ(failureOf("sh -c \"exit 3\"", solution), solution + ": solution load command failed (3)");
  EXPECT_TRUE(failureOf("sh -c true > missing/dir/out.txt", solution)
                  .startsWith(solution + ": solution load command output: cannot write " + directory +
                              "/missing/dir/out.txt: "));
}
