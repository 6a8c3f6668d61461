#pragma once
// The bytes that saving a solution writes, made without touching the disk, so a
// solution can be read back (template expansion) before anything is written.

#include <cstdint>
#include <memory>
#include <string>

class ProjectElement;
class XMLDocument;
class XMLElement;

/// The layout of solution files: the DOCTYPE name, indent and line width.
inline constexpr char solutionDoctype[] = "Orbelin_Project_File";
inline constexpr uint32_t solutionIndent = 2;
inline constexpr uint32_t solutionLineWidth = 75;

/// The document element of solution's file, its elements made by document. The root
/// is written as a solution even when it was imported somewhere; nested imported
/// solutions become "import" references and dynamic folders keep only their
/// settings. Changes nothing in the model.
std::unique_ptr<XMLElement> solutionDocumentElement(XMLDocument& document, const ProjectElement& solution);

/// The solution file text of solution exactly as saveSolution writes it: the
/// DOCTYPE line, "target" "8" when the solution has none, empty names and folder
/// file names left out, dynamic folders without their contents and imported
/// solutions as "import" references. Unlike saving, it changes nothing in the model.
std::string solutionText(const ProjectElement& solution);
