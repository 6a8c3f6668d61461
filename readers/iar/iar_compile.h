#pragma once
// What an IAR configuration (or a file's or group's own settings) tells the
// compiler and the assembler, in the record's words: GNU options where
// Embedded Workbench's have an equivalent, IAR's own option words in what is
// reported.

#include <QList>

#include "readers/common/project_record.h"
#include "readers/iar/iar_project.h"

class IarPathConverter;

/// The compile settings of options, as compiler reads them: definitions,
/// include directories (based on a macro), the pre-included file and extra
/// options' -D and -I, kept apart for the C compiler and the assembler;
/// optimisation, debug information and language standards. Diagnostics
/// choices and other IAR options are added to notCarried as "IAR compiler
/// option" or "IAR assembler option", in the words of IAR's command line.
CompileSettings readIarCompileSettings(const IarOptions& options, const IarCompiler& compiler, IarPathConverter& paths,
                                       QList<NotCarried>& notCarried);
