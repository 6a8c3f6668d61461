#include "e2e/solution_compile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDomDocument>
#include <QFileInfo>
#include <QStandardPaths>

#include "support/test_support.h"

namespace solution_compile {
namespace {

/// The list properties a build adds up from the solution inwards, and the option each entry becomes.
const struct {
  const char* property;
  const char* option;
} listProperties[] = {{"c_additional_options", ""},
                      {"c_preprocessor_definitions", "-D"},
                      {"c_preprocessor_undefinitions", "-U"},
                      {"c_user_include_directories", "-I"}};

/// The single-valued properties a compilation reads, with the declared default.
const struct {
  const char* property;
  const char* defaultValue;
} valueProperties[] = {{"arm_core_type", "None"},
                       {"arm_fpu_type", "None"},
                       {"arm_fp_abi", "None"},
                       {"gcc_c_language_standard", "gnu99"},
                       {"gcc_optimization_level", "None"},
                       {"build_exclude_from_build", "No"}};

const struct {
  const char* level;
  const char* option;
} optimizationOptions[] = {{"None", "-O0"},    {"Debug", "-Og"},   {"Level 1", "-O1"},
                           {"Level 2", "-O2"}, {"Level 3", "-O3"}, {"Optimize For Size", "-Os"}};

/// What the elements from the solution down to one item say.
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
    if (properties.isNull()) continue;
    for (const auto& list : listProperties)
      settings.lists[list.property] += properties.attribute(list.property).split(';', Qt::SkipEmptyParts);
    for (const auto& value : valueProperties)
      if (properties.hasAttribute(value.property)) settings.values[value.property] = properties.attribute(value.property);
  }
  return settings;
}

QString valueOf(const Settings& settings, const char* property) {
  for (const auto& value : valueProperties)
    if (qstrcmp(value.property, property) == 0) return settings.values.value(property, value.defaultValue);
  return {};
}

QString gccName(QString schemaName) { return schemaName.toLower().replace("+", "plus"); }

/// Where the solution's path macros point.
struct Directories {
  QString solution;
  QString project;
};

QStringList compilerFlags(const Settings& settings, const Directories& directories) {
  QStringList flags{"-c", "-mthumb"};
  for (const auto& [property, option] : {std::pair{"arm_core_type", "-mcpu="}, std::pair{"arm_fpu_type", "-mfpu="},
                                         std::pair{"arm_fp_abi", "-mfloat-abi="}}) {
    const QString value = valueOf(settings, property);
    if (value != "None") flags << option + gccName(value);
  }
  flags << "-std=" + valueOf(settings, "gcc_c_language_standard");
  for (const auto& level : optimizationOptions)
    if (valueOf(settings, "gcc_optimization_level") == level.level) flags << level.option;
  for (const auto& list : listProperties) {
    for (QString entry : settings.lists.value(list.property)) {
      if (QLatin1String(list.option) == "-I") {
        entry.replace("$(ProjectDir)", directories.project).replace("$(SolutionDir)", directories.solution);
        entry = QDir(directories.project).absoluteFilePath(entry);
      }
      flags << list.option + entry;
    }
  }
  return flags;
}

void collectFiles(const QDomElement& element, const QString& configuration, const Settings& outer,
                  const Directories& directories, QList<Compilation>& files) {
  const Settings settings = withSettingsOf(element, configuration, outer);
  if (valueOf(settings, "build_exclude_from_build") == "Yes") return;
  for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
    if (child.tagName() == "folder") {
      collectFiles(child, configuration, settings, directories, files);
    } else if (child.tagName() == "file" && child.attribute("file_name").endsWith(".c")) {
      const Settings own = withSettingsOf(child, configuration, settings);
      if (valueOf(own, "build_exclude_from_build") != "Yes") {
        files.append({QDir(directories.project).absoluteFilePath(child.attribute("file_name")),
                      compilerFlags(own, directories)});
      }
    }
  }
}

}  // namespace

QList<Compilation> compilationsOf(const QString& solutionPath, const QString& configuration, const QString& project) {
  QDomDocument document;
  EXPECT_TRUE(document.setContent(testing_support::readFile(solutionPath))) << solutionPath.toStdString();
  const QString solutionDirectory = QFileInfo(solutionPath).absolutePath();
  const QDomElement solution = document.documentElement();
  const Settings solutionSettings = withSettingsOf(solution, configuration, {});
  QList<Compilation> files;
  for (QDomElement element = solution.firstChildElement("project"); !element.isNull();
       element = element.nextSiblingElement("project")) {
    if (!project.isEmpty() && element.attribute("Name") != project) continue;
    const QString directory = childConfiguration(element, "Common").attribute("project_directory");
    collectFiles(element, configuration, solutionSettings,
                 {solutionDirectory, QDir(solutionDirectory).absoluteFilePath(directory)}, files);
  }
  return files;
}

QString compiler() { return QStandardPaths::findExecutable("arm-none-eabi-gcc"); }

QString failedCompilations(const QList<Compilation>& compilations) {
  QString failures;
  for (const Compilation& compilation : compilations) {
    const auto run = testing_support::runProgram(compiler(), compilation.flags + QStringList{compilation.file, "-o", "/dev/null"});
    if (run.exitCode != 0) {
      failures += compilation.file + "\n" + compilation.flags.join(' ') + "\n" + QString::fromUtf8(run.standardError);
    }
  }
  return failures;
}

}  // namespace solution_compile
