#pragma once
// Option strings a uVision target holds ("MiscControls", the GNU linker's
// "Misc"): split into words as the tools' command line would be, and the GNU
// compiler options among them sorted into what the record says with them.

#include <QString>
#include <QStringList>

#include "readers/common/command_line_words.h"
#include "readers/common/project_record.h"

/// The compiler options of a command line, sorted by what they set.
struct CompilerCommandLine {
  /// -mcpu, -mfpu, -mfloat-abi, -mbig-endian / -mlittle-endian, -mcmse: empty when not given.
  TargetDevice device;
  /// -O..., -g..., -std=... (the last of each wins, as with the compiler).
  CodeGeneration codeGeneration;
  /// -D and -U as given; -I with the directories as written; every other word
  /// in additionalOptions, in order.
  ToolOptions tool;
};

/// Sorts the options that the GNU compiler and the ARM compilers share (-D, -U,
/// -I, -O<level>, -g, -std, -m...) out of words; "-D NAME" and "-I dir" may be
/// two words. -mthumb is dropped: Cortex-M code is always Thumb code.
CompilerCommandLine sortCompilerOptions(const QStringList& words);
