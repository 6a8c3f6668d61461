#include "e2e/solution_compile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDomDocument>
#include <QFileInfo>
#include <QStandardPaths>

#include "helpers/test_support.h"

namespace solution_compile {
namespace {

/// The lists a build adds up from the solution inwards, and the option each entry becomes.
const std::pair<const char*, const char*> listOptions[] = {{"c_additional_options", ""},
                                                           {"c_preprocessor_definitions", "-D"},
                                                           {"c_preprocessor_undefinitions", "-U"},
                                                           {"c_user_include_directories", "-I"}};

/// The values a compilation reads, with their declared defaults.
const std::pair<const char*, const char*> valueDefaults[] = {{"arm_core_type", "None"},
                                                             {"arm_fpu_type", "None"},
                                                             {"arm_fp_abi", "None"},
                                                             {"gcc_c_language_standard", "gnu99"},
                                                             {"gcc_optimization_level", "None"},
                                                             {"build_exclude_from_build", "No"}};

const QMap<QString, QString> optimizationOptions = {{"None", "-O0"},    {"Debug", "-Og"},
                                                    {"Level 1", "-O1"}, {"Level 2", "-O2"},
                                                    {"Level 3", "-O3"}, {"Optimize For Size", "-Os"}};

/// What the elements from the solution down to one item say; values start as the defaults.
struct Settings {
  QMap<QString, QStringList> lists;
  QMap<QString, QString> values;
};

QDomElement childConfiguration(const QDomElement& element, const QString& name) {
  for (QDomElement child = element.firstChildElement("configuration"); !child.isNull();
       child = child.nextSiblingElement("configuration"))
    if (child.attribute("Name") == name) return child;
  return {};
}

// Lists accumulate, "Common" before the configuration; a value of the
// configuration wins over one of "Common", an inner element's over an outer's.
Settings withSettingsOf(const QDomElement& element, const QString& configuration, Settings settings) {
  for (const QString& name : {QStringLiteral("Common"), configuration}) {
    const QDomElement properties = childConfiguration(element, name);
    for (const auto& [property, option] : listOptions)
      settings.lists[property] += properties.attribute(property).split(';', Qt::SkipEmptyParts);
    for (const auto& [property, defaultValue] : valueDefaults)
      if (properties.hasAttribute(property)) settings.values[property] = properties.attribute(property);
  }
  return settings;
}

QStringList compilerFlags(const Settings& settings, const QString& solutionDirectory, const QString& projectDirectory) {
  QStringList flags{"-c", "-mthumb"};
  for (const auto& [property, option] : {std::pair{"arm_core_type", "-mcpu="}, std::pair{"arm_fpu_type", "-mfpu="},
                                         std::pair{"arm_fp_abi", "-mfloat-abi="}}) {
    if (settings.values[property] != "None") flags << option + settings.values[property].toLower().replace("+", "plus");
  }
  flags << "-std=" + settings.values["gcc_c_language_standard"]
        << optimizationOptions.value(settings.values["gcc_optimization_level"]);
  for (const auto& [property, option] : listOptions) {
    for (QString entry : settings.lists[property]) {
      if (QLatin1String(option) == "-I") {
        entry.replace("$(ProjectDir)", projectDirectory).replace("$(SolutionDir)", solutionDirectory);
        entry = QDir(projectDirectory).absoluteFilePath(entry);
      }
      flags << option + entry;
    }
  }
  return flags;
}

// A C file, or the C files below a folder or project, that the configuration builds.
void collectFiles(const QDomElement& element, const QString& configuration, const Settings& outer,
                  const QString& solutionDirectory, const QString& projectDirectory, QList<Compilation>& files) {
  Settings settings = withSettingsOf(element, configuration, outer);
  if (settings.values["build_exclude_from_build"] == "Yes") return;
  if (element.tagName() == "file") {
    files.append({QDir(projectDirectory).absoluteFilePath(element.attribute("file_name")),
                  compilerFlags(settings, solutionDirectory, projectDirectory)});
  }
  for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
    if (child.tagName() == "folder" || (child.tagName() == "file" && child.attribute("file_name").endsWith(".c")))
      collectFiles(child, configuration, settings, solutionDirectory, projectDirectory, files);
  }
}

}  // namespace

QList<Compilation> compilationsOf(const QString& solutionPath, const QString& configuration, const QString& project) {
  QDomDocument document;
  EXPECT_TRUE(document.setContent(testing_support::readFile(solutionPath))) << solutionPath.toStdString();
  const QString solutionDirectory = QFileInfo(solutionPath).absolutePath();
  const QDomElement solution = document.documentElement();
  Settings defaults;
  for (const auto& [property, defaultValue] : valueDefaults) defaults.values[property] = defaultValue;
  const Settings solutionSettings = withSettingsOf(solution, configuration, defaults);
  QList<Compilation> files;
  for (QDomElement element = solution.firstChildElement("project"); !element.isNull();
       element = element.nextSiblingElement("project")) {
    if (!project.isEmpty() && element.attribute("Name") != project) continue;
    const QString directory = childConfiguration(element, "Common").attribute("project_directory");
    collectFiles(element, configuration, solutionSettings, solutionDirectory,
                 QDir(solutionDirectory).absoluteFilePath(directory), files);
  }
  return files;
}

QString compiler() { return QStandardPaths::findExecutable("arm-none-eabi-gcc"); }

QString failedCompilations(const QList<Compilation>& compilations) {
  QString failures;
  for (const Compilation& compilation : compilations) {
    const QStringList arguments = compilation.flags + QStringList{compilation.file, "-o", "/dev/null"};
    const auto run = testing_support::runProgram(compiler(), arguments);
    if (run.exitCode != 0)
      failures += compilation.file + "\n" + compilation.flags.join(' ') + "\n" + QString::fromUtf8(run.standardError);
  }
  return failures;
}

}  // namespace solution_compile
