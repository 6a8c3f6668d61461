#pragma once
// IAR project configurations made of "settings" blocks in the form the IDE
// writes them, read as the reader reads them.

#include <gtest/gtest.h>

#include <QByteArray>

#include "readers/iar/iar_project.h"

namespace iar_option_blocks {

/// An "option" element: its name, its value list's version when given (-1: none), its states.
inline QByteArray option(const QByteArray& name, int version, const QList<QByteArray>& states) {
  QByteArray text = "<option>\n<name>" + name + "</name>\n";
  if (version >= 0) text += "<version>" + QByteArray::number(version) + "</version>\n";
  for (const QByteArray& state : states) text += "<state>" + state + "</state>\n";
  return text + "</option>\n";
}

inline QByteArray option(const QByteArray& name, const QByteArray& state) { return option(name, -1, {state}); }

/// A "settings" block of the tool name whose data has version.
inline QByteArray settings(const QByteArray& name, int version, const QByteArray& options) {
  return "<settings>\n<name>" + name + "</name>\n<archiveVersion>2</archiveVersion>\n<data>\n<version>" +
         QByteArray::number(version) + "</version>\n<wantNonLocal>1</wantNonLocal>\n<debug>1</debug>\n" + options +
         "</data>\n</settings>\n";
}

/// The configuration "Debug" of the tool chain made of blocks, as read.
inline IarConfiguration configurationOf(const QByteArray& blocks, const QByteArray& toolchain = "ARM") {
  const QByteArray text =
      "<project>\n<fileVersion>3</fileVersion>\n<configuration>\n<name>Debug</name>\n"
      "<toolchain>\n<name>" +
      toolchain + "</name>\n</toolchain>\n" + blocks + "</configuration>\n</project>\n";
  IarProjectContent content = readIarProject(ForeignDocument::parse(text));
  return content.configurations.empty() ? IarConfiguration() : std::move(content.configurations.front());
}

}  // namespace iar_option_blocks
