#pragma once
// What a build of a converted solution tells the GNU ARM compiler for each C
// file, from the solution file alone: core, FPU, float ABI, C standard,
// optimisation, c_additional_options, definitions, undefinitions and include
// directories of "Common" and the configuration, from the solution inwards to
// the file; unset values take their declared defaults (gnu99, no optimisation).

#include <QList>
#include <QString>
#include <QStringList>

namespace solution_compile {

/// One C file the solution builds and the arm-none-eabi-gcc arguments that compile it ("-c" first).
struct Compilation {
  QString file;
  QStringList flags;
};

/// Every C file that configuration builds (of project alone when one is named), with its flags.
QList<Compilation> compilationsOf(const QString& solutionPath, const QString& configuration = QStringLiteral("Debug"),
                                  const QString& project = QString());

/// The arm-none-eabi-gcc on the PATH; empty when it is not installed.
QString compiler();

/// Each compilation that fails (objects go to /dev/null): its file, flags and errors. Empty when all compiled.
QString failedCompilations(const QList<Compilation>& compilations);

}  // namespace solution_compile
