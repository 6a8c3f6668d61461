#pragma once
// What the options of a CDT configuration (or of a folder or file of it) say,
// in the record's terms: the target device, what the compiler and the
// assembler are told, how code is generated, and what the linker is told.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "readers/common/project_record.h"

class CdtOptions;

/// How the options of one project are read.
struct CdtReading {
  /// The project builds C++: the lists and settings of the C++ compiler and
  /// linker count, and the C compiler's entries they lack follow; otherwise
  /// those of the C compiler and linker (CDT never runs the others).
  bool cpp = false;
  /// The path a path option names (kind says which: "include directory",
  /// "linker script", ...); nothing when it cannot be used (the caller says why).
  std::function<std::optional<QString>(const QString& kind, const QString& value)> path;
};

/// What a set of options gives the record.
struct CdtToolSettings {
  TargetDevice device;
  CompileSettings compile;
  LinkerOptions linker;
  /// What was read but cannot be carried; without configurations.
  QList<NotCarried> notCarried;
};

/// Reads options into the record's terms. Definitions, undefinitions and
/// include directories appear once each, in the order first met.
CdtToolSettings readCdtToolSettings(const CdtOptions& options, const CdtReading& reading);
