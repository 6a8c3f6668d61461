#pragma once
// What a build of a converted solution tells the GNU ARM compiler for each C
// file, worked out from the solution file alone: core, FPU, floating-point ABI,
// C standard, optimisation level, c_additional_options, definitions,
// undefinitions and include directories of "Common" and the chosen
// configuration, from the solution inwards to the file. A property the
// solution does not set takes its declared default (C standard gnu99, no
// optimisation), as the solution's IDE would.

#include <QList>
#include <QString>
#include <QStringList>

namespace solution_compile {

/// One C file the solution builds and the arm-none-eabi-gcc arguments that compile it ("-c" first).
struct Compilation {
  QString file;
  QStringList flags;
};

/// Every C file of solutionPath that configuration builds, with its flags;
/// only the project named project when one is given. Files and folders left
/// out of the build are skipped.
QList<Compilation> compilationsOf(const QString& solutionPath, const QString& configuration = QStringLiteral("Debug"),
                                  const QString& project = QString());

/// The arm-none-eabi-gcc on the PATH; empty when it is not installed.
QString compiler();

/// Runs each compilation (the object goes to /dev/null); for each that fails,
/// the file, its flags and what the compiler said. Empty when all compiled.
QString failedCompilations(const QList<Compilation>& compilations);

}  // namespace solution_compile
