#pragma once
// IAR Embedded Workbench workspaces for the tests: the fixture folders under
// tests/e2e/fixtures/iar, and builders for inputs a test generates (deep
// nesting, hostile names), written as the IDE writes them: an XML
// declaration, CRLF line ends, configurations of "settings" blocks holding
// "option" elements with one "state" per entry, then the groups and files.

#include <QByteArray>
#include <QList>
#include <QString>

#include "helpers/test_support.h"

namespace iar_fixtures {

/// Copies the fixture folder tests/e2e/fixtures/iar/<name> to the folder to.
inline void copyFixture(const QString& name, const QString& to = ".") {
  testing_support::copyTree(testing_support::sourcePath("tests/e2e/fixtures/iar/" + name), to);
}

/// One configuration of a project file, with the options an empty ARM project writes.
struct Configuration {
  QByteArray name = "Debug";
  QByteArray linkerOptions;  // more "option" elements of the ILINK block
};

inline QByteArray option(const QByteArray& name, const QByteArray& state) {
  return "        <option>\r\n          <name>" + name + "</name>\r\n          <state>" + state +
         "</state>\r\n        </option>\r\n";
}

inline QByteArray settings(const QByteArray& name, const QByteArray& options) {
  return "    <settings>\r\n      <name>" + name +
         "</name>\r\n      <archiveVersion>2</archiveVersion>\r\n      <data>\r\n        <version>35</version>\r\n"
         "        <wantNonLocal>1</wantNonLocal>\r\n        <debug>1</debug>\r\n" +
         options + "      </data>\r\n    </settings>\r\n";
}

inline QByteArray configuration(const Configuration& c) {
  return "  <configuration>\r\n    <name>" + c.name +
         "</name>\r\n    <toolchain>\r\n      <name>ARM</name>\r\n    </toolchain>\r\n    <debug>1</debug>\r\n" +
         settings("General", option("GOutputBinary", "0")) +
         settings("ICCARM", option("CCDefines", "") + option("CCIncludePath2", "")) +
         settings("ILINK", option("IlinkAdditionalLibs", "") + c.linkerOptions) + settings("IARCHIVE", {}) +
         "  </configuration>\r\n";
}

inline QByteArray file(const QByteArray& name) { return "  <file>\r\n    <name>" + name + "</name>\r\n  </file>\r\n"; }

/// A project file with the configurations, then the groups and files.
inline QByteArray project(const QList<Configuration>& configurations, const QByteArray& items) {
  QByteArray text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<project>\r\n  <fileVersion>3</fileVersion>\r\n";
  for (const Configuration& c : configurations) text += configuration(c);
  return text + items + "</project>\r\n";
}

/// A workspace file naming the project paths.
inline QByteArray workspace(const QList<QByteArray>& paths) {
  QByteArray text = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n\r\n<workspace>\r\n";
  for (const QByteArray& path : paths) text += "  <project>\r\n    <path>" + path + "</path>\r\n  </project>\r\n";
  return text + "</workspace>\r\n\r\n\r\n";
}

}  // namespace iar_fixtures
