#pragma once
// Reading the foreign workspace and project files into element trees (the
// trees and their lookups are xml/foreign/'s), with the checks every input
// passes and the messages a file that fails them gets.

#include <QString>

#include "foreign/foreign_document.h"
#include "foreign/foreign_lookups.h"
#include "support/diagnostics.h"
#include "support/input_files.h"

/// A file that cannot be opened, does not parse or is not of the kind expected:
/// a workspace that lists such a project file converts its other projects.
class UnreadableFile : public ConversionError {
 public:
  using ConversionError::ConversionError;
};

/// Parses the whole file at path, recorded in inputs when given. Throws
/// UnreadableFile "Cannot open <path> for reading", about referencedBy when
/// another file named this one, or "<parser message> line: L column: C" about
/// path; ConversionError for the size limit about path (paths as displayPath
/// shows them). A file well-formed up to NUL bytes and white space after its
/// document element is read (see ForeignDocument::parse).
ForeignDocument loadXmlDocument(const QString& path, const QString& referencedBy = QString(),
                                InputFiles* inputs = nullptr);

/// What a workspace or project file is, known by its document element.
struct DocumentKind {
  /// The name of the document element: "ProjectWorkspace".
  const char* element;
  /// The kind as messages say it: "a uVision workspace".
  const char* description;
};

/// Loads the file at path as loadXmlDocument does and records it in inputs;
/// throws UnreadableFile "<path>: not <kind's description>" when its document
/// element is not kind's (a file of another IDE, a page saved under the name).
ForeignDocument loadForeignFile(InputFiles& inputs, const QString& path, const DocumentKind& kind,
                                const QString& referencedBy = QString());
