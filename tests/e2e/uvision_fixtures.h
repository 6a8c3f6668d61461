#pragma once
// uVision workspaces for the tests: the fixture folders under
// tests/e2e/fixtures/uvision, and builders for inputs a test generates (many or
// deeply nested groups, hostile names), written as uVision writes them: "\r\n"
// line ends, the schema header, and the compiler settings under the tool set's
// own elements.

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

#include "helpers/test_support.h"

namespace uvision_fixtures {

/// Copies the fixture folder tests/e2e/fixtures/uvision/<name> to the folder to.
inline void copyFixture(const QString& name, const QString& to = ".") {
  testing_support::copyTree(testing_support::sourcePath("tests/e2e/fixtures/uvision/" + name), to);
}

/// A multi-project workspace (".uvmpw") naming the given project files.
inline QByteArray workspace(const QList<QByteArray>& projectPaths) {
  QByteArray text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\r\n"
      "<ProjectWorkspace xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xsi:noNamespaceSchemaLocation=\"project_mpw.xsd\">\r\n\r\n  <SchemaVersion>1.0</SchemaVersion>\r\n\r\n"
      "  <Header>### uVision Project, (C) Keil Software</Header>\r\n\r\n  <WorkspaceName>WorkSpace</WorkspaceName>\r\n";
  for (const QByteArray& path : projectPaths)
    text += "\r\n  <project>\r\n    <PathAndName>" + path + "</PathAndName>\r\n  </project>\r\n";
  return text + "\r\n</ProjectWorkspace>\r\n";
}

/// One target of a project file with the ARM tool set.
struct Target {
  QByteArray name = "T";
  QByteArray cpu;  // the device's "Cpu" string, written only when set
  QByteArray createExecutable = "1";
  QByteArray outputDirectory;
  QByteArray define;
  QByteArray groups;  // <Group> elements
};

/// A <Group> of source files, each given as {FileName, FilePath}.
inline QByteArray group(const QByteArray& name, const QList<std::pair<QByteArray, QByteArray>>& files) {
  QByteArray text = "<Group><GroupName>" + name + "</GroupName><Files>";
  for (const auto& [fileName, filePath] : files)
    text +=
        "<File><FileName>" + fileName + "</FileName><FileType>1</FileType><FilePath>" + filePath + "</FilePath></File>";
  return text + "</Files></Group>";
}

/// A project file (".uvprojx") with the given targets. The compiler's
/// VariousControls are followed by the assembler's, whose Define is not the
/// compiler's.
inline QByteArray project(const QList<Target>& targets) {
  QByteArray text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\r\n<Project xmlns:xsi=\"http://www.w3.org/2001/"
      "XMLSchema-instance\" xsi:noNamespaceSchemaLocation=\"project_projx.xsd\">\r\n<SchemaVersion>2.1</SchemaVersion>"
      "\r\n<Targets>\r\n";
  for (const Target& t : targets) {
    text += "<Target><TargetName>" + t.name +
            "</TargetName><ToolsetNumber>0x4</ToolsetNumber><ToolsetName>ARM-ADS</ToolsetName><TargetOption>"
            "<TargetCommonOption>" +
            (t.cpu.isEmpty() ? QByteArray() : "<Cpu>" + t.cpu + "</Cpu>") + "<CreateExecutable>" + t.createExecutable +
            "</CreateExecutable><OutputDirectory>" + t.outputDirectory +
            "</OutputDirectory><OutputName></OutputName></TargetCommonOption><TargetArmAds><Cads>"
            "<interw>1</interw><VariousControls><MiscControls></MiscControls><Define>" +
            t.define +
            "</Define><Undefine></Undefine><IncludePath></IncludePath></VariousControls></Cads><Aads><VariousControls>"
            "<Define>__ASSEMBLER_ONLY</Define></VariousControls></Aads></TargetArmAds></TargetOption><Groups>" +
            t.groups + "</Groups></Target>\r\n";
  }
  return text + "</Targets>\r\n</Project>\r\n";
}

}  // namespace uvision_fixtures
