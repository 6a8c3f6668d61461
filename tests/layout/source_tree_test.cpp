// The rules the source tree keeps: each folder includes only the folders below it
// (a reader, besides, only its own folder and readers/common), and no global or
// function-local static holds run state (the run's state is handed down from
// tool/, so tests and fuzz targets build their own).

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include "helpers/test_support.h"
#include "layout/declaration_scanner.h"

using layout_testing::findStateDeclarations;

namespace {

/// The folders of the program's sources, one row each, in layer order, lowest
/// first: a folder includes only the folders of the rows before it. So the readers
/// include nothing of the model, the mapper or the solution files.
const QStringList layers{
    "support",       //
    "xml",           //
    "preprocessor",  //
    "foreign",       //
    "readers",       //
    "properties",    //
    "model",         //
    "mapping",       //
    "solution",      //
    "templates",     //
    "tool",          //
};

/// The readers, one folder each: a reader includes no other reader.
const QStringList readers{"uvision", "iar", "eclipse"};

/// What file must not include: every folder after its own and, in a reader, the
/// other readers.
QStringList barredFor(const QString& file) {
  const QString folder = file.section(QLatin1Char('/'), 0, 0);
  QStringList barred;
  for (qsizetype i = layers.indexOf(folder) + 1; i < layers.size(); ++i) barred.append(layers[i] + "/");
  const QString reader = file.section(QLatin1Char('/'), 1, 1);
  if (folder == "readers" && readers.contains(reader))
    for (const QString& other : readers)
      if (other != reader) barred.append("readers/" + other + "/");
  return barred;
}

/// Every source and header file of folder, as paths relative to the source tree.
QStringList filesOf(const QString& folder) {
  const QString root = testing_support::sourcePath("");
  QStringList files;
  QDirIterator entries(root + folder, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
  while (entries.hasNext()) files.append(entries.next().mid(root.size()));
  files.sort();
  return files;
}

QString contentOf(const QString& file) {
  return QString::fromUtf8(testing_support::readFile(testing_support::sourcePath(file)));
}

/// "file:line: text" for each declaration of file that holds run state.
QStringList stateDeclarationsOf(const QString& file) {
  QStringList found;
  for (const auto& declaration : findStateDeclarations(contentOf(file).toStdString())) {
    found.append(QString("%1:%2: %3").arg(file).arg(declaration.line).arg(QString::fromStdString(declaration.text)));
  }
  return found;
}

TEST(SourceTree, EachFolderIncludesOnlyTheFoldersBelowIt) {
  const QRegularExpression include(R"re(^\s*#\s*include\s*"([^"]+)")re", QRegularExpression::MultilineOption);
  QStringList reachingUp;
  qsizetype files = 0;
  for (const QString& layer : layers) {
    for (const QString& file : filesOf(layer)) {
      const QStringList barred = barredFor(file);
      ++files;
      for (const auto& match : include.globalMatch(contentOf(file))) {
        const QString included = match.captured(1);
        for (const QString& above : barred)
          if (included.startsWith(above)) reachingUp.append(file + " includes " + included);
      }
    }
  }
  EXPECT_GT(files, 100);
  EXPECT_EQ(reachingUp, QStringList());
}

// The build has one library per folder, added in the order of the rows above, so a
// new folder is a new row here.
TEST(SourceTree, TheBuildAddsOneLibraryPerFolderInLayerOrder) {
  const QRegularExpression loop(R"re(foreach\(layer ([^)]*)\))re");
  const QRegularExpressionMatch match = loop.match(contentOf("CMakeLists.txt"));
  ASSERT_TRUE(match.hasMatch());
  EXPECT_EQ(match.captured(1).split(' ', Qt::SkipEmptyParts), layers);
}

TEST(SourceTree, NoGlobalOrStaticVariableHoldsRunState) {
  QStringList found;
  qsizetype files = 0;
  for (const QString& folder : layers) {
    for (const QString& file : filesOf(folder)) {
      ++files;
      found += stateDeclarationsOf(file);
    }
  }
  EXPECT_GT(files, 150);
  EXPECT_EQ(found, QStringList());
}

// The scanner behind the rule above: constant tables pass, and every kind of
// variable that outlives a call is found, whatever surrounds it.
TEST(SourceTree, StateDeclarationsAreToldFromConstantTables) {
  const std::string source = R"(#include <QString>
#define TABLE { 1; }
namespace {
const int table[] = {1, 2};
constexpr char name[] = "{;";
const char* const names[] = {"a", "b"};
const auto lambda = [](int x) { return x; };
int counter = 0;
const char* current = nullptr;
}  // namespace
class Declared;
using Alias = int;
enum class Kind { A, B };
struct Record {
  static constexpr int limit = 2;
  static const char* const labels[];
  static int count();
  static int instances;
  int field = 0;
  void f() const { static const QString none; }
};
QString read(int x) {
  static const QStringList words{"x"};  // static int commented;
  if (x) { static QString cache(QString::number(x)); }
  auto later = [] { static int calls; };
  return QString();
}
)";
  std::vector<std::string> found;
  for (const auto& declaration : findStateDeclarations(source))
    found.push_back(std::to_string(declaration.line) + ": " + declaration.text);
  EXPECT_EQ(found, (std::vector<std::string>{"8: int counter = 0", "9: const char* current = nullptr",
                                             "18: static int instances", "24: static QString cache(QString::number(x))",
                                             "25: static int calls"}));
}

}  // namespace
