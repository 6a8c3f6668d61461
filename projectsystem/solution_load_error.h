#pragma once
// The project system's exception for solution files and templates that cannot be read.

#include <QString>
#include <cstdint>

class XMLDocument;

/// A failure to load a solution or to expand its templates.
struct SolutionLoadError {
  enum Kind : int32_t { Plain = 0, XmlSyntax = 1 };

  QString fileName;
  int32_t kind = Plain;
  QString message;
  int32_t line = 0;    // the parser's error line (counted from 0), for XmlSyntax
  int32_t column = 0;  // the error's column (counted from 1) where the parser names one, else 0

  /// The message as the tool prints it, naming the file (or template) it concerns.
  /// The reader's own messages begin with a blank and read on from the file name
  /// ("/w/a.hzp does not exist"), and a first text ending in a blank reads on into
  /// the message ("no template for project App"): both are joined as they stand.
  /// Any other message follows the name after ": " ("T: project template not
  /// found"), an XML error with its line counted from 1, as editors count, and its
  /// column where known ("/w/a.hzp: bad tagName line: 3",
  /// "/w/a.hzp: invalid UTF-8 line: 3 column: 12").
  QString text() const;

  /// The error of a document that failed to load from file: where its text is
  /// wrong, or why the file was not read (which names no line).
  static SolutionLoadError ofDocument(const QString& file, const XMLDocument& document);
};
