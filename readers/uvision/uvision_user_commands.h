#pragma once
// The user commands of a uVision target ("BeforeCompile", "BeforeMake",
// "AfterMake"), with uVision's key codes ("#L", "$P", ...) turned into the
// solution's macros.

#include <QString>
#include <QStringList>

#include "readers/common/project_record.h"
#include "readers/uvision/uvision_target_reading.h"

/// What the key codes of a target's commands stand for.
struct KeyCodeValues {
  /// "OutputName": the output file without directory and extension.
  QString outputName;
  /// The solution's macro for the output's extension: "$(EXE)" or "$(LIB)".
  QString outputExtension;
  /// "Device": the device name.
  QString device;
  /// The command runs once per compiled file, which the F codes name.
  bool perFile = false;
};

/// A command with its key codes replaced.
struct TranslatedCommand {
  QString command;
  /// The key codes with no equivalent in the solution ("$K", "#P"), in order.
  QStringList untranslated;
};

/// Replaces each key code of command (a prefix "#", "%", "@", "$", "!", "~" or
/// "^" and a file code letter) by what stands for it in the solution; a doubled
/// prefix ("$$") is the character itself.
TranslatedCommand translateKeyCodes(const QString& command, const KeyCodeValues& values);

/// The commands of the target's "TargetCommonOption" that run ("RunUserProgN"
/// 1): "BeforeCompile" before each compiled file, "BeforeMake" before the build,
/// "AfterMake" after the link. A command with a key code that has no equivalent,
/// or that runs as a 16-bit DOS program, is reported instead.
BuildSteps readUserCommands(const UVisionTargetReading& reading, const ForeignElement& common, KeyCodeValues values);
