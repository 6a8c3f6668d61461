#pragma once
// The solution file writer: a solution of the model written to its file.

#include <QString>

class ProjectElement;

/// Writes solution to its location, creating the location's directory first, and
/// replaces the previous file only once the new one is complete (the bytes are
/// solutionText's). Sets "target" "8" when the solution has none and drops what the
/// file does not hold (empty names, folders' file names). False when the file cannot
/// be written; error (if given) then says "cannot write <path>: <reason>".
bool saveSolution(ProjectElement& solution, QString* error = nullptr);
