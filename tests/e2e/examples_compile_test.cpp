// What a user's build does first with a converted solution: every C file of
// each example compiles with the GNU ARM compiler, told only what the solution
// says (core, FPU, floating-point ABI, definitions and include directories of
// "Common" and "Debug"). Skipped where arm-none-eabi-gcc is not installed.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QDomDocument>
#include <QFileInfo>
#include <QStandardPaths>

#include "support/test_support.h"

using testing_support::readFile;
using testing_support::sourcePath;

namespace {

/// The settings of one element for the configurations a build of Debug reads.
struct Settings {
  QStringList definitions;
  QStringList includeDirectories;
  QString core;
  QString fpu;
  QString floatAbi;
  bool excluded = false;
};

QDomElement childConfiguration(const QDomElement& element, const QString& name) {
  for (QDomElement child = element.firstChildElement("configuration"); !child.isNull();
       child = child.nextSiblingElement("configuration"))
    if (child.attribute("Name") == name) return child;
  return {};
}

QStringList listOf(const QString& value) { return value.split(';', Qt::SkipEmptyParts); }

// Lists accumulate from the outer element inwards, "Common" before "Debug";
// other values are the innermost, Debug's before Common's.
void addSettings(const QDomElement& element, Settings& settings) {
  for (const char* name : {"Common", "Debug"}) {
    const QDomElement configuration = childConfiguration(element, name);
    if (configuration.isNull()) continue;
    settings.definitions += listOf(configuration.attribute("c_preprocessor_definitions"));
    settings.includeDirectories += listOf(configuration.attribute("c_user_include_directories"));
    for (const auto& [property, value] : {std::pair{"arm_core_type", &settings.core},
                                          std::pair{"arm_fpu_type", &settings.fpu},
                                          std::pair{"arm_fp_abi", &settings.floatAbi}})
      if (configuration.hasAttribute(property)) *value = configuration.attribute(property);
    if (configuration.hasAttribute("build_exclude_from_build"))
      settings.excluded = configuration.attribute("build_exclude_from_build") == "Yes";
  }
}

QString gccName(QString schemaName) { return schemaName.toLower().replace("+", "plus"); }

QStringList compilerFlags(const Settings& settings, const QString& solutionDirectory, const QString& projectDirectory) {
  QStringList flags{"-fsyntax-only", "-mthumb"};
  if (!settings.core.isEmpty() && settings.core != "None") flags << "-mcpu=" + gccName(settings.core);
  if (!settings.fpu.isEmpty() && settings.fpu != "None") flags << "-mfpu=" + gccName(settings.fpu);
  if (!settings.floatAbi.isEmpty() && settings.floatAbi != "None") flags << "-mfloat-abi=" + settings.floatAbi.toLower();
  for (const QString& definition : settings.definitions) flags << "-D" + definition;
  for (QString directory : settings.includeDirectories) {
    directory.replace("$(ProjectDir)", projectDirectory).replace("$(SolutionDir)", solutionDirectory);
    flags << "-I" + QDir(projectDirectory).absoluteFilePath(directory);
  }
  return flags;
}

struct Compilation {
  QString file;
  QStringList flags;
};

/// Every C file the solution builds in Debug, with its compiler flags.
void collectFiles(const QDomElement& element, Settings settings, const QString& solutionDirectory,
                  const QString& projectDirectory, QList<Compilation>& files) {
  addSettings(element, settings);
  if (settings.excluded) return;
  for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
    if (child.tagName() == "folder") {
      collectFiles(child, settings, solutionDirectory, projectDirectory, files);
    } else if (child.tagName() == "file" && child.attribute("file_name").endsWith(".c")) {
      Settings own = settings;
      addSettings(child, own);
      if (!own.excluded) {
        files.append({QDir(projectDirectory).absoluteFilePath(child.attribute("file_name")),
                      compilerFlags(own, solutionDirectory, projectDirectory)});
      }
    }
  }
}

QList<Compilation> compilationsOf(const QString& solutionPath) {
  QDomDocument document;
  EXPECT_TRUE(document.setContent(readFile(solutionPath))) << solutionPath.toStdString();
  const QString solutionDirectory = QFileInfo(solutionPath).absolutePath();
  const QDomElement solution = document.documentElement();
  Settings solutionSettings;
  addSettings(solution, solutionSettings);
  QList<Compilation> files;
  for (QDomElement project = solution.firstChildElement("project"); !project.isNull();
       project = project.nextSiblingElement("project")) {
    const QString directory = childConfiguration(project, "Common").attribute("project_directory");
    collectFiles(project, solutionSettings, solutionDirectory, QDir(solutionDirectory).absoluteFilePath(directory), files);
  }
  return files;
}

void copyTree(const QString& from, const QString& to) {
  QDirIterator entries(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (entries.hasNext()) {
    const QString path = entries.next();
    testing_support::writeFile(to + path.mid(from.size()), readFile(path));
  }
}

}  // namespace

TEST(Examples, EveryCFileCompilesWithWhatTheSolutionSays) {
  const QString compiler = QStandardPaths::findExecutable("arm-none-eabi-gcc");
  if (compiler.isEmpty()) GTEST_SKIP() << "arm-none-eabi-gcc is not installed";
  const struct {
    const char* folder;
    QStringList arguments;
    const char* solution;
  } examples[] = {
      {"uvision", {"uvision2hzp", "-executable-template", "E", "-library-template", "L", "uvision/blinky.uvmpw"},
       "uvision/blinky.hzp"},
      {"iar", {"iar2hzp", "-executable-template", "E", "-library-template", "L", "iar/firmware.eww"}, "iar/firmware.hzp"},
      {"eclipse", {"eclipse2hzp", "-library-template", "L", "eclipse"}, "eclipse/eclipse.hzp"},
  };
  for (const auto& example : examples) {
    copyTree(sourcePath(QString("examples/") + example.folder), QDir::currentPath() + "/" + example.folder);
    ASSERT_EQ(testing_support::runQuenport(example.arguments).exitCode, 0) << example.folder;
    const QList<Compilation> files = compilationsOf(example.solution);
    EXPECT_FALSE(files.isEmpty()) << example.folder;
    for (const Compilation& file : files) {
      const auto run = testing_support::runProgram(compiler, file.flags + QStringList{file.file});
      EXPECT_EQ(run.exitCode, 0) << example.folder << ": " << file.file.toStdString() << "\n"
                                 << file.flags.join(' ').toStdString() << "\n"
                                 << run.standardError.toStdString();
    }
  }
}
