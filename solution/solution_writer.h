#pragma once
// The solution file writer: the bytes of a solution of the model, made in one walk
// without touching the model, and the solution written to its file.

#include <cstdint>
#include <string>

#include "support/atomic_write.h"

class ModelNode;

/// The layout of solution files: the DOCTYPE name, indent and line width.
inline constexpr char solutionDoctype[] = "Orbelin_Project_File";
inline constexpr uint32_t solutionIndent = 2;
inline constexpr uint32_t solutionLineWidth = 75;

/// The solution file text of solution: the DOCTYPE line, "target" "8" when the
/// solution has none, empty names and folder file names left out, dynamic folders
/// without their contents and imported solutions as "import" references. The root is
/// written as a solution even when it was imported somewhere.
std::string solutionText(const ModelNode& solution);
/// The same bytes handed to sink in pieces of some kilobytes, so that writing a large
/// solution never holds its whole text.
void writeSolutionText(const ModelNode& solution, const ByteSink& sink);

/// Writes solution to its file, creating the file's directory first, and replaces the
/// previous file only once the new one is complete (see writeFileAtomically). Throws
/// ConversionError "cannot write <path>: <reason>" when it cannot.
void saveSolution(const ModelNode& solution);
