#pragma once
// The project system's exception for solution files and templates that cannot be read.

#include <QString>
#include <cstdint>

/// A failure to load a solution or to expand its templates.
struct SolutionLoadError {
  enum Kind : int32_t { Plain = 0, XmlSyntax = 1 };

  QString fileName;
  int32_t kind = Plain;
  QString message;
  int32_t line = 0;    // the parser's error line, for XmlSyntax
  int32_t column = 0;  // always 0
};
