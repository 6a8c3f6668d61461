#pragma once
// The bytes that saving a solution writes, made without touching the disk, so a
// solution can be read back (template expansion) before anything is written.

#include <cstdint>
#include <string>

#include "support/atomic_write.h"

class ProjectElement;

/// The layout of solution files: the DOCTYPE name, indent and line width.
inline constexpr char solutionDoctype[] = "Orbelin_Project_File";
inline constexpr uint32_t solutionIndent = 2;
inline constexpr uint32_t solutionLineWidth = 75;

/// The solution file text of solution exactly as saveSolution writes it: the
/// DOCTYPE line, "target" "8" when the solution has none, empty names and folder
/// file names left out, dynamic folders without their contents and imported
/// solutions as "import" references. The root is written as a solution even when it
/// was imported somewhere. Unlike saving, it changes nothing in the model.
std::string solutionText(const ProjectElement& solution);
/// The same bytes handed to sink in pieces of some kilobytes, so that saving a large
/// solution never holds its whole text.
void writeSolutionText(const ProjectElement& solution, const ByteSink& sink);
