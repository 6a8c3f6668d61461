#pragma once
// IAR Embedded Workbench workspaces for the iar2hzp tests, written as the IDE
// writes them: an XML declaration, CRLF line ends, configurations of
// "settings" blocks holding "option" elements with one "state" per entry, then
// the groups and files.

#include <QByteArray>
#include <QList>

namespace iar_fixtures {

/// One configuration of a project file; empty fields write no option.
struct Configuration {
  QByteArray name = "Debug";
  QByteArray toolchain = "ARM";
  QByteArray compiler = "ICCARM";  // ICC430, ICCRX, ... for other targets
  QByteArray linker = "ILINK";
  QByteArray outputBinary = "0";
  QByteArray executablePath;
  QByteArray objectPath;
  QByteArray chip;  // "STM32F407VG\tST STM32F407VG"
  QList<QByteArray> defines;
  QByteArray includeOption = "CCIncludePath2";
  QList<QByteArray> includePaths;
  QList<QByteArray> libraries;
  QByteArray archiveOverride;
  QByteArray archiveOutput;
};

inline QByteArray option(const QByteArray& name, const QList<QByteArray>& states) {
  QByteArray text = "        <option>\r\n          <name>" + name + "</name>\r\n";
  for (const QByteArray& state : states) text += "          <state>" + state + "</state>\r\n";
  return text + "        </option>\r\n";
}

inline QByteArray optionIfSet(const QByteArray& name, const QByteArray& state) {
  return state.isEmpty() ? QByteArray() : option(name, {state});
}

inline QByteArray settings(const QByteArray& name, const QByteArray& options) {
  return "    <settings>\r\n      <name>" + name +
         "</name>\r\n      <archiveVersion>2</archiveVersion>\r\n      <data>\r\n        <version>35</version>\r\n"
         "        <wantNonLocal>1</wantNonLocal>\r\n        <debug>1</debug>\r\n" +
         options + "      </data>\r\n    </settings>\r\n";
}

inline QList<QByteArray> statesOrEmpty(const QList<QByteArray>& states) {
  return states.isEmpty() ? QList<QByteArray>{""} : states;
}

inline QByteArray configuration(const Configuration& c) {
  const QByteArray general = optionIfSet("ExePath", c.executablePath) + optionIfSet("ObjPath", c.objectPath) +
                             option("GOutputBinary", {c.outputBinary}) + optionIfSet("OGChipSelectEditMenu", c.chip);
  const QByteArray compiler =
      option("CCDefines", statesOrEmpty(c.defines)) + option(c.includeOption, statesOrEmpty(c.includePaths));
  const QByteArray linker = option("IlinkAdditionalLibs", statesOrEmpty(c.libraries));
  const QByteArray archiver = optionIfSet("IarchiveOverride", c.archiveOverride) +
                              optionIfSet("IarchiveOutput", c.archiveOutput);
  return "  <configuration>\r\n    <name>" + c.name + "</name>\r\n    <toolchain>\r\n      <name>" + c.toolchain +
         "</name>\r\n    </toolchain>\r\n    <debug>1</debug>\r\n" + settings("General", general) +
         settings(c.compiler, compiler) + settings(c.linker, linker) +
         settings("IARCHIVE", archiver) + "  </configuration>\r\n";
}

inline QByteArray excluded(const QList<QByteArray>& configurations) {
  if (configurations.isEmpty()) return {};
  QByteArray text = "<excluded>\r\n";
  for (const QByteArray& name : configurations) text += "<configuration>" + name + "</configuration>\r\n";
  return text + "</excluded>\r\n";
}

/// What a file or group sets for itself in a configuration: whole tool
/// blocks (settings()), as the IDE copies them.
inline QByteArray ownSettings(const QByteArray& configuration, const QByteArray& blocks) {
  return "    <configuration>\r\n      <name>" + configuration + "</name>\r\n" + blocks + "    </configuration>\r\n";
}

inline QByteArray file(const QByteArray& name, const QList<QByteArray>& excludedFrom = {},
                       const QByteArray& own = {}) {
  return "  <file>\r\n    <name>" + name + "</name>\r\n" + own + excluded(excludedFrom) + "  </file>\r\n";
}

inline QByteArray group(const QByteArray& name, const QByteArray& items, const QList<QByteArray>& excludedFrom = {},
                        const QByteArray& own = {}) {
  return "  <group>\r\n    <name>" + name + "</name>\r\n" + excluded(excludedFrom) + items + own + "  </group>\r\n";
}

/// A project file with the configurations, then the groups and files.
inline QByteArray project(const QList<Configuration>& configurations, const QByteArray& items,
                          const QByteArray& encoding = "UTF-8") {
  QByteArray text = "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>\r\n<project>\r\n  <fileVersion>3</fileVersion>\r\n";
  for (const Configuration& c : configurations) text += configuration(c);
  return text + items + "</project>\r\n";
}

/// A workspace file naming the project paths, then batch builds that name
/// projects by their names alone.
inline QByteArray workspace(const QList<QByteArray>& paths, const QByteArray& batchBuild = {}) {
  QByteArray text = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n\r\n<workspace>\r\n";
  for (const QByteArray& path : paths) text += "  <project>\r\n    <path>" + path + "</path>\r\n  </project>\r\n";
  return text + batchBuild + "</workspace>\r\n\r\n\r\n";
}

}  // namespace iar_fixtures
