#pragma once
// The bytes that saving a solution writes, made without touching the disk, so a
// solution can be read back (template expansion) before anything is written.

#include <string>

class ProjectElement;

/// The solution file text of solution exactly as saveSolution writes it: the
/// DOCTYPE line, "target" "8" when the solution has none, empty names and folder
/// file names left out, dynamic folders without their contents and imported
/// solutions as "import" references. Unlike saving, it changes nothing in the model.
std::string solutionText(const ProjectElement& solution);
