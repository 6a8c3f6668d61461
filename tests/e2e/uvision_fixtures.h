#pragma once
// uVision workspaces for the uvision2hzp tests, written as uVision writes them:
// "\r\n" line ends, the schema header, and targets whose compiler settings sit
// under the tool set's own elements.

#include <QByteArray>
#include <QList>
#include <utility>

namespace uvision_fixtures {

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

/// One target of a project file; a null createExecutable leaves the element out.
struct Target {
  QByteArray name = "T";
  QByteArray toolset = "ARM-ADS";  // "ARM-GNU" keeps the compiler settings under TargetArm/Carm
  QByteArray createExecutable = "1";
  QByteArray outputName;
  QByteArray outputDirectory;
  QByteArray define;
  QByteArray undefine;
  QByteArray includePath;
  QByteArray groups;  // <Group> elements
};

/// A <Group> of source files, each given as {FileName, FilePath}.
inline QByteArray group(const QByteArray& name, const QList<std::pair<QByteArray, QByteArray>>& files) {
  QByteArray text = "<Group><GroupName>" + name + "</GroupName><Files>";
  for (const auto& [fileName, filePath] : files)
    text += "<File><FileName>" + fileName + "</FileName><FileType>1</FileType><FilePath>" + filePath + "</FilePath></File>";
  return text + "</Files></Group>";
}

/// A <Group> as RT-Thread's project generator writes it: one <Files> element per
/// file, each file given as {FileName, FileType, FilePath}.
inline QByteArray generatedGroup(const QByteArray& name, const QList<QList<QByteArray>>& files) {
  QByteArray text = "\r\n        <Group>\r\n          <GroupName>" + name + "</GroupName>";
  for (const QList<QByteArray>& file : files) {
    text += "\r\n          <Files>\r\n            <File>\r\n              <FileName>" + file[0] +
            "</FileName>\r\n              <FileType>" + file[1] + "</FileType>\r\n              <FilePath>" + file[2] +
            "</FilePath>\r\n            </File>\r\n          </Files>";
  }
  return text + "\r\n        </Group>";
}

/// The options of a group or file (kind "Group" or "File") in the nesting
/// uVision writes: CommonProperty with IncludeInBuild (0 out, 1 in, 2 as its
/// group), then the compiler's and assembler's blocks under <kind>ArmAds, each
/// given as its children (empty: no block).
inline QByteArray itemOptions(const QByteArray& kind, const QByteArray& includeInBuild, const QByteArray& compiler,
                              const QByteArray& assembler = {}) {
  QByteArray text = "<" + kind + "Option><CommonProperty><UseCPPCompiler>2</UseCPPCompiler><IncludeInBuild>" +
                    includeInBuild + "</IncludeInBuild><AlwaysBuild>2</AlwaysBuild></CommonProperty>";
  if (!compiler.isEmpty() || !assembler.isEmpty()) {
    text += "<" + kind + "ArmAds>";
    if (!compiler.isEmpty()) text += "<Cads>" + compiler + "</Cads>";
    if (!assembler.isEmpty()) text += "<Aads>" + assembler + "</Aads>";
    text += "</" + kind + "ArmAds>";
  }
  return text + "</" + kind + "Option>";
}

/// A <File> with the given options (itemOptions("File", ...) or none).
inline QByteArray file(const QByteArray& name, const QByteArray& path, const QByteArray& options = {}) {
  return "<File><FileName>" + name + "</FileName><FileType>1</FileType><FilePath>" + path + "</FilePath>" + options +
         "</File>";
}

/// A <Group> with the given options (itemOptions("Group", ...) or none) and <File> elements.
inline QByteArray groupWithOptions(const QByteArray& name, const QByteArray& options, const QByteArray& files) {
  return "<Group><GroupName>" + name + "</GroupName>" + options + "<Files>" + files + "</Files></Group>";
}

/// The compiler's VariousControls as the tool set keeps them; the assembler's come
/// after them with a Define of their own, which is not the compiler's.
inline QByteArray compilerSettings(const Target& t) {
  const QByteArray controls = "<VariousControls><MiscControls></MiscControls><Define>" + t.define + "</Define><Undefine>" +
                              t.undefine + "</Undefine><IncludePath>" + t.includePath + "</IncludePath></VariousControls>";
  const QByteArray assembler = "<VariousControls><Define>__ASSEMBLER_ONLY</Define></VariousControls>";
  if (t.toolset == "ARM-GNU")
    return "<TargetArm><ArmMisc><asLst>0</asLst></ArmMisc><Carm><arpcs>1</arpcs>" + controls + "</Carm><Aarm>" + assembler +
           "</Aarm><LDarm><umfTarg>1</umfTarg></LDarm></TargetArm>";
  return "<TargetArmAds><Cads><interw>1</interw>" + controls + "</Cads><Aads>" + assembler + "</Aads></TargetArmAds>";
}

/// A project file (".uvprojx") with the given targets.
inline QByteArray project(const QList<Target>& targets) {
  QByteArray text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\r\n<Project xmlns:xsi=\"http://www.w3.org/2001/"
      "XMLSchema-instance\" xsi:noNamespaceSchemaLocation=\"project_projx.xsd\">\r\n<SchemaVersion>2.1</SchemaVersion>"
      "\r\n<Targets>\r\n";
  for (const Target& t : targets) {
    text += "<Target><TargetName>" + t.name + "</TargetName><ToolsetNumber>0x4</ToolsetNumber><ToolsetName>" +
            t.toolset + "</ToolsetName><TargetOption><TargetCommonOption>";
    if (!t.createExecutable.isNull()) text += "<CreateExecutable>" + t.createExecutable + "</CreateExecutable>";
    text += "<OutputDirectory>" + t.outputDirectory + "</OutputDirectory><OutputName>" + t.outputName +
            "</OutputName></TargetCommonOption>" + compilerSettings(t) + "</TargetOption><Groups>" + t.groups +
            "</Groups></Target>\r\n";
  }
  return text + "</Targets>\r\n</Project>\r\n";
}

}  // namespace uvision_fixtures
