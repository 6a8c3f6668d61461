#pragma once
// Eclipse workspaces for the eclipse2hzp tests: the ones kept as files under
// tests/e2e/fixtures/eclipse, and small ".project" descriptions and ".cproject"
// files whose configurations nest their options under toolChain/tool.

#include <QByteArray>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

#include "helpers/test_support.h"

namespace eclipse_fixtures {

/// One configuration of a ".cproject": its name and the option elements inside it.
struct Configuration {
  QByteArray name;
  QByteArray options;
};

inline QByteArray description(const QByteArray& name) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<projectDescription>\n\t<name>" + name +
         "</name>\n\t<comment></comment>\n\t<projects>\n\t</projects>\n</projectDescription>\n";
}

/// The ".cproject" of an executable with the configurations.
inline QByteArray cproject(const QList<Configuration>& configurations) {
  QByteArray text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<?fileVersion 4.0.0?><cproject "
      "storage_type_id=\"org.eclipse.cdt.core.XmlProjectDescriptionStorage\">\n"
      "\t<storageModule moduleId=\"org.eclipse.cdt.core.settings\">\n";
  for (const Configuration& configuration : configurations) {
    text += "\t\t<cconfiguration id=\"cfg." + configuration.name +
            "\">\n\t\t\t<storageModule moduleId=\"cdtBuildSystem\" version=\"4.0.0\">\n\t\t\t\t<configuration name=\"" +
            configuration.name + "\"><folderInfo><toolChain><tool>" + configuration.options +
            "</tool></toolChain></folderInfo></configuration>\n\t\t\t</storageModule>\n\t\t</cconfiguration>\n";
  }
  text +=
      "\t</storageModule>\n\t<storageModule moduleId=\"cdtBuildSystem\" version=\"4.0.0\">\n"
      "\t\t<project id=\"demo.null.1\" name=\"Executable\"/>\n\t</storageModule>\n";
  // The refresh scope names configurations by "configurationName", not "name".
  text +=
      "\t<storageModule moduleId=\"refreshScope\" versionNumber=\"2\">\n\t\t<configuration configurationName=\"Debug\">"
      "<resource resourceType=\"PROJECT\" workspacePath=\"/demo\"/></configuration>\n\t</storageModule>\n";
  return text + "</cproject>\n";
}

inline QByteArray listOption(const QByteArray& valueType, const QList<QByteArray>& values) {
  QByteArray text = "<option id=\"o.1\" name=\"List\" superClass=\"o\" useByScannerDiscovery=\"false\" valueType=\"" +
                    valueType + "\">";
  for (const QByteArray& value : values) text += "<listOptionValue builtIn=\"false\" value=\"" + value + "\"/>";
  return text + "</option>";
}

inline QByteArray microcontroller(const QByteArray& name) {
  return "<option name=\"Microcontroller\" value=\"" + name + "\" valueType=\"string\"/>";
}

inline void writeProject(const QString& directory, const QByteArray& name, const QByteArray& cprojectText) {
  testing_support::writeFile(directory + "/.project", description(name));
  testing_support::writeFile(directory + "/.cproject", cprojectText);
}

inline QString absolute(const QString& path) { return QDir::current().absoluteFilePath(path); }

/// Copies the workspace kept under tests/e2e/fixtures/eclipse/<name>, as the
/// vendor IDEs write its files, into the folder to.
inline void copyFixture(const QString& name, const QString& to = "ws") {
  testing_support::copyTree(testing_support::sourcePath("tests/e2e/fixtures/eclipse/" + name), to);
}

}  // namespace eclipse_fixtures
